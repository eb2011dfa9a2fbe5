#include "qtimelinesdiagram.h"

#include "diagramaxis.h"
#include "diagramsignal.h"

#include <QMutexLocker>
#include <QPainter>

#include <algorithm>

CQTimeLinesDiagram::CQTimeLinesDiagram(QRect* pPlotRect, CDiagramAxis* pAxis, QObject* pParent)
    : CQTimeDiagramBase(pPlotRect, pAxis, pParent)
{
}

void CQTimeLinesDiagram::DrawGrid(QPainter& painter, int) { DrawTimeLevelGrid(painter); }
void CQTimeLinesDiagram::DrawYTicks(QPainter& painter, const QList<CDiagramSignal*>&) { DrawLevelTicks(painter); }
void CQTimeLinesDiagram::DrawYLabels(QPainter& painter, const QList<CDiagramSignal*>&) { DrawLevelLabels(painter); }

QPolygon CQTimeLinesDiagram::SignalPolyline(const CDiagramSignal& signal)
{
    QPolygon points;
    const QRect& r = Plot();
    const quint64 visMin = VisibleMin();
    const quint64 visMax = VisibleMax();
    if (signal.m_samples.empty() || r.width() <= 0 || visMax <= visMin)
        return points;
    const qsizetype nStart = CDiagramAxis::FindTime(signal.m_samples, visMin);
    if (nStart < 0)
        return points;

    m_reducer.Reduce(signal.m_samples, nStart, visMin, visMax, r.width(), m_columns);
    // Levels outside the Y window are pinned to its edge, so an off-scale peak
    // shows as touching the edge instead of vanishing.
    const double dTop = r.top() - 1;
    const double dBottom = r.bottom() + 1;
    auto toY = [&](double v) { return int(qBound(dTop, LevelToY(v), dBottom)); };
    // At most four points a column, written through a pointer: appending one
    // by one checks the list's sharing and capacity for every point.
    points.resize(qsizetype(m_columns.size()) * 4);
    QPoint* const pFirst = points.data();
    QPoint* p = pFirst;
    for (size_t c = 0; c < m_columns.size(); ++c) {
        const CTimeColumnReducer::Column& col = m_columns[c];
        if (!col.bUsed)
            continue;
        const int x = r.left() + int(c);
        const int yFirst = toY(col.dFirst);
        const int yLast = toY(col.dLast);
        *p++ = QPoint(x, yFirst);
        if (col.dMin != col.dMax) {
            // Screen y grows downwards: the highest level is the smallest y.
            const int yHigh = toY(col.dMax);
            const int yLow = toY(col.dMin);
            if (qAbs(yHigh - yLast) < qAbs(yLow - yLast)) {
                *p++ = QPoint(x, yLow);
                *p++ = QPoint(x, yHigh);
            } else {
                *p++ = QPoint(x, yHigh);
                *p++ = QPoint(x, yLow);
            }
        }
        if (p[-1].y() != yLast)
            *p++ = QPoint(x, yLast);
    }
    points.resize(p - pFirst);
    return points;
}

void CQTimeLinesDiagram::DrawSignals(QPainter& painter, const QList<CDiagramSignal*>& visible)
{
    QMutexLocker lock(&CDiagramAxis::Mutex());
    const QRect& r = Plot();
    // Points may sit one pixel outside the plot (pinned levels, the window's end).
    m_canvas.Begin(QRect(r.left(), r.top() - 1, r.width() + 2, r.height() + 3));
    for (int i = 0; i < visible.size(); ++i) {
        const CDiagramSignal* pSignal = visible[i];
        if (!pSignal)
            continue;
        const QPolygon points = SignalPolyline(*pSignal);
        if (i == 0 && !points.isEmpty())
            m_pAxis->m_nFirstVisible = qint32(qMin<qsizetype>(
                CDiagramAxis::FindTime(pSignal->m_samples, VisibleMin()), 0x7fffffff));
        if (points.isEmpty())
            continue;
        // The lead-in across the Y-axis column is drawn paler than the data itself.
        QPen lead(pSignal->m_pen);
        lead.setColor(pSignal->m_pen.color().lighter(170));
        painter.setPen(lead);
        painter.drawLine(QPoint(0, points.first().y()), points.first());
        if (CSpanCanvas::CanDraw(pSignal->m_pen)) {
            const QRgb c = qPremultiply(pSignal->m_pen.color().rgba());
            // A column's own points cover one unbroken run of rows: one span
            // instead of a span per segment, which would write them up to three
            // times. Only the step to the next column is a line.
            int nTop = points[0].y(), nBottom = points[0].y();
            for (int k = 1; k <= points.size(); ++k) {
                if (k < points.size() && points[k].x() == points[k - 1].x()) {
                    nTop = std::min(nTop, points[k].y());
                    nBottom = std::max(nBottom, points[k].y());
                    continue;
                }
                m_canvas.VSpan(points[k - 1].x(), nTop, nBottom, c);
                if (k == points.size())
                    break;
                m_canvas.Line(points[k - 1].x(), points[k - 1].y(), points[k].x(), points[k].y(), c);
                nTop = nBottom = points[k].y();
            }
        } else if (points.size() > 1) {
            // Dashed or wide pens keep the painter's stroking; what the layer
            // holds so far goes first so the drawing order stays.
            m_canvas.Flush(painter);
            painter.setPen(pSignal->m_pen);
            painter.drawPolyline(points);
        }
    }
    m_canvas.Flush(painter);
}

void CQTimeLinesDiagram::ShowYAxisMenu(const QPoint& globalPos) { RunYRangeMenu(false, globalPos); }

bool CQTimeLinesDiagram::GetToolTip(bool, const QPoint& pt, const QList<CDiagramSignal*>& areaSignals,
                                    QString& sText)
{
    return LevelToolTip(pt, areaSignals, sText);
}

bool CQTimeLinesDiagram::GetValuesAt(bool, const QPoint& pt, const QList<CDiagramSignal*>&,
                                     QList<QVariant>& values)
{
    QMutexLocker lock(&CDiagramAxis::Mutex());
    return TimeAndLevelAt(pt, values);
}

void CQTimeLinesDiagram::OnYMenuAction() { ApplyYRangeEntry(sender()); }
