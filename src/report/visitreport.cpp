#include "visitreport.h"

#include "alarmrule.h"
#include "checkedsavefile.h"
#include "menusettingstable.h"
#include "pdfdocumentinfo.h"
#include "recordtexts.h"
#include "reportdiagram.h"
#include "reporttime.h"

#include <QBuffer>
#include <QDir>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <array>

namespace {

constexpr int kResolution = 300;
// Alarm rows listed per room; the rest are counted, the files hold them all.
constexpr int kMaxAlarmRows = 40;
const char* const kEntryNames[6] = {"B1 DC", "B1 AC", "B1F DC", "B1F AC", "B2 DC", "B2 AC"};
const QColor kShade(0xe8, 0xe8, 0xe8);
const QColor kAlarmFill(0xff, 0xe0, 0xe0);

double Mm(double dMillimetres)
{
    return dMillimetres * kResolution / 25.4;
}

double LevelOf(const CDeviceRecord& record, int nEntry)
{
    return nEntry < record.m_Levels.size() ? record.m_Levels[nEntry].m_dLevel : 0.0;
}

QString ChannelOf(const CDeviceRecord& record)
{
    static const char* const kChannels[3] = {"B1", "B1F", "B2"};
    QStringList names;
    for (int c = 0; c < 3; ++c)
        if (record.m_nBandMask & (1 << c))
            names << QLatin1String(kChannels[c]);
    return names.join(QLatin1Char('+'));
}

// The rows that count as alarms: every flagged log event, and for realtime
// records the moments a level reaches its threshold.
QList<int> AlarmRows(const CVisitReportData::Source& source)
{
    QList<int> rows;
    bool bWas = false;
    for (int i = 0; i < source.records.size(); ++i) {
        const bool bAlarm = CAlarmRule::IsAlarm(source.records[i], source.IsLog());
        if (bAlarm && (source.IsLog() || !bWas))
            rows << i;
        bWas = bAlarm;
    }
    return rows;
}

void Span(const QList<CDeviceRecord>& records, int64_t& nFirst, int64_t& nLast)
{
    nFirst = INT64_MAX;
    nLast = INT64_MIN;
    for (const CDeviceRecord& record : records) {
        nFirst = std::min(nFirst, record.m_nTime);
        nLast = std::max(nLast, record.m_nTime);
    }
}

} // namespace

// Places blocks of text from top to bottom and starts a new page, with the
// footer on the old one, when the next block does not fit.
class CVisitReport::CPageFlow
{
public:
    CPageFlow(QPainter& painter, QPagedPaintDevice& device, const QString& strFooter, int nTotal)
        : m_Painter(painter)
        , m_Device(device)
        , m_strFooter(strFooter)
        , m_nTotal(nTotal)
    {
        QFont base(QStringLiteral("DejaVu Sans"));
        base.setStyleHint(QFont::SansSerif);
        base.setPointSizeF(9.5);
        // No ligatures: "fi" stays two letters, so a reader's search and copy
        // find "Office" as it was typed. Latin and Cyrillic need no shaping.
        base.setStyleStrategy(QFont::PreferNoShaping);
        m_Body = base;
        m_Bold = base;
        m_Bold.setBold(true);
        m_Small = base;
        m_Small.setPointSizeF(8);
        m_Heading = m_Bold;
        m_Heading.setPointSizeF(12.5);
        m_Mono = QFont(QStringLiteral("DejaVu Sans Mono"));
        m_Mono.setStyleHint(QFont::Monospace);
        m_Mono.setPointSizeF(7.5);
        m_dWidth = device.width();
        m_dBottom = device.height() - QFontMetricsF(m_Small, &device).height() - Mm(4);
    }

    QPainter& Painter() { return m_Painter; }
    double Width() const { return m_dWidth; }
    double Y() const { return m_dY; }
    void Skip(double dHeight) { m_dY += dHeight; }
    int Page() const { return m_nPage; }

    void NewPage()
    {
        Footer();
        m_Device.newPage();
        ++m_nPage;
        m_dY = 0;
    }
    // Room for dHeight below, else a new page.
    void Need(double dHeight)
    {
        if (m_dY > 0 && m_dY + dHeight > m_dBottom)
            NewPage();
    }
    void Finish() { Footer(); }

    double LineHeight(const QFont& font) const { return QFontMetricsF(font, &m_Device).height() * 1.3; }

