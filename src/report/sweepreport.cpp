#include "sweepreport.h"

#include "alarmrule.h"
#include "checkedsavefile.h"
#include "pdfdocumentinfo.h"
#include "recordtexts.h"
#include "reportdiagram.h"
#include "reporttime.h"

#include <QDateTime>
#include <QBuffer>
#include <QDir>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace {

const char* const kChannelNames[3] = {"B1", "B1F", "B2"};
const char* const kEntryNames[6] = {"B1 DC", "B1 AC", "B1F DC", "B1F AC", "B2 DC", "B2 AC"};
// The level columns: B1F shares B1's, as in the log list; the Band column
// tells which of the two a row's levels are.
const char* const kLevelHeaders[4] = {"B1/B1F DC", "B1/B1F AC", "B2 DC", "B2 AC"};
// The list's Comment column is always empty in a file; the report leaves it out.
constexpr int kTableColumns = CRecordTexts::ColComment;
// Rows measured for the column widths: the cells have fixed formats, so a
// long table's first rows show its widest texts.
constexpr int kMeasuredRows = 2000;
const QColor kAlarmFill(0xff, 0xe0, 0xe0);
const QColor kGrid(0xd0, 0xd0, 0xd0);

// The list's texts, but in the report's words: the channels by the names the
// detector's display uses, the time with its year in the report's one
// format, and the signal kind with its inner blank ("DECT BASE"), for which
// the report has the room the list's narrow column lacks.
QStringList TableTexts(const CDeviceRecord& record, int nRow)
{
    QStringList texts = CRecordTexts::RowTexts(record, nRow);
    const int nKind = CRecordTexts::SignalKindOf(record);
    if (nKind > 0 && nKind < kSignalKindCount)
        texts[CRecordTexts::ColSignal] = SignalKindName(nKind).trimmed();
    for (int c = 0; c < 3; ++c)
        if (record.m_nBandMask == (1 << c))
            texts[CRecordTexts::ColBand] = QLatin1String(kChannelNames[c]);
    texts[CRecordTexts::ColAlarmTime] = CReportTime::Text(int64_t(quint32(record.m_nTime)));
    return texts;
}

QStringList TableHeader()
{
    QStringList header = CRecordTexts::HeaderLabels();
    for (int i = 0; i < 4; ++i)
        header[CRecordTexts::Col1DC + i] = QLatin1String(kLevelHeaders[i]);
    return header;
}

double LevelOf(const CDeviceRecord& record, int nEntry)
{
    return nEntry < record.m_Levels.size() ? record.m_Levels[nEntry].m_dLevel : 0.0;
}

} // namespace

CSweepReport::CSweepReport(const QList<CDeviceRecord>& records, int nVersion, const QString& strFileName)
    : m_Records(records)
    , m_nVersion(nVersion)
    , m_bLog(nVersion == 2)
    , m_strFileName(strFileName)
{
    Summarise();
}

void CSweepReport::SetContext(const CSweepContext& context, bool bZoneKnown, int nUtcOffsetSecs)
{
    m_Context = context;
    m_bZoneKnown = bZoneKnown;
    m_nUtcOffsetSecs = nUtcOffsetSecs;
}

bool CSweepReport::IsAlarm(const CDeviceRecord& record, bool bLog)
{
    return CAlarmRule::IsAlarm(record, bLog);
}

void CSweepReport::Summarise()
{
    m_Summary = Summary();
    m_TableRows.clear();
    m_Summary.maxLevels.fill(-1.0);
    bool bFirst = true;
    bool bWasAlarm = false;
    int nLastKind = -1;
    for (int i = 0; i < m_Records.size(); ++i) {
        const CDeviceRecord& record = m_Records[i];
        if (bFirst) {
            m_Summary.nFirst = m_Summary.nLast = record.m_nTime;
            bFirst = false;
        }
        m_Summary.nFirst = std::min(m_Summary.nFirst, record.m_nTime);
        m_Summary.nLast = std::max(m_Summary.nLast, record.m_nTime);
        const int nKind = CRecordTexts::SignalKindOf(record);
        const int nKindRow = nKind >= 0 && nKind < kSignalKindCount ? nKind : kSignalKindCount;
        ++m_Summary.signalCounts[size_t(nKindRow)];
        if (nKindRow != nLastKind)
            ++m_Summary.signalEpisodes[size_t(nKindRow)];
        nLastKind = nKindRow;
        for (int c = 0; c < 3; ++c)
            if (record.m_nBandMask & (1 << c))
                ++m_Summary.channelCounts[size_t(c)];
        m_Summary.nChannelMask |= record.m_nBandMask & 0x07;
        for (int e = 0; e < 6; ++e) {
            const double dLevel = LevelOf(record, e);
            if (dLevel > m_Summary.maxLevels[size_t(e)]) {
                m_Summary.maxLevels[size_t(e)] = dLevel;
                m_Summary.maxTimes[size_t(e)] = record.m_nTime;
            }
        }
        // A realtime file holds a record every few milliseconds: its events are
        // the moments a level reaches its threshold, not every record above it.
        const bool bAlarm = !m_bLog && IsAlarm(record, false);
        if (m_bLog || (bAlarm && !bWasAlarm))
            m_TableRows << i;
        bWasAlarm = bAlarm;
    }
}

