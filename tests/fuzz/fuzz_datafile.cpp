// Any file opened as a realtime or log file: either every whole record comes
// back, or the load fails with a reason for the user.
#include "fuzzcheck.h"
#include "devicefiles.h"

#include <QFile>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerInitialize(int* pArgc, char*** pArgv)
{
    StartFuzzApplication<QCoreApplication>(pArgc, pArgv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    static QTemporaryDir folder;
    const QString strPath = folder.filePath(QStringLiteral("input.ldf"));
    {
        QFile file(strPath);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(file.write(reinterpret_cast<const char*>(pData), qint64(nSize)) == qint64(nSize));
    }

    // Records already in the list stay; the file's are appended.
    QList<CDeviceRecord> records{CDeviceRecord()};
    int nVersion = -1;
    QString strError = QStringLiteral("stale");
    const bool bOk = CDeviceFiles::LoadDataFile(strPath, records, nVersion, &strError);
    if (!bOk) {
        FUZZ_CHECK(!strError.isEmpty() && strError != QLatin1String("stale"));
        FUZZ_CHECK(records.size() == 1);
        return 0;
    }
    FUZZ_CHECK(strError.isEmpty());
    FUZZ_CHECK(nVersion == CDeviceFiles::kRealtimeVersion || nVersion == CDeviceFiles::kLogVersion);
    FUZZ_CHECK(nSize >= size_t(CDeviceFiles::kHeaderSize));
    const size_t nWhole = (nSize - CDeviceFiles::kHeaderSize) / sizeof(DeviceRawRecord);
    FUZZ_CHECK(size_t(records.size()) == 1 + nWhole);
    for (qsizetype i = 1; i < records.size(); ++i)
        FUZZ_CHECK(records[i].m_Levels.size() == 6);
    return 0;
}
