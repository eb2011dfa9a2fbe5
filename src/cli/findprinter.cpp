#include "findprinter.h"

#include "csvexporter.h"
#include "recordjson.h"
#include "recordtexts.h"
#include "sessioncomparison.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace {

QString TimeText(const CCaptureTime& capture, int64_t nInstantMs)
{
    return capture.IsoText(nInstantMs) + (capture.m_bGuessed ? QStringLiteral("?") : QString());
}

QString KindName(int nKind)
{
    return nKind > 0 && nKind < kSignalKindCount ? SignalKindName(nKind).trimmed() : QString();
}

QString Number(double d)
{
    return QString::number(d, 'f', 1);
}

// Columns as wide as their widest cell, the last one free.
QByteArray Table(const QList<QStringList>& rows)
{
    if (rows.isEmpty())
        return QByteArray();
    QList<int> widths(rows.first().size(), 0);
    for (const QStringList& row : rows)
        for (int c = 0; c < row.size() - 1; ++c)
            widths[c] = std::max(widths[c], int(row[c].size()));
    QString strText;
    for (const QStringList& row : rows) {
        QString strLine;
        for (int c = 0; c < row.size(); ++c)
            strLine += c + 1 < row.size() ? row[c].leftJustified(widths[c] + 2) : row[c];
        strText += strLine.trimmed() + QLatin1Char('\n');
    }
    return strText.toLocal8Bit();
}

QByteArray Csv(const QList<QStringList>& rows)
{
    QByteArray data;
    for (const QStringList& row : rows)
        data += CCsvExporter::Line(row).toUtf8() + '\n';
    return data;
}

QByteArray Json(const char* pKey, const QJsonArray& list)
{
    const QJsonObject document{{QStringLiteral("schema"), CRecordJson::kSchemaVersion}, {QLatin1String(pKey), list}};
    return QJsonDocument(document).toJson(QJsonDocument::Indented);
}

} // namespace

int CFindPrinter::KindOf(const QString& strName)
{
    bool bNumber = false;
    const int nCode = strName.toInt(&bNumber);
    if (bNumber)
        return nCode >= 0 && nCode < kSignalKindCount ? nCode : -1;
    const QString strWanted = strName.simplified().remove(QLatin1Char(' ')).toUpper();
    for (int k = 1; k < kSignalKindCount; ++k)
        if (SignalKindName(k).remove(QLatin1Char(' ')) == strWanted)
            return k;
    return -1;
}

QByteArray CFindPrinter::Events(const QList<CCatalogue::EventRow>& rows, Format eFormat)
{
    if (eFormat == Format::Json) {
        QJsonArray list;
        for (const CCatalogue::EventRow& row : rows) {
            list.append(QJsonObject{
                {QStringLiteral("time"), row.capture.IsoText(row.nInstantMs)},
                {QStringLiteral("utcOffsetSeconds"), row.capture.m_nUtcOffsetSecs},
                {QStringLiteral("timeGuessed"), row.capture.m_bGuessed},
                {QStringLiteral("site"), row.strSite},
                {QStringLiteral("room"), row.strRoom},
                {QStringLiteral("file"), row.strPath},
                {QStringLiteral("position"), qint64(row.nPosition)},
                {QStringLiteral("source"), row.bLog ? QStringLiteral("log") : QStringLiteral("realtime")},
                {QStringLiteral("alarm"), row.bAlarm},
                {QStringLiteral("signal"), KindName(row.nSignal)},
                {QStringLiteral("band"), row.nBand},
                {QStringLiteral("level"), row.dLevel},
                {QStringLiteral("levels"), row.strLevels},
                {QStringLiteral("frequency"), row.dFrequency},
            });
        }
        return Json("events", list);
    }
    QList<QStringList> table;
    table << QStringList{tr("Time"), tr("Site"), tr("Room"), tr("Event"), tr("Signal"), tr("Level, dB"),
                         tr("Frequency, MHz"), tr("File"), tr("Record")};
    for (const CCatalogue::EventRow& row : rows)
        table << QStringList{TimeText(row.capture, row.nInstantMs),
                             row.strSite,
                             row.strRoom,
                             row.bAlarm ? tr("alarm") : tr("event"),
                             KindName(row.nSignal),
                             Number(row.dLevel),
                             row.dFrequency != 0.0 ? CRecordTexts::FrequencyText(row.dFrequency) : QString(),
                             row.strPath,
                             QString::number(row.nPosition + 1)};
    return eFormat == Format::Csv ? Csv(table) : Table(table);
}

QByteArray CFindPrinter::Files(const QList<CCatalogue::FileRow>& rows, Format eFormat)
{
    if (eFormat == Format::Json) {
        QJsonArray list;
        for (const CCatalogue::FileRow& row : rows) {
            list.append(QJsonObject{
                {QStringLiteral("file"), row.strPath},
                {QStringLiteral("sha256"), row.strSha256},
                {QStringLiteral("kind"), row.bLog ? QStringLiteral("log") : QStringLiteral("realtime")},
                {QStringLiteral("first"), row.capture.IsoText(row.nFirstMs)},
                {QStringLiteral("last"), row.capture.IsoText(row.nLastMs)},
                {QStringLiteral("utcOffsetSeconds"), row.capture.m_nUtcOffsetSecs},
                {QStringLiteral("timeGuessed"), row.capture.m_bGuessed},
                {QStringLiteral("client"), row.context.m_strClient},
                {QStringLiteral("address"), row.context.m_strAddress},
                {QStringLiteral("room"), row.context.m_strRoom},
                {QStringLiteral("operator"), row.context.m_strOperator},
                {QStringLiteral("notes"), row.context.m_strNotes},
                {QStringLiteral("usbSerial"), row.strUsbSerial},
                {QStringLiteral("port"), row.strPort},
                {QStringLiteral("records"), qint64(row.nRecords)},
                {QStringLiteral("alarms"), qint64(row.nAlarms)},
                {QStringLiteral("maxLevels"), QJsonArray{row.maxLevels[0], row.maxLevels[1], row.maxLevels[2]}},
            });
        }
        return Json("files", list);
    }
    QList<QStringList> table;
    table << QStringList{tr("First"), tr("Last"), tr("Site"), tr("Room"), tr("Operator"), tr("Records"), tr("Alarms"),
                         tr("File")};
    for (const CCatalogue::FileRow& row : rows)
        table << QStringList{TimeText(row.capture, row.nFirstMs), TimeText(row.capture, row.nLastMs),
                             row.context.Site(),  row.context.m_strRoom,
                             row.context.m_strOperator, QString::number(row.nRecords),
                             QString::number(row.nAlarms), row.strPath};
    return eFormat == Format::Csv ? Csv(table) : Table(table);
}