double CSweepReport::Mm(double dMillimetres) const
{
    return dMillimetres * m_nResolution / 25.4;
}

bool CSweepReport::Write(const QString& strPath, QString* pError)
{
    return CCheckedSaveFile::WriteThrough(
        strPath,
        [this, &strPath](QIODevice& device, QString* pWhy) {
            if (Write(device, pWhy))
                return true;
            *pWhy = tr("Could not write the report %1.").arg(QDir::toNativeSeparators(strPath));
            return false;
        },
        pError);
}

bool CSweepReport::Write(QIODevice& device, QString* pError)
{
    m_Created = QDateTime::currentDateTime();
    const QString strTitle = tr("Sweep report: %1").arg(m_strFileName);
    const QString strCreator = QCoreApplication::applicationName() + QLatin1Char(' ') + QCoreApplication::applicationVersion();
    // Painted into memory first: the document information goes after the
    // writer's last byte, and a half-painted report never reaches the device.
    CPdfDocumentInfo info;
    info.m_strTitle = strTitle;
    info.m_strCreator = strCreator;
    QByteArray pdf;
    if (!info.PaintA4(pdf, m_nResolution, QMarginsF(15, 15, 15, 15),
                      [this](QPainter& painter, QPagedPaintDevice& device) { Paint(painter, device); })) {
        *pError = tr("Could not write the report.");
        return false;
    }
    info.m_strAuthor = m_Context.m_strOperator;
    info.m_strSubject = tr("RF sweep of %1").arg(m_Context.Site().isEmpty() ? m_strFileName : m_Context.Site());
    info.m_strKeywords = QStringList({m_Context.Site(), m_Context.m_strRoom}).filter(QRegularExpression(QStringLiteral("\\S"))).join(QStringLiteral(", "));
    info.m_Created = m_Created;
    // Without the entries the report is still whole; the writer's own title stays.
    info.AppendTo(pdf);
    if (device.write(pdf) != pdf.size()) {
        *pError = device.errorString();
        return false;
    }
    return true;
}

