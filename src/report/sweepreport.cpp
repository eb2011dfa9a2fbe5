#include "sweepreport.h"

#include "alarmrule.h"
#include "checkedsavefile.h"
#include "recordtexts.h"

#include <QDateTime>
#include <QDir>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>

namespace {

const char* const kChannelNames[3] = {"B1", "B1F", "B2"};
const char* const kEntryNames[6] = {"B1 DC", "B1 AC", "B1F DC", "B1F AC", "B2 DC", "B2 AC"};
// The list's Comment column is always empty in a file; the report leaves it out.
constexpr int kTableColumns = CRecordTexts::ColComment;
// Rows measured for the column widths: the cells have fixed formats, so a
// long table's first rows show its widest texts.
constexpr int kMeasuredRows = 2000;
const QColor kChannelColors[3] = {QColor(0x1f, 0x5f, 0xbf), QColor(0x2e, 0x8b, 0x2e), QColor(0xc0, 0x30, 0x30)};
const QColor kAlarmFill(0xff, 0xe0, 0xe0);
const QColor kGrid(0xd0, 0xd0, 0xd0);

// The list's texts, but the signal kind keeps its inner blank ("DECT BASE"):
// the report has the room the list's narrow column lacks.
QStringList TableTexts(const CDeviceRecord& record, int nRow)
{
    QStringList texts = CRecordTexts::RowTexts(record, nRow);
    const int nKind = CRecordTexts::SignalKindOf(record);
    if (nKind > 0 && nKind < kSignalKindCount)
        texts[CRecordTexts::ColSignal] = SignalKindName(nKind).trimmed();
    return texts;
}

QString TimeText(int64_t nSeconds)
{
    return QDateTime::fromSecsSinceEpoch(nSeconds).toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

double LevelOf(const CDeviceRecord& record, int nEntry)
{
    return nEntry < record.m_Levels.size() ? record.m_Levels[nEntry].m_dLevel : 0.0;
}

// A step of 1, 2 or 5 times a power of ten that gives at most nMax steps over dSpan.
double NiceStep(double dSpan, int nMax)
{
    const double dRaw = dSpan / std::max(1, nMax);
    const double dPower = std::pow(10.0, std::floor(std::log10(std::max(dRaw, 1e-9))));
    for (double dFactor : {1.0, 2.0, 5.0, 10.0})
        if (dFactor * dPower >= dRaw)
            return dFactor * dPower;
    return 10.0 * dPower;
}

// A step of whole seconds, minutes, hours or days that gives at most nMax steps.
double TimeStep(double dSpan, int nMax)
{
    static const double kSteps[] = {1, 2, 5, 10, 15, 30, 60, 120, 300, 600, 900, 1800, 3600, 7200, 10800, 21600, 43200, 86400};
    for (double dStep : kSteps)
        if (dSpan / dStep <= nMax)
            return dStep;
    return std::ceil(dSpan / nMax / 86400.0) * 86400.0;
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
    for (int i = 0; i < m_Records.size(); ++i) {
        const CDeviceRecord& record = m_Records[i];
        if (bFirst) {
            m_Summary.nFirst = m_Summary.nLast = record.m_nTime;
            bFirst = false;
        }
        m_Summary.nFirst = std::min(m_Summary.nFirst, record.m_nTime);
        m_Summary.nLast = std::max(m_Summary.nLast, record.m_nTime);
        const int nKind = CRecordTexts::SignalKindOf(record);
        ++m_Summary.signalCounts[nKind >= 0 && nKind < kSignalKindCount ? nKind : kSignalKindCount];
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
    CCheckedSaveFile file(strPath);
    if (!file.Open()) {
        *pError = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(strPath), file.ErrorString());
        return false;
    }
    if (!Write(*file.Device(), pError)) {
        *pError = tr("Could not write the report %1.").arg(QDir::toNativeSeparators(strPath));
        file.Cancel();
        return false;
    }
    if (!file.Commit()) {
        *pError = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(strPath), file.ErrorString());
        return false;
    }
    return true;
}

bool CSweepReport::Write(QIODevice& device, QString* pError)
{
    QPdfWriter writer(&device);
    writer.setResolution(m_nResolution);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                                     QPageLayout::Millimeter));
    writer.setTitle(tr("Sweep report: %1").arg(m_strFileName));
    writer.setCreator(QCoreApplication::applicationName() + QLatin1Char(' ') + QCoreApplication::applicationVersion());
    QPainter painter;
    if (!painter.begin(&writer)) {
        *pError = tr("Could not write the report.");
        return false;
    }
    Paint(painter, writer);
    return painter.end();
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
    const QList<QPair<QString, QString>> lines = {
        {tr("File"), m_strFileName + QStringLiteral(" (") + (m_bLog ? tr("log file") : tr("realtime file")) + QLatin1Char(')')},
        {tr("Period"), m_Records.isEmpty() ? tr("no records")
                                           : TimeText(m_Summary.nFirst) + QStringLiteral(" \u2013 ") + TimeText(m_Summary.nLast)},
        {m_bLog ? tr("Events") : tr("Records"), QString::number(m_Records.size())},
        {tr("Channels used"), channels.isEmpty() ? tr("none") : channels.join(QStringLiteral(", "))},
        {tr("Created"), QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm"))},
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

void CSweepReport::PaintDiagram(QPainter& painter, const QRectF& area)
{
    QFont small = painter.font();
    small.setPointSizeF(7.5);
    small.setBold(false);
    painter.setFont(small);
    const QFontMetricsF metrics(small, painter.device());
    const double dLabel = metrics.height();
    const QRectF plot(area.left() + metrics.horizontalAdvance(tr("%1 dB").arg(QStringLiteral("000"))) + Mm(2), area.top() + Mm(1),
                      0, 0);
    QRectF frame = plot;
    frame.setRight(area.right() - Mm(1));
    frame.setBottom(area.bottom() - 3 * dLabel - Mm(3));

    double dMaxLevel = 10.0;
    for (double dLevel : m_Summary.maxLevels)
        dMaxLevel = std::max(dMaxLevel, dLevel);
    const double dLevelStep = NiceStep(dMaxLevel, 8);
    const double dTop = std::ceil(dMaxLevel / dLevelStep) * dLevelStep;
    // A file of one moment still gets a readable time axis.
    const double dStart = double(m_Summary.nFirst) - (m_Summary.nLast == m_Summary.nFirst ? 30.0 : 0.0);
    const double dEnd = double(m_Summary.nLast) + (m_Summary.nLast == m_Summary.nFirst ? 30.0 : 0.0);
    const auto xOf = [&](double dTime) { return frame.left() + (dTime - dStart) / (dEnd - dStart) * frame.width(); };
    const auto yOf = [&](double dLevel) { return frame.bottom() - std::clamp(dLevel / dTop, 0.0, 1.0) * frame.height(); };

    painter.setPen(QPen(kGrid, Mm(0.15)));
    for (double dLevel = 0.0; dLevel <= dTop + 1e-9; dLevel += dLevelStep) {
        const double dY = yOf(dLevel);
        painter.drawLine(QPointF(frame.left(), dY), QPointF(frame.right(), dY));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(area.left(), dY - dLabel / 2, frame.left() - area.left() - Mm(1), dLabel),
                         Qt::AlignRight | Qt::AlignVCenter, tr("%1 dB").arg(dLevel, 0, 'f', 0));
        painter.setPen(QPen(kGrid, Mm(0.15)));
    }
    const bool bOneDay = QDateTime::fromSecsSinceEpoch(qint64(dStart)).date()
                      == QDateTime::fromSecsSinceEpoch(qint64(dEnd)).date();
    const QString strFormat = bOneDay ? QStringLiteral("hh:mm:ss") : QStringLiteral("dd.MM hh:mm");
    const double dTimeStep = TimeStep(dEnd - dStart, 6);
    for (double dTime = std::ceil(dStart / dTimeStep) * dTimeStep; dTime <= dEnd; dTime += dTimeStep) {
        const double dX = xOf(dTime);
        painter.setPen(QPen(kGrid, Mm(0.15)));
        painter.drawLine(QPointF(dX, frame.top()), QPointF(dX, frame.bottom()));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(dX - Mm(15), frame.bottom() + Mm(1), Mm(30), dLabel), Qt::AlignCenter,
                         QDateTime::fromSecsSinceEpoch(qint64(dTime)).toString(strFormat));
    }
    painter.setPen(QPen(Qt::black, Mm(0.2)));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(frame);

    painter.save();
    painter.setClipRect(frame.adjusted(-Mm(0.5), -Mm(0.5), Mm(0.5), Mm(0.5)));
    // One point per quarter millimetre at most: the highest level in each
    // column, so peaks survive and a day of records stays a small file.
    const int nColumns = std::max(1, int(frame.width() / Mm(0.25)));
    for (int e = 0; e < 6; ++e) {
        const int nChannel = e / 2;
        QPen pen(kChannelColors[nChannel], Mm(e % 2 == 0 ? 0.3 : 0.2));
        if (e % 2 == 1)
            pen.setStyle(Qt::DashLine);
        painter.setPen(pen);
        if (m_bLog) {
            // Events are moments: a stem up to each level.
            for (const CDeviceRecord& record : m_Records) {
                const double dLevel = LevelOf(record, e);
                if (!(record.m_nBandMask & (1 << nChannel)) || dLevel <= 0.0)
                    continue;
                const double dX = xOf(double(record.m_nTime));
                painter.drawLine(QPointF(dX, yOf(0.0)), QPointF(dX, yOf(dLevel)));
            }
            continue;
        }
        std::vector<double> columns(size_t(nColumns), -1.0);
        for (const CDeviceRecord& record : m_Records) {
            if (!(record.m_nBandMask & (1 << nChannel)))
                continue;
            const int nColumn = std::clamp(int((double(record.m_nTime) - dStart) / (dEnd - dStart) * (nColumns - 1)),
                                           0, nColumns - 1);
            columns[size_t(nColumn)] = std::max(columns[size_t(nColumn)], LevelOf(record, e));
        }
        QPainterPath path;
        bool bOpen = false;
        for (int c = 0; c < nColumns; ++c) {
            if (columns[size_t(c)] < 0.0)
                continue;
            const QPointF point(frame.left() + double(c) / std::max(1, nColumns - 1) * frame.width(),
                                yOf(columns[size_t(c)]));
            if (bOpen)
                path.lineTo(point);
            else
                path.moveTo(point);
            bOpen = true;
        }
        painter.drawPath(path);
    }
    painter.restore();

    // Legend under the time labels.
    double dX = frame.left();
    const double dY = frame.bottom() + dLabel + Mm(3);
    for (int e = 0; e < 6; ++e) {
        QPen pen(kChannelColors[e / 2], Mm(e % 2 == 0 ? 0.3 : 0.2));
        if (e % 2 == 1)
            pen.setStyle(Qt::DashLine);
        painter.setPen(pen);
        painter.drawLine(QPointF(dX, dY + dLabel / 2), QPointF(dX + Mm(8), dY + dLabel / 2));
        painter.setPen(Qt::black);
        const QString strName = QLatin1String(kEntryNames[e]);
        painter.drawText(QRectF(dX + Mm(9), dY, Mm(20), dLabel), Qt::AlignLeft | Qt::AlignVCenter, strName);
        dX += Mm(9) + metrics.horizontalAdvance(strName) + Mm(5);
    }
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
    heading(0, dY, tr("Signal kinds"));
    for (int k = 0; k <= kSignalKindCount; ++k) {
        const int nCount = m_Summary.signalCounts[size_t(k)];
        if (nCount == 0)
            continue;
        const QString strName = k == 0 ? tr("none") : k < kSignalKindCount ? SignalKindName(k).trimmed() : tr("unknown");
        dY += dLine;
        row(0, dY, strName, QString::number(nCount));
    }
    dBottom = std::max(dBottom, dY + dLine);

    dY = dTop;
    const double dX2 = dColumn + Mm(4);
    heading(dX2, dY, tr("Channels"));
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
                         dLevel > 0.0 ? tr("%1 dB").arg(dLevel, 0, 'f', 1) + QStringLiteral("  ") + TimeText(m_Summary.maxTimes[size_t(e)])
                                      : QStringLiteral("\u2014"));
    }
    return std::max(dBottom, dY + dLine);
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
    painter.setFont(base);

    QFont cell = base;
    cell.setPointSizeF(8);
    QFont cellBold = cell;
    cellBold.setBold(true);
    const QFontMetricsF cellMetrics(cell, &device);
    const double dRow = cellMetrics.height() * 1.35;
    const double dFooter = QFontMetricsF(cell, &device).height() + Mm(3);
    const int nRowsPerPage = std::max(1, int((dHeight - dFooter - Mm(8)) / dRow) - 1);
    const int nTablePages = (int(m_TableRows.size()) + nRowsPerPage - 1) / nRowsPerPage;
    m_nPages = 1 + nTablePages;

    // Page 1: what the file is and what it holds.
    double dY = PaintTitle(painter, dWidth);
    const QRectF diagram(0, dY, dWidth, Mm(100));
    if (!m_Records.isEmpty())
        PaintDiagram(painter, diagram);
    dY = diagram.bottom() + Mm(6);
    dY = PaintSummary(painter, dY, dWidth);
    if (m_TableRows.isEmpty()) {
        painter.setFont(base);
        painter.drawText(QRectF(0, dY + Mm(4), dWidth, Mm(8)), Qt::AlignLeft | Qt::AlignVCenter,
                         m_bLog ? tr("The file holds no events.") : tr("No level reached its threshold."));
    }
    PaintFooter(painter, dWidth, dHeight, 1);

    // The table: whole rows only, the header again on every page.
    const QStringList header = CRecordTexts::HeaderLabels();
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
        double dRowY = Mm(8);
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
