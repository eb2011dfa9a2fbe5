#include "recordtexts.h"

#include "kv520protocol.h"

#include <QDateTime>

namespace {

double LevelOf(const CDeviceRecord& record, int nEntry)
{
    return nEntry < record.m_Levels.size() ? record.m_Levels[nEntry].m_dLevel : 0.0;
}

int BandByteOf(const CDeviceRecord& record, int nEntry)
{
    return nEntry < record.m_Levels.size() ? record.m_Levels[nEntry].m_nBandByte : 0;
}

QString Level(double dValue)
{
    return QString::number(dValue, 'f', 1);
}

} // namespace

QStringList CRecordTexts::HeaderLabels()
{
    return {tr("Num"),      tr("Band"),     tr("Alarm Time"), tr("Duration"),   tr("1DC (dB)"), tr("1AC (dB)"),
            tr("2DC (dB)"), tr("2AC (dB)"), tr("Signal"),     tr("Freq (MHz)"), tr("Comment")};
}

QString CRecordTexts::BandText(int nBandMask)
{
    switch (nBandMask) {
    case 0x01:
        return tr("1");
    case 0x02:
        return tr("1F");
    case 0x04:
        return tr("2");
    default:
        return tr("n/a");
    }
}

QString CRecordTexts::DurationText(int nSeconds)
{
    const auto part = [](int n, int m) { return QStringLiteral("%1").arg(((n % m) + m) % m, 2, 10, QLatin1Char('0')); };
    return part(nSeconds / 3600, 24) + QLatin1Char(':') + part(nSeconds / 60, 60) + QLatin1Char(':') + part(nSeconds, 60);
}

int CRecordTexts::SignalKindOf(const CDeviceRecord& record)
{
    int nKind = 0;
    for (const CDeviceLevel& level : record.m_Levels)
        if (level.m_nSignal != 0)
            nKind = level.m_nSignal;
    return nKind;
}

QString CRecordTexts::SignalText(int nKind)
{
    // The detector may report kinds this program does not know yet.
    if (nKind < 0 || nKind >= kSignalKindCount)
        return tr("n/a");
    return SignalKindName(nKind).remove(QLatin1Char(' '));
}

QStringList CRecordTexts::RowTexts(const CDeviceRecord& record, int nRow)
{
    // The B1F channel shares the "1" columns: its entries fill them when B1's are empty.
    const double d1DC = LevelOf(record, 0) != 0.0 ? LevelOf(record, 0) : LevelOf(record, 2);
    const double d1AC = LevelOf(record, 1) != 0.0 ? LevelOf(record, 1) : LevelOf(record, 3);
    const QDateTime alarm = QDateTime::fromSecsSinceEpoch(qint64(quint32(record.m_nTime)));
    return {QString::number(nRow),
            BandText(record.m_nBandMask),
            alarm.toString(QStringLiteral("dd-MM hh:mm:ss")),
            DurationText(record.m_nStatusWord),
            Level(d1DC),
            Level(d1AC),
            Level(LevelOf(record, 4)),
            Level(LevelOf(record, 5)),
            SignalText(SignalKindOf(record)),
            record.m_dFrequency != 0.0 ? FrequencyText(record.m_dFrequency) : QString(),
            QString()};
}

unsigned CRecordTexts::HighlightMask(const CDeviceRecord& record)
{
    int nAll = 0;
    for (const CDeviceLevel& level : record.m_Levels)
        nAll |= level.m_nBandByte;
    unsigned nMask = 0;
    const auto set = [&](int nColumn, bool bOn) {
        if (bOn)
            nMask |= 1u << nColumn;
    };
    set(Col1DC, ((BandByteOf(record, 0) | BandByteOf(record, 2)) & 0x01) != 0);
    set(Col1AC, ((BandByteOf(record, 1) | BandByteOf(record, 3)) & 0x02) != 0);
    set(Col2DC, (BandByteOf(record, 4) & 0x01) != 0);
    set(Col2AC, (BandByteOf(record, 5) & 0x02) != 0);
    set(ColSignal, (nAll & 0x3C) != 0);
    set(ColFreq, record.m_dFrequency != 0.0 && (nAll & 0x40) != 0);
    return nMask;
}

QString CRecordTexts::FrequencyText(double dKilohertz)
{
    return QStringLiteral("%1").arg(dKilohertz / 1000.0, 0, 'f', 2);
}