double CSweepReport::PaintTitle(QPainter& painter, double dWidth)
{
    QFont title = painter.font();
    title.setPointSizeF(16);
    title.setBold(true);
    painter.setFont(title);
    const double dTitleHeight = QFontMetricsF(title, painter.device()).height();
    painter.drawText(QRectF(0, 0, dWidth, dTitleHeight), Qt::AlignLeft | Qt::AlignVCenter,
                     QCoreApplication::applicationName() + QStringLiteral(" \u2014 ") + tr("Sweep Report"));
    double dY = dTitleHeight + Mm(3);

    QFont body = title;
    body.setPointSizeF(10);
    body.setBold(false);
    QFont bold = body;
    bold.setBold(true);
    const double dLine = QFontMetricsF(body, painter.device()).height() * 1.25;
    QStringList channels;
    for (int c = 0; c < 3; ++c)
        if (m_Summary.nChannelMask & (1 << c))
            channels << QLatin1String(kChannelNames[c]);
    const QString strZone = CReportTime::ZoneText(m_bZoneKnown, m_nUtcOffsetSecs);
    QList<QPair<QString, QString>> lines;
    if (!m_Context.Site().isEmpty())
        lines.append({tr("Site"), m_Context.Site()});
    if (!m_Context.m_strRoom.isEmpty())
        lines.append({tr("Room"), m_Context.m_strRoom});
    if (!m_Context.m_strOperator.isEmpty())
        lines.append({tr("Operator"), m_Context.m_strOperator});
    lines += {
        {tr("File"), m_strFileName + QStringLiteral(" (") + (m_bLog ? tr("log file") : tr("realtime file")) + QLatin1Char(')')},
        {tr("Period"), m_Records.isEmpty() ? tr("no records")
                                           : CReportTime::Text(m_Summary.nFirst) + QStringLiteral(" \u2013 ")
                                                 + CReportTime::Text(m_Summary.nLast) + QStringLiteral(" (") + strZone
                                                 + QLatin1Char(')')},
        {m_bLog ? tr("Events") : tr("Records"), QString::number(m_Records.size())},
        {tr("Channels used"), channels.isEmpty() ? tr("none") : channels.join(QStringLiteral(", "))},
        {tr("Created"), CReportTime::Text(m_Created)},
    };
    // Labels differ much in length between languages: the widest sets the column.
    double dLabels = Mm(30);
    const QFontMetricsF boldMetrics(bold, painter.device());
    for (const auto& line : lines)
        dLabels = std::max(dLabels, boldMetrics.horizontalAdvance(line.first) + Mm(4));
    for (const auto& line : lines) {
        painter.setFont(bold);
        painter.drawText(QRectF(0, dY, dLabels, dLine), Qt::AlignLeft | Qt::AlignVCenter, line.first);
        painter.setFont(body);
        painter.drawText(QRectF(dLabels, dY, dWidth - dLabels, dLine), Qt::AlignLeft | Qt::AlignVCenter, line.second);
        dY += dLine;
    }
    return dY + Mm(4);
}

double CSweepReport::PaintSummary(QPainter& painter, double dTop, double dWidth)
{
    QFont body = painter.font();
    body.setPointSizeF(9);
    body.setBold(false);
    QFont bold = body;
    bold.setBold(true);
    const double dLine = QFontMetricsF(body, painter.device()).height() * 1.25;
    // Kinds and channels are short lists; the highest levels carry times.
    const double dColumn = (dWidth - Mm(8)) * 0.25;
    const double dWide = dWidth - 2 * (dColumn + Mm(4));

    const auto heading = [&](double dX, double dY, const QString& strText) {
        painter.setFont(bold);
        painter.drawText(QRectF(dX, dY, dColumn, dLine), Qt::AlignLeft | Qt::AlignVCenter, strText);
        painter.setFont(body);
    };
    const auto row = [&](double dX, double dY, const QString& strName, const QString& strValue) {
        painter.drawText(QRectF(dX, dY, dColumn * 0.55, dLine), Qt::AlignLeft | Qt::AlignVCenter, strName);
        painter.drawText(QRectF(dX + dColumn * 0.55, dY, dColumn * 0.45, dLine), Qt::AlignLeft | Qt::AlignVCenter,
                         strValue);
    };

    double dY = dTop;
    double dBottom = dTop;
    // A realtime file holds a record every few milliseconds: its kinds are
    // counted in episodes, or one transmitter would read like a hundred.
    heading(0, dY, m_bLog ? tr("Signal kinds: events") : tr("Signal kinds: episodes"));
    for (int k = 0; k <= kSignalKindCount; ++k) {
        const int nCount = (m_bLog ? m_Summary.signalCounts : m_Summary.signalEpisodes)[size_t(k)];
        if (nCount == 0)
            continue;
        const QString strName = k == 0 ? tr("none") : k < kSignalKindCount ? SignalKindName(k).trimmed() : tr("unknown");
        dY += dLine;
        row(0, dY, strName, QString::number(nCount));
    }
    dBottom = std::max(dBottom, dY + dLine);

    dY = dTop;
    const double dX2 = dColumn + Mm(4);
    heading(dX2, dY, m_bLog ? tr("Channels: events") : tr("Channels: records"));
    for (int c = 0; c < 3; ++c) {
        dY += dLine;
        row(dX2, dY, QLatin1String(kChannelNames[c]), QString::number(m_Summary.channelCounts[size_t(c)]));
    }
    dBottom = std::max(dBottom, dY + dLine);

    dY = dTop;
    const double dX3 = 2 * (dColumn + Mm(4));
    heading(dX3, dY, tr("Highest levels"));
    for (int e = 0; e < 6; ++e) {
        dY += dLine;
        const double dLevel = m_Summary.maxLevels[size_t(e)];
        painter.drawText(QRectF(dX3, dY, dWide * 0.22, dLine), Qt::AlignLeft | Qt::AlignVCenter,
                         QLatin1String(kEntryNames[e]));
        painter.drawText(QRectF(dX3 + dWide * 0.22, dY, dWide * 0.78, dLine), Qt::AlignLeft | Qt::AlignVCenter,
                         dLevel > 0.0 ? tr("%1 dB").arg(dLevel, 0, 'f', 1) + QStringLiteral("  ") + CReportTime::Text(m_Summary.maxTimes[size_t(e)])
                                      : QStringLiteral("\u2014"));
    }
    dBottom = std::max(dBottom, dY + dLine);
    if (!m_bLog && !m_Records.isEmpty()) {
        painter.setFont(body);
        const QRectF note(0, dBottom + Mm(2), dWidth, 2 * dLine);
        painter.drawText(note, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                         tr("An episode is a run of consecutive records of one signal kind, not a count of devices; "
                            "the file holds %1 records.")
                             .arg(m_Records.size()));
        dBottom = note.bottom();
    }
    return dBottom;
}

