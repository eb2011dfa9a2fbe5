#include "recordjson.h"

#include "recordtexts.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

const char* const kEntryKeys[6] = {"B1 DC", "B1 AC", "B1F DC", "B1F AC", "B2 DC", "B2 AC"};

} // namespace

QByteArray CRecordJson::Line(const CDeviceRecord& record, int nRow, int nVersion, std::optional<int> utcOffset)
{
    const QDateTime local = utcOffset ? QDateTime::fromSecsSinceEpoch(record.m_nTime, Qt::OffsetFromUTC, *utcOffset)
                                      : QDateTime::fromSecsSinceEpoch(record.m_nTime);
    const bool bLog = nVersion == 2;
    QJsonObject object;
    object.insert(QStringLiteral("schema"), kSchemaVersion);
    object.insert(QStringLiteral("num"), nRow);
    object.insert(QStringLiteral("kind"), bLog ? QStringLiteral("log") : QStringLiteral("realtime"));
    object.insert(QStringLiteral("time"), local.toOffsetFromUtc(local.offsetFromUtc()).toString(Qt::ISODate));
    object.insert(QStringLiteral("bandMask"), record.m_nBandMask);
    object.insert(QStringLiteral("status"), record.m_nStatusWord);
    // A log event keeps how long it lasted where a live record has its status.
    if (bLog)
        object.insert(QStringLiteral("durationSeconds"), record.m_nStatusWord);
    QJsonArray levels;
    for (int i = 0; i < 6; ++i) {
        const CDeviceLevel level = i < record.m_Levels.size() ? record.m_Levels[i] : CDeviceLevel();
        QJsonObject entry;
        entry.insert(QStringLiteral("entry"), QLatin1String(kEntryKeys[i]));
        entry.insert(QStringLiteral("level"), level.m_dLevel);
        entry.insert(QStringLiteral("threshold"), level.m_dThreshold);
        entry.insert(QStringLiteral("band"), level.m_nBandByte);
        entry.insert(QStringLiteral("signal"), level.m_nSignal);
        levels.append(entry);
    }
    object.insert(QStringLiteral("levels"), levels);
    const int nKind = CRecordTexts::SignalKindOf(record);
    object.insert(QStringLiteral("signal"),
                  nKind > 0 && nKind < kSignalKindCount ? SignalKindName(nKind).trimmed() : QString());
    if (record.m_dFrequency != 0.0)
        object.insert(QStringLiteral("frequencyMHz"), record.m_dFrequency / 1000.0);
    // Every line says its units, so that a line read alone is understood.
    object.insert(QStringLiteral("units"), QJsonObject{{QStringLiteral("level"), QStringLiteral("dB")},
                                                       {QStringLiteral("threshold"), QStringLiteral("dB")},
                                                       {QStringLiteral("frequencyMHz"), QStringLiteral("MHz")},
                                                       {QStringLiteral("durationSeconds"), QStringLiteral("s")}});
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}