QByteArray CFindPrinter::Baselines(const QList<CCatalogue::BaselineRow>& rows, Format eFormat)
{
    const auto setAt = [](int64_t nMs) {
        return QDateTime::fromMSecsSinceEpoch(nMs, Qt::UTC).toString(Qt::ISODate);
    };
    if (eFormat == Format::Json) {
        QJsonArray list;
        for (const CCatalogue::BaselineRow& row : rows) {
            list.append(QJsonObject{
                {QStringLiteral("current"), row.bCurrent},
                {QStringLiteral("setAt"), setAt(row.nSetAtMs)},
                {QStringLiteral("site"), row.strSite},
                {QStringLiteral("room"), row.strRoom},
                {QStringLiteral("file"), row.strPath},
                {QStringLiteral("first"), row.capture.IsoText(row.nFirstMs)},
                {QStringLiteral("last"), row.capture.IsoText(row.nLastMs)},
                {QStringLiteral("utcOffsetSeconds"), row.capture.m_nUtcOffsetSecs},
                {QStringLiteral("timeGuessed"), row.capture.m_bGuessed},
            });
        }
        return Json("baselines", list);
    }
    QList<QStringList> table;
    table << QStringList{tr("Current"), tr("Set at"), tr("Site"), tr("Room"), tr("First"), tr("Last"), tr("File")};
    for (const CCatalogue::BaselineRow& row : rows)
        table << QStringList{row.bCurrent ? QStringLiteral("*") : QString(), setAt(row.nSetAtMs), row.strSite,
                             row.strRoom, TimeText(row.capture, row.nFirstMs), TimeText(row.capture, row.nLastMs),
                             row.strPath};
    return eFormat == Format::Csv ? Csv(table) : Table(table);
}

QByteArray CFindPrinter::Differences(const QList<CSessionDifference>& differences, const CCaptureTime& capture,
                                     const QString& strNew, const QString& strBase, Format eFormat)
{
    const auto timeOf = [&](const CSessionDifference& d) {
        if (d.m_nPosition < 0)
            return QString();
        if (capture.m_bKnown)
            return capture.IsoText(d.m_nTime * 1000);
        return QDateTime::fromSecsSinceEpoch(d.m_nTime).toOffsetFromUtc(QDateTime::fromSecsSinceEpoch(d.m_nTime).offsetFromUtc())
                   .toString(Qt::ISODate)
             + QStringLiteral("?");
    };
    if (eFormat == Format::Json) {
        QJsonArray list;
        for (const CSessionDifference& d : differences) {
            QJsonObject entry{{QStringLiteral("kind"), CSessionDifference::KindKey(d.m_eKind)},
                              {QStringLiteral("description"), d.m_strText},
                              {QStringLiteral("time"), d.m_nPosition < 0 ? QJsonValue() : QJsonValue(timeOf(d))},
                              {QStringLiteral("position"), d.m_nPosition < 0 ? QJsonValue() : QJsonValue(qint64(d.m_nPosition))}};
            if (d.m_nSignal > 0)
                entry.insert(QStringLiteral("signal"), KindName(d.m_nSignal));
            if (d.m_nChannel >= 0)
                entry.insert(QStringLiteral("channel"), CSessionComparison::ChannelName(d.m_nChannel));
            if (d.m_eKind == CSessionDifference::Kind::FrequencyNew)
                entry.insert(QStringLiteral("frequencyMHz"), d.m_dFrequency / 1000.0);
            if (d.m_eKind == CSessionDifference::Kind::LevelRose || d.m_eKind == CSessionDifference::Kind::LevelFell) {
                entry.insert(QStringLiteral("before"), d.m_dBefore);
                entry.insert(QStringLiteral("now"), d.m_dNow);
            }
            list.append(entry);
        }
        const QJsonObject document{{QStringLiteral("schema"), CRecordJson::kSchemaVersion},
                                   {QStringLiteral("new"), strNew},
                                   {QStringLiteral("base"), strBase},
                                   {QStringLiteral("differences"), list}};
        return QJsonDocument(document).toJson(QJsonDocument::Indented);
    }
    QList<QStringList> table;
    table << QStringList{tr("Time"), tr("Record"), tr("Difference"), tr("Description")};
    for (const CSessionDifference& d : differences)
        table << QStringList{timeOf(d), d.m_nPosition < 0 ? QString() : QString::number(d.m_nPosition + 1),
                             CSessionDifference::KindKey(d.m_eKind), d.m_strText};
    return eFormat == Format::Csv ? Csv(table) : Table(table);
}
