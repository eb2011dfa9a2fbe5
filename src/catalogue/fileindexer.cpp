#include "fileindexer.h"

#include "alarmrule.h"
#include "devicefiles.h"
#include "recordtexts.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace {

constexpr qint64 kChunkRecords = 8192;

double ChannelMax(const CDeviceRecord& record, int nChannel)
{
    const int nDc = 2 * nChannel;
    if (nDc + 1 >= record.m_Levels.size())
        return 0.0;
    return std::max(record.m_Levels[nDc].m_dLevel, record.m_Levels[nDc + 1].m_dLevel);
}

QString LevelsText(const CDeviceRecord& record)
{
    QStringList texts;
    for (const CDeviceLevel& level : record.m_Levels)
        texts << QString::number(level.m_dLevel, 'f', 1);
    return texts.join(QLatin1Char(' '));
}

} // namespace

bool CFileIndexer::Index(const QString& strPath, Result& result, QString* pError)
{
    result = Result();
    const QFileInfo info(strPath);
    if (!info.isFile()) {
        *pError = tr("%1 is not a regular file.").arg(QDir::toNativeSeparators(strPath));
        return false;
    }
    QFile file(strPath);
    if (!file.open(QIODevice::ReadOnly)) {
        *pError = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(strPath), file.errorString());
        return false;
    }
    const QByteArray header = file.read(CDeviceFiles::kHeaderSize);
    if (header.size() != CDeviceFiles::kHeaderSize) {
        *pError = tr("%1 is too short to be a data file.").arg(QDir::toNativeSeparators(strPath));
        return false;
    }
    const int nVersion = qFromBigEndian<qint32>(header.constData());
    if (nVersion != CDeviceFiles::kRealtimeVersion && nVersion != CDeviceFiles::kLogVersion) {
        *pError = tr("%1 has the unknown format version %2.").arg(QDir::toNativeSeparators(strPath)).arg(nVersion);
        return false;
    }
    if ((info.size() - CDeviceFiles::kHeaderSize) / qint64(sizeof(DeviceRawRecord)) > CDeviceFiles::kMaxFileRecords) {
        *pError = tr("%1 is too large to be a data file.").arg(QDir::toNativeSeparators(strPath));
        return false;
    }
    result.bLog = nVersion == CDeviceFiles::kLogVersion;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(header);

    QString strSidecarError;
    result.bHasSidecar = CSidecar::Read(strPath, result.sidecar, &strSidecarError);
    if (!result.bHasSidecar && QFileInfo::exists(CSidecar::PathFor(strPath)))
        result.strSidecarProblem = strSidecarError;
    bool bCaptureSet = result.bHasSidecar;
    CCaptureTime& capture = result.sidecar.m_Capture;
    result.maxLevels.fill(0.0);

    DeviceRawRecord first;
    first.Clear();
    bool bWasAlarm = false;
    QMap<int64_t, Minute> minutes;
    Minute* pMinute = nullptr;
    int64_t nPosition = 0;
    const int nYear = 2000; // FromRaw's own time is not used: instants come from the capture
    for (;;) {
        const QByteArray chunk = file.read(kChunkRecords * qint64(sizeof(DeviceRawRecord)));
        if (chunk.isEmpty())
            break;
        hash.addData(chunk);
        const qsizetype nWhole = chunk.size() / qsizetype(sizeof(DeviceRawRecord));
        for (qsizetype i = 0; i < nWhole; ++i, ++nPosition) {
            DeviceRawRecord raw;
            std::memcpy(static_cast<void*>(&raw), chunk.constData() + i * qsizetype(sizeof(raw)), sizeof(raw));
            if (nPosition == 0) {
                first = raw;
                if (!bCaptureSet) {
                    // Written before sidecars existed: the modification time
                    // is the best witness of the year and zone, and says so.
                    capture = CCaptureTime::At(first, info.lastModified());
                    capture.m_bKnown = false;
                    capture.m_bGuessed = true;
                    bCaptureSet = true;
                }
            }
            const CDeviceRecord record = CDeviceRecord::FromRaw(raw, CDeviceRecord::Mode::File, nYear);
            const int64_t nInstant = capture.InstantMs(raw, first);
            if (nPosition == 0)
                result.nFirstMs = result.nLastMs = nInstant;
            result.nFirstMs = std::min(result.nFirstMs, nInstant);
            result.nLastMs = std::max(result.nLastMs, nInstant);
            const int nSignal = CRecordTexts::SignalKindOf(record);
            const bool bKnownKind = nSignal >= 0 && nSignal < kSignalKindCount;
            ++result.kindCounts[size_t(bKnownKind ? nSignal : kSignalKindCount)];
            std::array<double, kChannels> channels{};
            for (int c = 0; c < kChannels; ++c) {
                channels[size_t(c)] = ChannelMax(record, c);
                result.maxLevels[size_t(c)] = std::max(result.maxLevels[size_t(c)], channels[size_t(c)]);
            }
            const bool bAlarm = CAlarmRule::IsAlarm(record, result.bLog);
            // Every log event is one; a recording's events are its alarm onsets.
            const bool bEvent = result.bLog || (bAlarm && !bWasAlarm);
            bWasAlarm = bAlarm;
            if (bAlarm && (result.bLog || bEvent))
                ++result.nAlarms;
            if (bEvent) {
                Event event;
                event.nPosition = nPosition;
                event.nInstantMs = nInstant;
                event.bAlarm = bAlarm;
                event.nSignal = nSignal;
                event.nBand = record.m_nBandMask;
                event.dLevel = *std::max_element(channels.begin(), channels.end());
                event.strLevels = LevelsText(record);
                event.dFrequency = record.m_dFrequency;
                result.events << event;
            }
            if (!result.bLog) {
                const int64_t nMinute = nInstant >= 0 ? nInstant / 60000 : (nInstant - 59999) / 60000;
                // Records come in time order; a clock set back meets a minute again.
                if (!pMinute || pMinute->nMinute != nMinute) {
                    pMinute = &minutes[nMinute];
                    pMinute->nMinute = nMinute;
                }
                for (int c = 0; c < kChannels; ++c)
                    pMinute->maxLevels[size_t(c)] = std::max(pMinute->maxLevels[size_t(c)], channels[size_t(c)]);
                if (bKnownKind && nSignal > 0)
                    pMinute->nKinds |= 1 << nSignal;
            }
        }
    }
    result.minutes = minutes.values();
    result.nRecords = nPosition;
    result.strSha256 = QString::fromLatin1(hash.result().toHex());
    return true;
}