    void Heading(const QString& strText)
    {
        Need(LineHeight(m_Heading) + 4 * LineHeight(m_Body));
        m_dY += m_dY > 0 ? Mm(3) : 0;
        Text(m_Heading, strText);
        m_Painter.setPen(QPen(Qt::black, Mm(0.2)));
        m_Painter.drawLine(QPointF(0, m_dY), QPointF(m_dWidth, m_dY));
        m_dY += Mm(2);
    }
    void Subheading(const QString& strText)
    {
        Need(3 * LineHeight(m_Bold));
        m_dY += Mm(1.5);
        Text(m_Bold, strText);
    }
    // A paragraph, wrapped at the page's width.
    void Text(const QFont& font, const QString& strText, double dIndent = 0.0)
    {
        m_Painter.setFont(font);
        m_Painter.setPen(Qt::black);
        const QFontMetricsF metrics(font, &m_Device);
        // Paragraph by paragraph, so a long text may run over several pages.
        for (const QString& strParagraph : strText.split(QLatin1Char('\n'))) {
            const QRectF bounds = metrics.boundingRect(QRectF(0, 0, m_dWidth - dIndent, 1e9),
                                                       Qt::TextWordWrap, strParagraph.isEmpty() ? QStringLiteral(" ") : strParagraph);
            const double dHeight = std::max(bounds.height(), metrics.height()) + metrics.height() * 0.3;
            Need(dHeight);
            m_Painter.drawText(QRectF(dIndent, m_dY, m_dWidth - dIndent, dHeight), Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop,
                               strParagraph);
            m_dY += dHeight;
        }
    }
    // Label and value pairs in two columns, the labels as wide as the widest.
    void Pairs(const QList<QPair<QString, QString>>& pairs)
    {
        double dLabels = Mm(25);
        const QFontMetricsF boldMetrics(m_Bold, &m_Device);
        for (const auto& pair : pairs)
            dLabels = std::max(dLabels, boldMetrics.horizontalAdvance(pair.first) + Mm(4));
        dLabels = std::min(dLabels, m_dWidth * 0.4);
        const QFontMetricsF metrics(m_Body, &m_Device);
        for (const auto& pair : pairs) {
            const QRectF bounds = metrics.boundingRect(QRectF(0, 0, m_dWidth - dLabels, 1e9), Qt::TextWordWrap, pair.second);
            const double dHeight = std::max(bounds.height(), metrics.height()) + metrics.height() * 0.3;
            Need(dHeight);
            m_Painter.setPen(Qt::black);
            m_Painter.setFont(m_Bold);
            m_Painter.drawText(QRectF(0, m_dY, dLabels, dHeight), Qt::AlignLeft | Qt::AlignTop, pair.first);
            m_Painter.setFont(m_Body);
            m_Painter.drawText(QRectF(dLabels, m_dY, m_dWidth - dLabels, dHeight), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                               pair.second);
            m_dY += dHeight;
        }
    }
    // A table of single-line cells; columns share the width in proportion to
    // their widest text. Shaded rows are flagged.
    void Table(const QStringList& header, const QList<QStringList>& rows, const QList<bool>& shaded = {})
    {
        const QFontMetricsF metrics(m_Small, &m_Device);
        QFont smallBold = m_Small;
        smallBold.setBold(true);
        const QFontMetricsF boldMetrics(smallBold, &m_Device);
        QList<double> widths;
        for (int c = 0; c < header.size(); ++c) {
            double dWidth = boldMetrics.horizontalAdvance(header[c]);
            for (const QStringList& row : rows)
                dWidth = std::max(dWidth, metrics.horizontalAdvance(row.value(c)));
            widths << dWidth + Mm(2);
        }
        double dTotal = 0;
        for (double d : widths)
            dTotal += d;
        const double dScale = std::min(1.5, m_dWidth / dTotal);
        const double dRow = metrics.height() * 1.35;
        const auto drawRow = [&](const QStringList& cells, const QFont& font, const QColor& fill) {
            if (fill.isValid())
                m_Painter.fillRect(QRectF(0, m_dY, std::min(m_dWidth, dTotal * dScale), dRow), fill);
            m_Painter.setFont(font);
            m_Painter.setPen(Qt::black);
            double dX = 0;
            for (int c = 0; c < widths.size(); ++c) {
                m_Painter.drawText(QRectF(dX + Mm(0.7), m_dY, widths[c] * dScale - Mm(0.7), dRow), Qt::AlignLeft | Qt::AlignVCenter,
                                   cells.value(c));
                dX += widths[c] * dScale;
            }
            m_dY += dRow;
        };
        Need(3 * dRow);
        drawRow(header, smallBold, kShade);
        for (int r = 0; r < rows.size(); ++r) {
            if (m_dY + dRow > m_dBottom) {
                NewPage();
                drawRow(header, smallBold, kShade);
            }
            drawRow(rows[r], m_Small, shaded.value(r) ? kAlarmFill : QColor());
        }
        m_dY += Mm(1.5);
    }
    // A block of fixed height drawn by the caller at the flow's place.
    QRectF Block(double dHeight)
    {
        Need(dHeight);
        const QRectF rect(0, m_dY, m_dWidth, dHeight);
        m_dY += dHeight;
        return rect;
    }