double CSweepReport::PaintTableLegend(QPainter& painter, double dTop, double dWidth)
{
    QFont small = painter.font();
    small.setPointSizeF(7.5);
    small.setBold(false);
    painter.setFont(small);
    const double dLine = QFontMetricsF(small, painter.device()).height() * 1.2;
    const QRectF swatch(0, dTop, Mm(6), dLine);
    painter.fillRect(swatch, kAlarmFill);
    painter.setPen(Qt::black);
    painter.drawText(swatch, Qt::AlignCenter, QStringLiteral("!"));
    const QString strAlarm = m_bLog ? tr("Alarm: the detector flagged a level at or above its threshold.")
                                    : tr("Alarm: a level reached its threshold.");
    painter.drawText(QRectF(Mm(8), dTop, dWidth - Mm(8), dLine), Qt::AlignLeft | Qt::AlignVCenter,
                     strAlarm + QLatin1Char(' ')
                         + tr("Levels in dB; B1/B1F columns hold the level of the channel named in the Band column."));
    return dTop + dLine + Mm(1);
}

void CSweepReport::PaintFooter(QPainter& painter, double dWidth, double dHeight, int nPage)
{
    QFont small = painter.font();
    small.setPointSizeF(7.5);
    small.setBold(false);
    painter.setFont(small);
    painter.setPen(Qt::black);
    const double dLine = QFontMetricsF(small, painter.device()).height();
    const QRectF rect(0, dHeight - dLine, dWidth, dLine);
    painter.drawText(rect, Qt::AlignLeft | Qt::AlignVCenter, m_strFileName);
    painter.drawText(rect, Qt::AlignRight | Qt::AlignVCenter, tr("Page %1 of %2").arg(nPage).arg(m_nPages));
}

