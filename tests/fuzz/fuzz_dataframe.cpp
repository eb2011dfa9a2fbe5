// Up to three data frames stored as the worker stores them, read back through
// the device's operations, saved to a realtime file and loaded again.
#include "fuzzcheck.h"
#include "devicefiles.h"
#include "kv520device.h"

#include <QRegularExpression>
#include <QTemporaryDir>

#include <cstring>
#include <vector>

using namespace KV520;

extern "C" int LLVMFuzzerInitialize(int* pArgc, char*** pArgv)
{
    StartFuzzApplication<QCoreApplication>(pArgc, pArgv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    // The ring is large; one device serves every input.
    static CKV520Device device;
    static QTemporaryDir folder;
    CKV520DataModel& model = device.Model();
    model.ResetHistory();
    model.DiscardMenuEdits();

    // Whole frames from the input; a short tail is a frame padded with zeros.
    const int nFrames = int(qMin<size_t>((nSize + kFrameSize - 1) / kFrameSize, 3));
    std::vector<uint8_t> frame(kFrameSize);
    const uint32_t nFramesBefore = device.GetLiveState().m_nFrameCount;
    for (int n = 0; n < nFrames; ++n) {
        const size_t nFrom = size_t(n) * kFrameSize;
        std::fill(frame.begin(), frame.end(), 0);
        std::memcpy(frame.data(), pData + nFrom, qMin<size_t>(kFrameSize, nSize - nFrom));
        const int32_t nTick = frame[kTick] | (frame[kTick + 1] << 8) | (frame[kTick + 2] << 16);
        model.StoreDataFrame(frame.data(), nTick);
    }
    FUZZ_CHECK(device.GetRecordCount() == nFrames);
    if (nFrames == 0)
        return 0;

    // The last frame is what the live state, the trace and the menu show.
    const CDeviceLiveState live = device.GetLiveState();
    FUZZ_CHECK(live.m_nFrameCount == nFramesBefore + uint32_t(nFrames));
    FUZZ_CHECK(live.m_nBandMask == frame[kBandMask] && live.m_nStatusA == frame[kStatusA]);
    FUZZ_CHECK(std::memcmp(live.m_Levels, &frame[kLevelBlock], kLevelBlockSize) == 0);
    int nParam = -1;
    const QByteArray trace = device.GetOscilloscopeSamples(&nParam);
    FUZZ_CHECK(trace.size() == kOscSampleCount && nParam == frame[kOscParam]);
    FUZZ_CHECK(std::memcmp(trace.constData(), &frame[kOscSamples], kOscSampleCount) == 0);
    for (int p = 0; p < kMenuExchanged; ++p)
        FUZZ_CHECK(device.GetMenuByte(p) == frame[kMenuBlock + p]);

    QList<CDeviceRecord> liveRecords;
    for (int i = 0; i < nFrames; ++i) {
        DeviceRawRecord raw;
        FUZZ_CHECK(model.Record(i, raw));
        const CDeviceRecord rec = device.GetRecord(i);
        FUZZ_CHECK(rec.m_Levels.size() == 6);
        for (const CDeviceLevel& level : rec.m_Levels)
            FUZZ_CHECK(level.m_dLevel >= 0 && level.m_dLevel <= 127.5 && level.m_dThreshold >= 0
                       && level.m_dThreshold <= 127.5);
        FUZZ_CHECK(rec.m_nBandMask == raw.BandMask);
        liveRecords << rec;
    }
    FUZZ_CHECK(device.GetRecord(nFrames).IsEmpty() && device.GetRecord(-1).IsEmpty());
    FUZZ_CHECK(device.GetLastRecord().m_nTime == liveRecords.last().m_nTime);

    // From file the same records come back, converted in file mode.
    QString strName;
    QString strError;
    FUZZ_CHECK(CDeviceFiles::SaveRealtimeFile(model, folder.path(), CDeviceFiles::kRealtimeVersion, strName,
                                              &strError));
    FUZZ_CHECK(QRegularExpression(QStringLiteral("^rt_\\d{4}_\\d{4}$")).match(strName).hasMatch());
    const QString strPath = folder.filePath(strName + QStringLiteral(".rdf"));
    QList<CDeviceRecord> fileRecords;
    int nVersion = -1;
    FUZZ_CHECK(CDeviceFiles::LoadDataFile(strPath, fileRecords, nVersion, &strError));
    FUZZ_CHECK(nVersion == CDeviceFiles::kRealtimeVersion && fileRecords.size() == nFrames);
    for (int i = 0; i < nFrames; ++i) {
        FUZZ_CHECK(fileRecords[i].m_Levels.size() == 6);
        FUZZ_CHECK(fileRecords[i].m_nBandMask == liveRecords[i].m_nBandMask);
        FUZZ_CHECK(fileRecords[i].m_dFrequency == liveRecords[i].m_dFrequency);
    }
    QFile::remove(strPath);
    return 0;
}
