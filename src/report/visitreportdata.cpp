#include "visitreportdata.h"

#include "devicefiles.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstring>

bool CVisitReportData::Source::IsLog() const
{
    return nVersion == CDeviceFiles::kLogVersion;
}

QString CVisitReportData::Source::Room() const
{
    return bHasSidecar && !sidecar.m_Context.m_strRoom.trimmed().isEmpty() ? sidecar.m_Context.m_strRoom.trimmed()
                                                                           : strFileName;
}

bool CVisitReportData::LoadSource(const QString& strPath, Source& source, QString* pError, QString* pWarning)
{
    const QFileInfo info(strPath);
    const QString strNative = QDir::toNativeSeparators(strPath);
    if (!info.isFile()) {
        *pError = tr("%1 is not a regular file.").arg(strNative);
        return false;
    }
    Source result;
    result.strPath = info.absoluteFilePath();
    result.strFileName = info.fileName();
    QString strWarning;
    if (!CDeviceFiles::LoadDataFile(strPath, result.records, result.nVersion, pError, &strWarning))
        return false;
    if (pWarning)
        *pWarning = strWarning;
    QFile file(strPath);
    if (!file.open(QIODevice::ReadOnly)) {
        *pError = QStringLiteral("%1: %2").arg(strNative, file.errorString());
        return false;
    }
    const QByteArray bytes = file.readAll();
    result.nSize = bytes.size();
    result.strSha256 = QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
    constexpr qsizetype kSize = qsizetype(sizeof(DeviceRawRecord));
    if ((bytes.size() - CDeviceFiles::kHeaderSize) / kSize < result.records.size()) {
        *pError = tr("%1 changed while it was read.").arg(strNative);
        return false;
    }
    result.bHasSidecar = CSidecar::Read(strPath, result.sidecar);
    if (result.bHasSidecar && !result.records.isEmpty()) {
        // The detector keeps no year: the sidecar's is the first record's, and
        // a month before the first one's lies in the following year.
        DeviceRawRecord first;
        DeviceRawRecord raw;
        std::memcpy(static_cast<void*>(&first), bytes.constData() + CDeviceFiles::kHeaderSize, sizeof(first));
        const int nFirstMonth = qBound(1, int(first.Month), 12);
        for (qsizetype i = 0; i < result.records.size(); ++i) {
            std::memcpy(static_cast<void*>(&raw), bytes.constData() + CDeviceFiles::kHeaderSize + i * kSize, sizeof(raw));
            const int nYear = result.sidecar.m_Capture.m_nYear + (qBound(1, int(raw.Month), 12) < nFirstMonth ? 1 : 0);
            result.records[i].m_nTime = CDeviceRecord::TimeOf(raw, nYear);
        }
    }
    source = result;
    return true;
}

QStringList CVisitReportData::Rooms() const
{
    QList<QPair<int64_t, QString>> starts;
    for (const Source& source : m_Sources) {
        int64_t nStart = source.records.isEmpty() ? INT64_MAX : source.records.first().m_nTime;
        for (const CDeviceRecord& record : source.records)
            nStart = std::min(nStart, record.m_nTime);
        auto it = std::find_if(starts.begin(), starts.end(), [&](const auto& room) { return room.second == source.Room(); });
        if (it == starts.end())
            starts.append({nStart, source.Room()});
        else
            it->first = std::min(it->first, nStart);
    }
    std::stable_sort(starts.begin(), starts.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    QStringList rooms;
    for (const auto& room : starts)
        rooms << room.second;
    return rooms;
}

const CVisitReportData::Comparison* CVisitReportData::ComparisonOf(const QString& strRoom) const
{
    for (const Comparison& comparison : m_Comparisons)
        if (comparison.strRoom == strRoom)
            return &comparison;
    return nullptr;
}