    QFont m_Body, m_Bold, m_Small, m_Heading, m_Mono;

private:
    void Footer()
    {
        m_Painter.setFont(m_Small);
        m_Painter.setPen(Qt::black);
        const double dLine = QFontMetricsF(m_Small, &m_Device).height();
        const QRectF rect(0, m_Device.height() - dLine, m_dWidth, dLine);
        m_Painter.drawText(rect, Qt::AlignLeft | Qt::AlignVCenter, m_strFooter);
        m_Painter.drawText(rect, Qt::AlignRight | Qt::AlignVCenter,
                           m_nTotal > 0 ? CVisitReport::tr("Page %1 of %2").arg(m_nPage).arg(m_nTotal)
                                        : CVisitReport::tr("Page %1").arg(m_nPage));
    }

    QPainter& m_Painter;
    QPagedPaintDevice& m_Device;
    QString m_strFooter;
    int m_nTotal;
    int m_nPage = 1;
    double m_dY = 0;
    double m_dWidth = 0;
    double m_dBottom = 0;
};

CVisitReport::CVisitReport(const CVisitReportData& data)
    : m_Data(data)
{
}

bool CVisitReport::Write(const QString& strPath, QString* pError)
{
    return CCheckedSaveFile::WriteThrough(
        strPath, [this](QIODevice& device, QString* pWhy) { return Write(device, pWhy); }, pError);
}

bool CVisitReport::Write(QIODevice& device, QString* pError)
{
    m_Created = QDateTime::currentDateTime();
    const QString strTitle = tr("Sweep report %1").arg(m_Data.m_strNumber);
    const QString strCreator = QCoreApplication::applicationName() + QLatin1Char(' ') + QCoreApplication::applicationVersion();
    CPdfDocumentInfo info;
    info.m_strTitle = strTitle;
    info.m_strCreator = strCreator;
    QByteArray pdf;
    // The first pass counts the pages the footers name in the second.
    for (int nPass = 0; nPass < 2; ++nPass) {
        const int nTotal = nPass == 0 ? 0 : m_nPages;
        if (!info.PaintA4(pdf, kResolution, QMarginsF(18, 15, 18, 15),
                          [this, nTotal](QPainter& painter, QPagedPaintDevice& device) {
                              Paint(painter, device, nTotal);
                          })) {
            *pError = tr("Could not write the report.");
            return false;
        }
    }

    QStringList operators;
    QStringList sites;
    for (const CVisitReportData::Source& source : m_Data.m_Sources) {
        const CSweepContext& context = source.sidecar.m_Context;
        if (!context.m_strOperator.trimmed().isEmpty() && !operators.contains(context.m_strOperator.trimmed()))
            operators << context.m_strOperator.trimmed();
        if (!context.Site().isEmpty() && !sites.contains(context.Site()))
            sites << context.Site();
    }
    info.m_strAuthor = operators.join(QStringLiteral(", "));
    info.m_strSubject = tr("RF sweep of %1").arg(sites.isEmpty() ? tr("the rooms listed") : sites.join(QStringLiteral("; ")));
    info.m_strKeywords = (sites + m_Data.Rooms()).join(QStringLiteral(", "));
    info.m_Created = m_Created;
    info.AppendTo(pdf);
    if (device.write(pdf) != pdf.size()) {
        *pError = tr("Could not write the report: %1").arg(device.errorString());
        return false;
    }
    return true;
}

