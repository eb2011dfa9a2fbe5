#include "csvexporter.h"

#include "checkedsavefile.h"
#include "recordtexts.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>

namespace {

QString Tr(const char* pText)
{
    return QCoreApplication::translate("CCsvExporter", pText);
}

QString Decibels(double dValue)
{
    return QString::number(dValue, 'f', 1);
}

// Local time with its offset, so the file says which moment it means.
QString IsoTime(int64_t nSeconds, std::optional<int> utcOffset)
{
    if (utcOffset)
        return QDateTime::fromSecsSinceEpoch(nSeconds, Qt::OffsetFromUTC, *utcOffset).toString(Qt::ISODate);
    const QDateTime local = QDateTime::fromSecsSinceEpoch(nSeconds);
    return local.toOffsetFromUtc(local.offsetFromUtc()).toString(Qt::ISODate);
}

QString Bands(int nMask)
{
    QStringList parts;
    const int masks[3] = {0x01, 0x02, 0x04};
    for (int nBand : masks)
        if (nMask & nBand)
            parts << CRecordTexts::BandText(nBand);
    return parts.join(QLatin1Char('+'));
}

// The log list's names: "1" and "2" for channels B1 and B2, "1F" for B1F.
const char* const kEntryNames[6] = {"1DC", "1AC", "1FDC", "1FAC", "2DC", "2AC"};

} // namespace

QString CCsvExporter::Quote(const QString& strField)
{
    const bool bQuote = strField.contains(QLatin1Char(',')) || strField.contains(QLatin1Char('"'))
                     || strField.contains(QLatin1Char('\n')) || strField.contains(QLatin1Char('\r'))
                     || strField.startsWith(QLatin1Char(' ')) || strField.endsWith(QLatin1Char(' '));
    if (!bQuote)
        return strField;
    QString strQuoted = strField;
    strQuoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + strQuoted + QLatin1Char('"');
}

QStringList CCsvExporter::Header(int nVersion)
{
    if (nVersion == 2) {
        QStringList header = CRecordTexts::HeaderLabels();
        return header;
    }
    // The list's names wherever a realtime column holds the same quantity.
    const QStringList list = CRecordTexts::HeaderLabels();
    QStringList header = {list[CRecordTexts::ColNum], list[CRecordTexts::ColBand], list[CRecordTexts::ColAlarmTime],
                          list[CRecordTexts::ColDuration]};
    for (const char* pName : kEntryNames) {
        const QString strName = QLatin1String(pName);
        header << Tr(QT_TRANSLATE_NOOP("CCsvExporter", "%1 (dB)")).arg(strName)
               << Tr(QT_TRANSLATE_NOOP("CCsvExporter", "%1 Threshold (dB)")).arg(strName);
    }
    header << list[CRecordTexts::ColSignal] << list[CRecordTexts::ColFreq];
    return header;
}

QStringList CCsvExporter::Row(const CDeviceRecord& record, int nRow, int nVersion, std::optional<int> utcOffset)
{
    if (nVersion == 2) {
        QStringList row = CRecordTexts::RowTexts(record, nRow);
        // A spreadsheet needs the year the list leaves out.
        row[CRecordTexts::ColAlarmTime] = IsoTime(qint64(quint32(record.m_nTime)), utcOffset);
        return row;
    }
    QStringList row = {QString::number(nRow), Bands(record.m_nBandMask), IsoTime(record.m_nTime, utcOffset),
                       CRecordTexts::DurationText(record.m_nStatusWord)};
    for (int i = 0; i < 6; ++i) {
        const CDeviceLevel level = i < record.m_Levels.size() ? record.m_Levels[i] : CDeviceLevel();
        row << Decibels(level.m_dLevel) << Decibels(level.m_dThreshold);
    }
    const int nKind = CRecordTexts::SignalKindOf(record);
    row << (nKind >= 0 && nKind < kSignalKindCount ? SignalKindName(nKind).trimmed() : CRecordTexts::SignalText(nKind));
    row << (record.m_dFrequency != 0.0 ? CRecordTexts::FrequencyText(record.m_dFrequency) : QString());
    return row;
}

QString CCsvExporter::Line(const QStringList& fields)
{
    QStringList quoted;
    quoted.reserve(fields.size());
    for (const QString& strField : fields)
        quoted << Quote(strField);
    return quoted.join(QLatin1Char(','));
}

QByteArray CCsvExporter::Preamble(Dialect eDialect)
{
    return eDialect == Dialect::Excel ? QByteArray("\xEF\xBB\xBF") : QByteArray();
}

QByteArray CCsvExporter::LineEnd(Dialect eDialect)
{
    return eDialect == Dialect::Excel ? QByteArray("\r\n") : QByteArray("\n");
}

QByteArray CCsvExporter::Build(const QList<CDeviceRecord>& records, int nVersion, Dialect eDialect,
                               std::optional<int> utcOffset)
{
    const QByteArray lineEnd = LineEnd(eDialect);
    QByteArray data = Preamble(eDialect);
    const auto addLine = [&](const QStringList& fields) { data += Line(fields).toUtf8() + lineEnd; };
    addLine(Header(nVersion));
    int nRow = 0;
    for (const CDeviceRecord& record : records)
        addLine(Row(record, ++nRow, nVersion, utcOffset));
    return data;
}

bool CCsvExporter::Write(const QString& strPath, const QList<CDeviceRecord>& records, int nVersion, QString* pError,
                         Dialect eDialect, std::optional<int> utcOffset)
{
    CCheckedSaveFile file(strPath);
    const QByteArray data = Build(records, nVersion, eDialect, utcOffset);
    if (!file.Open() || !file.Write(data) || !file.Commit()) {
        if (pError)
            *pError = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(strPath), file.ErrorString());
        return false;
    }
    return true;
}