void CSweepReport::Paint(QPainter& painter, QPagedPaintDevice& device)
{
    const double dWidth = device.width();
    const double dHeight = device.height();
    QFont base(QStringLiteral("DejaVu Sans"));
    base.setStyleHint(QFont::SansSerif);
    // No ligatures: "file" stays four letters for a reader's search and copy.
    base.setStyleStrategy(QFont::PreferNoShaping);
    painter.setFont(base);

    QFont cell = base;
    cell.setPointSizeF(8);
    QFont cellBold = cell;
    cellBold.setBold(true);
    const QFontMetricsF cellMetrics(cell, &device);
    const double dRow = cellMetrics.height() * 1.35;
    const double dFooter = QFontMetricsF(cell, &device).height() + Mm(3);
    QFont legend = base;
    legend.setPointSizeF(7.5);
    // Below the table's title (7 mm) and its legend line, as PaintTableLegend places them.
    const double dTableTop = Mm(7) + QFontMetricsF(legend, &device).height() * 1.2 + Mm(1);
    const int nRowsPerPage = std::max(1, int((dHeight - dFooter - dTableTop) / dRow) - 1);
    const int nTablePages = (int(m_TableRows.size()) + nRowsPerPage - 1) / nRowsPerPage;
    m_nPages = 1 + nTablePages;

    // Page 1: what the file is and what it holds.
    double dY = PaintTitle(painter, dWidth);
    const QRectF diagram(0, dY, dWidth, Mm(100));
    CReportDiagram::Paint(painter, diagram, m_Records, m_bLog, Mm(1));
    dY = diagram.bottom() + Mm(6);
    dY = PaintSummary(painter, dY, dWidth);
    if (m_TableRows.isEmpty()) {
        painter.setFont(base);
        painter.drawText(QRectF(0, dY + Mm(4), dWidth, Mm(8)), Qt::AlignLeft | Qt::AlignVCenter,
                         m_bLog ? tr("The file holds no events.") : tr("No level reached its threshold."));
    }
    PaintFooter(painter, dWidth, dHeight, 1);

    // The table: whole rows only, the header again on every page.
    const QStringList header = TableHeader();
    // Each column as wide as its widest text, the header's included, in the
    // language of the report; what is left over is shared out in proportion.
    const QFontMetricsF boldMetrics(cellBold, &device);
    const double dPadding = Mm(1.5);
    double aWidths[kTableColumns + 1] = {};
    aWidths[0] = boldMetrics.horizontalAdvance(QStringLiteral("!")) + dPadding;
    for (int c = 0; c < kTableColumns; ++c)
        aWidths[c + 1] = boldMetrics.horizontalAdvance(header.value(c)) + dPadding;
    aWidths[CRecordTexts::ColSignal + 1] = std::max(aWidths[CRecordTexts::ColSignal + 1],
                                                cellMetrics.horizontalAdvance(SignalKindName(3).trimmed()) + dPadding);
    const int nMeasured = std::min(int(m_TableRows.size()), kMeasuredRows);
    for (int r = 0; r < nMeasured; ++r) {
        const QStringList texts = TableTexts(m_Records[m_TableRows[r]], m_TableRows[r] + 1);
        for (int c = 0; c < kTableColumns; ++c)
            aWidths[c + 1] = std::max(aWidths[c + 1], cellMetrics.horizontalAdvance(texts.value(c)) + dPadding);
    }
    double dTotal = 0.0;
    for (double dColumn : aWidths)
        dTotal += dColumn;
    double aColumnX[kTableColumns + 2] = {};
    for (int c = 0; c <= kTableColumns; ++c)
        aColumnX[c + 1] = aColumnX[c] + aWidths[c] * dWidth / dTotal;
    const QString strTitle = m_bLog ? tr("Events") : tr("Moments a level reached its threshold");
    for (int nPage = 0; nPage < nTablePages; ++nPage) {
        device.newPage();
        painter.setFont(cellBold);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(0, 0, dWidth, Mm(7)), Qt::AlignLeft | Qt::AlignVCenter, strTitle);
        double dRowY = PaintTableLegend(painter, Mm(7), dWidth);
        painter.setFont(cellBold);
        painter.fillRect(QRectF(0, dRowY, dWidth, dRow), QColor(0xe8, 0xe8, 0xe8));
        for (int c = 0; c < kTableColumns; ++c)
            painter.drawText(QRectF(aColumnX[c + 1] + Mm(0.5), dRowY, aColumnX[c + 2] - aColumnX[c + 1] - Mm(1), dRow),
                             Qt::AlignLeft | Qt::AlignVCenter, header.value(c));
        painter.setFont(cell);
        // Cells are short single lines: drawing them at a baseline skips the
        // text layout a rectangle needs, which made long tables slow.
        const double dBaseline = (dRow + cellMetrics.ascent() - cellMetrics.descent()) / 2;
        const int nFirst = nPage * nRowsPerPage;
        const int nEnd = std::min(int(m_TableRows.size()), nFirst + nRowsPerPage);
        for (int r = nFirst; r < nEnd; ++r) {
            dRowY += dRow;
            const int nIndex = m_TableRows[r];
            const CDeviceRecord& record = m_Records[nIndex];
            const bool bAlarm = IsAlarm(record, m_bLog);
            if (bAlarm) {
                painter.fillRect(QRectF(0, dRowY, dWidth, dRow), kAlarmFill);
                painter.drawText(QPointF(aColumnX[0] + Mm(1), dRowY + dBaseline), QStringLiteral("!"));
            }
            const QStringList texts = TableTexts(record, nIndex + 1);
            for (int c = 0; c < kTableColumns; ++c)
                painter.drawText(QPointF(aColumnX[c + 1] + Mm(0.5), dRowY + dBaseline), texts.value(c));
        }
        painter.setPen(QPen(kGrid, Mm(0.15)));
        painter.drawLine(QPointF(0, dRowY + dRow), QPointF(dWidth, dRowY + dRow));
        PaintFooter(painter, dWidth, dHeight, nPage + 2);
    }
}