void CVisitReport::Paint(QPainter& painter, QPagedPaintDevice& device, int nTotalPages)
{
    CPageFlow flow(painter, device, tr("Sweep report %1").arg(m_Data.m_strNumber), nTotalPages);
    PaintCover(flow);
    PaintSettings(flow);
    for (const QString& strRoom : m_Data.Rooms())
        PaintRoom(flow, strRoom);
    PaintFindings(flow);
    PaintAppendix(flow);
    flow.Finish();
    m_nPages = flow.Page();
}

void CVisitReport::PaintCover(CPageFlow& flow)
{
    QFont title = flow.m_Heading;
    title.setPointSizeF(18);
    flow.Text(title, tr("RF Sweep Report"));
    QFont number = flow.m_Body;
    number.setPointSizeF(12);
    flow.Text(number, tr("Report number %1").arg(m_Data.m_strNumber.isEmpty() ? tr("not assigned") : m_Data.m_strNumber));
    flow.Skip(Mm(4));

    QStringList clients, addresses, operators, detectors, zones, offsets;
    int64_t nStart = INT64_MAX;
    int64_t nEnd = INT64_MIN;
    for (const CVisitReportData::Source& source : m_Data.m_Sources) {
        const CSidecar& sidecar = source.sidecar;
        const auto add = [](QStringList& list, const QString& strText) {
            if (!strText.trimmed().isEmpty() && !list.contains(strText.trimmed()))
                list << strText.trimmed();
        };
        int64_t nFirst, nLast;
        Span(source.records, nFirst, nLast);
        nStart = std::min(nStart, nFirst);
        nEnd = std::max(nEnd, nLast);
        if (!source.bHasSidecar) {
            add(zones, CReportTime::ZoneText(false, 0));
            continue;
        }
        add(clients, sidecar.m_Context.m_strClient);
        add(addresses, sidecar.m_Context.m_strAddress);
        add(operators, sidecar.m_Context.m_strOperator);
        QStringList detector;
        if (!sidecar.m_strUsbSerial.isEmpty())
            detector << tr("USB serial number %1").arg(sidecar.m_strUsbSerial);
        if (!sidecar.m_strPort.isEmpty())
            detector << tr("port %1").arg(sidecar.m_strPort);
        add(detectors, detector.join(QStringLiteral(", ")));
        add(zones, CReportTime::ZoneText(sidecar.m_Capture.m_bKnown, sidecar.m_Capture.m_nUtcOffsetSecs));
        if (sidecar.m_bClockOffsetKnown) {
            const qint64 n = sidecar.m_nClockOffsetSecs;
            add(offsets, n == 0 ? tr("the detector's clock agreed with the PC's to the second")
                         : n > 0 ? tr("the detector's clock was %1 s ahead of the PC's").arg(n)
                                 : tr("the detector's clock was %1 s behind the PC's").arg(-n));
        }
    }
    const QString strUnknown = tr("not recorded");
    const auto listOr = [&](const QStringList& list) { return list.isEmpty() ? strUnknown : list.join(QStringLiteral("; ")); };
    QList<QPair<QString, QString>> pairs = {
        {tr("Client"), listOr(clients)},
        {tr("Address"), listOr(addresses)},
        {tr("Operator"), listOr(operators)},
        {tr("Visit"), nStart <= nEnd ? CReportTime::Text(nStart) + QStringLiteral(" \u2013 ") + CReportTime::Text(nEnd)
                                     : tr("no records")},
        {tr("Time zone"), zones.join(QStringLiteral("; "))},
        {tr("Detector"), QStringLiteral("KV521") + (detectors.isEmpty() ? QString() : QStringLiteral(", ") + detectors.join(QStringLiteral("; ")))},
        {tr("PC clock"), offsets.isEmpty() ? tr("offset to the detector's clock not recorded") : offsets.join(QStringLiteral("; "))},
        {tr("Created"), CReportTime::Text(m_Created)},
    };
    flow.Pairs(pairs);

    flow.Heading(tr("Rooms swept"));
    QList<QStringList> rows;
    for (const QString& strRoom : m_Data.Rooms()) {
        for (const CVisitReportData::Source& source : m_Data.m_Sources) {
            if (source.Room() != strRoom)
                continue;
            int64_t nFirst, nLast;
            Span(source.records, nFirst, nLast);
            rows.append({strRoom, nFirst <= nLast ? CReportTime::Text(nFirst) : tr("no records"),
                         nFirst <= nLast ? CReportTime::Text(nLast) : QString(), source.strFileName,
                         QString::number(AlarmRows(source).size())});
        }
    }
    flow.Table({tr("Room"), tr("Start"), tr("End"), tr("File"), tr("Alarms")}, rows);
}

void CVisitReport::PaintSettings(CPageFlow& flow)
{
    flow.Heading(tr("Settings in force"));
    // Each distinct block once, with the files it was read with.
    QList<QPair<QByteArray, QStringList>> blocks;
    QStringList unread;
    for (const CVisitReportData::Source& source : m_Data.m_Sources) {
        const QByteArray& menu = source.sidecar.m_MenuBlock;
        if (!source.bHasSidecar || menu.isEmpty()) {
            unread << source.strFileName;
            continue;
        }
        auto it = std::find_if(blocks.begin(), blocks.end(), [&](const auto& block) { return block.first == menu; });
        if (it == blocks.end())
            blocks.append({menu, {source.strFileName}});
        else
            it->second << source.strFileName;
    }
    for (const auto& block : blocks) {
        flow.Text(flow.m_Small, tr("Read from the detector with %1; for a log file, when the log was downloaded.")
                                    .arg(block.second.join(QStringLiteral(", "))));
        QList<QStringList> rows;
        QString strGroup;
        for (const CMenuSettingsTable::Row& row : CMenuSettingsTable::Rows(block.first)) {
            rows.append({row.strGroup == strGroup ? QString() : row.strGroup, row.strName, row.strValue});
            strGroup = row.strGroup;
        }
        // Two tables side by side would not survive long translations; one
        // narrow table per block keeps every name whole.
        flow.Table({tr("Group"), tr("Setting"), tr("Value")}, rows);
    }
    if (!unread.isEmpty())
        flow.Text(flow.m_Body, tr("Settings not read for %1.").arg(unread.join(QStringLiteral(", "))));
}

void CVisitReport::PaintRoom(CPageFlow& flow, const QString& strRoom)
{
    flow.NewPage();
    flow.Heading(tr("Room: %1").arg(strRoom));
    for (const CVisitReportData::Source& source : m_Data.m_Sources) {
        if (source.Room() != strRoom)
            continue;
        int64_t nFirst, nLast;
        Span(source.records, nFirst, nLast);
        flow.Subheading(tr("%1: %2 \u2013 %3").arg(source.strFileName,
                                                   nFirst <= nLast ? CReportTime::Text(nFirst) : tr("no records"),
                                                   nFirst <= nLast ? CReportTime::Text(nLast) : QString()));
        if (!source.records.isEmpty()) {
            const QRectF area = flow.Block(Mm(70));
            CReportDiagram::Paint(flow.Painter(), area, source.records, source.IsLog(), Mm(1));
        }
    }

    flow.Subheading(tr("Comparison with the baseline"));
    const CVisitReportData::Comparison* pComparison = m_Data.ComparisonOf(strRoom);
    if (!pComparison || pComparison->eBaseline == CVisitReportData::Baseline::NotCompared) {
        flow.Text(flow.m_Body, tr("Not compared with a baseline."));
        if (pComparison && !pComparison->strNote.isEmpty())
            flow.Text(flow.m_Small, pComparison->strNote);
    } else if (pComparison->eBaseline == CVisitReportData::Baseline::None) {
        flow.Text(flow.m_Body, tr("No baseline: none has been set for this room."));
    } else {
        if (!pComparison->strBaseline.isEmpty())
            flow.Text(flow.m_Small, tr("Baseline: %1").arg(pComparison->strBaseline));
        if (!pComparison->strNote.isEmpty())
            flow.Text(flow.m_Small, pComparison->strNote);
        if (pComparison->differences.isEmpty()) {
            flow.Text(flow.m_Body, tr("No difference from the baseline was found."));
        } else {
            QList<QStringList> rows;
            for (const CVisitReportData::Difference& difference : pComparison->differences)
                rows.append({difference.strInstant, difference.strWhat, difference.strThen, difference.strNow});
            flow.Table({tr("When"), tr("Difference"), tr("Baseline"), tr("This visit")}, rows);
        }
    }

    flow.Subheading(tr("Alarms"));
    QList<QStringList> rows;
    int nAlarms = 0;
    for (const CVisitReportData::Source& source : m_Data.m_Sources) {
        if (source.Room() != strRoom)
            continue;
        const QList<int> alarms = AlarmRows(source);
        nAlarms += int(alarms.size());
        for (int nIndex : alarms) {
            if (rows.size() >= kMaxAlarmRows)
                break;
            const CDeviceRecord& record = source.records[nIndex];
            double dLevel = 0.0;
            for (int e = 0; e < 6; ++e)
                dLevel = std::max(dLevel, LevelOf(record, e));
            const int nKind = CRecordTexts::SignalKindOf(record);
            rows.append({CReportTime::Text(int64_t(quint32(record.m_nTime))), ChannelOf(record), tr("%1 dB").arg(dLevel, 0, 'f', 1),
                         nKind > 0 && nKind < kSignalKindCount ? SignalKindName(nKind).trimmed() : QString(),
                         record.m_dFrequency != 0.0 ? CRecordTexts::FrequencyText(record.m_dFrequency) : QString()});
        }
    }
    if (nAlarms == 0) {
        flow.Text(flow.m_Body, tr("No signal above the alarm threshold was found."));
    } else {
        // Every row is an alarm: no shading that would need a legend.
        flow.Table({tr("Time"), tr("Channel"), tr("Highest level"), tr("Signal"), tr("Freq (MHz)")}, rows);
        if (nAlarms > rows.size())
            flow.Text(flow.m_Small, tr("%1 alarms in all; the first %2 are listed, the source files hold every one.")
                                        .arg(nAlarms)
                                        .arg(rows.size()));
    }

    flow.Subheading(tr("Highest levels"));
    std::array<double, 6> levels{};
    std::array<int64_t, 6> times{};
    levels.fill(-1.0);
    for (const CVisitReportData::Source& source : m_Data.m_Sources) {
        if (source.Room() != strRoom)
            continue;
        for (const CDeviceRecord& record : source.records)
            for (int e = 0; e < 6; ++e)
                if (LevelOf(record, e) > levels[size_t(e)]) {
                    levels[size_t(e)] = LevelOf(record, e);
                    times[size_t(e)] = record.m_nTime;
                }
    }
    QList<QStringList> levelRows;
    for (int e = 0; e < 6; ++e)
        levelRows.append({QLatin1String(kEntryNames[e]),
                          levels[size_t(e)] > 0.0 ? tr("%1 dB").arg(levels[size_t(e)], 0, 'f', 1) : QStringLiteral("\u2014"),
                          levels[size_t(e)] > 0.0 ? CReportTime::Text(times[size_t(e)]) : QString()});
    flow.Table({tr("Channel"), tr("Level"), tr("Time")}, levelRows);
}

void CVisitReport::PaintFindings(CPageFlow& flow)
{
    flow.NewPage();
    flow.Heading(tr("Findings and recommendations"));
    flow.Text(flow.m_Body, m_Data.m_strFindings.trimmed().isEmpty() ? tr("No findings were entered.")
                                                                     : m_Data.m_strFindings.trimmed());
    flow.Skip(Mm(3));
    flow.Text(flow.m_Small, tr("The detector shows signals above its thresholds at the time and place of measurement; a "
                               "signal below them, or one not transmitting during the sweep, is not shown."));
}

void CVisitReport::PaintAppendix(CPageFlow& flow)
{
    flow.Heading(tr("Appendix: source files"));
    flow.Text(flow.m_Small, tr("Each file's SHA-256 lets anyone check that the data behind this report is unchanged."));
    for (const CVisitReportData::Source& source : m_Data.m_Sources) {
        int64_t nFirst, nLast;
        Span(source.records, nFirst, nLast);
        const QString strZone = CReportTime::ZoneText(source.bHasSidecar && source.sidecar.m_Capture.m_bKnown,
                                                      source.sidecar.m_Capture.m_nUtcOffsetSecs);
        flow.Subheading(source.strFileName);
        flow.Pairs({{tr("Room"), source.Room()},
                    {tr("Captured"), nFirst <= nLast ? CReportTime::Text(nFirst) + QStringLiteral(" \u2013 ")
                                                           + CReportTime::Text(nLast) + QStringLiteral(" (") + strZone + QLatin1Char(')')
                                                     : tr("no records")},
                    {tr("Records"), QString::number(source.records.size()) + QStringLiteral(", ")
                                        + tr("%1 bytes").arg(source.nSize)}});
        flow.Text(flow.m_Mono, QStringLiteral("SHA-256 ") + source.strSha256);
    }
}
