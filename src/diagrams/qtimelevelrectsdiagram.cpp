#include "qtimelevelrectsdiagram.h"

#include "diagramaxis.h"
#include "diagramsignal.h"

#include <QMutexLocker>
#include <QPainter>

#include <algorithm>
#include <limits>

namespace {
constexpr int kNone = std::numeric_limits<int>::max();
}

CQTimeLevelRectsDiagram::CQTimeLevelRectsDiagram(QRect* pPlotRect, CDiagramAxis* pAxis,
                                                 QObject* pParent)
    : CQTimeDiagramBase(pPlotRect, pAxis, pParent)
{
}

void CQTimeLevelRectsDiagram::DrawGrid(QPainter& painter, int) { DrawTimeLevelGrid(painter); }
void CQTimeLevelRectsDiagram::DrawYTicks(QPainter& painter, const QList<CDiagramSignal*>&) { DrawLevelTicks(painter); }
void CQTimeLevelRectsDiagram::DrawYLabels(QPainter& painter, const QList<CDiagramSignal*>&) { DrawLevelLabels(painter); }

CQTimeLevelRectsDiagram::Shapes CQTimeLevelRectsDiagram::SignalShapes(const CDiagramSignal& signal)
{
    Shapes shapes;
    const QRect& r = Plot();
    const quint64 visMin = VisibleMin();
    const quint64 visMax = VisibleMax();
    if (signal.m_samples.empty() || r.width() <= 0 || r.height() <= 0 || visMax <= visMin)
        return shapes;
    const qsizetype nStart = CDiagramAxis::FindTime(signal.m_samples, visMin);
    if (nStart < 0)
        return shapes;
    if (signal.m_nTag == 1)
        LevelLineShapes(signal, nStart, shapes);
    else
        BarShapes(signal, nStart, shapes);
    return shapes;
}

void CQTimeLevelRectsDiagram::BarShapes(const CDiagramSignal& signal, qsizetype nStart,
                                        Shapes& shapes)
{
    const QRect& r = Plot();
    const quint64 visMin = VisibleMin();
    const quint64 visMax = VisibleMax();
    const int w = r.width();
    m_reducer.Reduce(signal.m_samples, nStart, visMin, visMax, w, m_columns);

    // Columns relative to the plot's left edge; a bar may reach one column past
    // the right edge, as a bar starting at the window's end does.
    const int nCols = w + 2;
    m_top.assign(size_t(nCols), kNone);
    m_edge.assign(size_t(nCols), kNone);
    const int top = r.top();
    const int bottom = r.bottom();
    for (size_t c = 0; c < m_columns.size(); ++c) {
        const CTimeColumnReducer::Column& col = m_columns[c];
        if (!col.bUsed)
            continue;
        const int y = int(qBound(double(top), LevelToY(col.dMax), double(bottom)));
        const double dEnd = qBound(0.0, col.dEnd, 1.8e19);
        // At least two columns: a one-second bar in a window of hours would be a hairline.
        const int x2 = qBound(qMin(int(c) + 1, nCols - 1), TimeToX(quint64(dEnd)) - r.left(), nCols - 1);
        for (int k = int(c); k <= x2; ++k)
            m_top[size_t(k)] = std::min(m_top[size_t(k)], y);
        m_edge[size_t(c)] = std::min(m_edge[size_t(c)], y);
        m_edge[size_t(x2)] = std::min(m_edge[size_t(x2)], y);
    }

    // Fills: runs of columns with the same top become one rectangle.
    for (int k = 0; k < nCols;) {
        if (m_top[size_t(k)] == kNone) {
            ++k;
            continue;
        }
        const int y = m_top[size_t(k)];
        int e = k;
        while (e + 1 < nCols && m_top[size_t(e + 1)] == y)
            ++e;
        if (bottom > y)
            shapes.fills.append(QRect(r.left() + k, y, e - k + 1, bottom - y));
        // Top outline of the run and the bottom edge beneath it.
        shapes.lines.append(QLine(r.left() + k, y, r.left() + e, y));
        shapes.lines.append(QLine(r.left() + k, bottom, r.left() + e, bottom));
        k = e + 1;
    }
    for (int k = 0; k < nCols; ++k) {
        if (m_edge[size_t(k)] != kNone)
            shapes.lines.append(QLine(r.left() + k, m_edge[size_t(k)], r.left() + k, bottom));
    }
}

void CQTimeLevelRectsDiagram::LevelLineShapes(const CDiagramSignal& signal, qsizetype nStart,
                                              Shapes& shapes)
{
    // Every visible sample is a full-width line, so only the distinct rows matter.
    const QRect& r = Plot();
    const double dVisMax = double(VisibleMax());
    const int top = r.top();
    const int h = r.height();
    m_top.assign(size_t(h), 0);
    auto mark = [&](double v) {
        const int y = int(qBound(double(top), LevelToY(v), double(r.bottom())));
        m_top[size_t(y - top)] = 1;
    };
    const CDiagramSampleList& s = signal.m_samples;
    const std::vector<CTimeColumnReducer::Block>& blocks = m_reducer.Blocks(s);
    const qsizetype n = qsizetype(s.size());
    for (qsizetype i = nStart; i < n;) {
        const qsizetype b = i / CTimeColumnReducer::kBlock;
        if (i % CTimeColumnReducer::kBlock == 0 && size_t(b) < blocks.size()
            && blocks[size_t(b)].dXMax <= dVisMax && blocks[size_t(b)].dYMin == blocks[size_t(b)].dYMax) {
            mark(blocks[size_t(b)].dYMin);
            i += CTimeColumnReducer::kBlock;
            continue;
        }
        if (s.XValue(size_t(i)) > dVisMax)
            break;
        mark(s.YValue(size_t(i)));
        ++i;
    }
    for (int k = 0; k < h; ++k)
        if (m_top[size_t(k)])
            shapes.lines.append(QLine(r.left(), top + k, r.right(), top + k));
}

void CQTimeLevelRectsDiagram::DrawSignals(QPainter& painter, const QList<CDiagramSignal*>& visible)
{
    QMutexLocker lock(&CDiagramAxis::Mutex());
    const QRect& r = Plot();
    m_canvas.Begin(QRect(r.left(), r.top(), r.width() + 2, r.height() + 1));
    // The fills of all signals go first, each pixel written once with the
    // colour its stack of bars blends to; the outlines stay on top of every fill.
    std::vector<Shapes> shapes;
    std::vector<QVector<QRect>> fills;
    std::vector<QRgb> fillColours;
    shapes.reserve(size_t(visible.size()));
    for (const CDiagramSignal* pSignal : visible) {
        if (!pSignal)
            continue;
        shapes.push_back(SignalShapes(*pSignal));
        QColor fill = pSignal->m_pen.color();
        fill.setAlpha(100);
        fills.push_back(shapes.back().fills);
        fillColours.push_back(qPremultiply(fill.rgba()));
    }
    m_canvas.FillStacked(fills, fillColours);
    size_t k = 0;
    for (const CDiagramSignal* pSignal : visible) {
        if (!pSignal)
            continue;
        const Shapes& signalShapes = shapes[k++];
        if (signalShapes.lines.isEmpty())
            continue;
        if (CSpanCanvas::CanDraw(pSignal->m_pen)) {
            const QRgb c = qPremultiply(pSignal->m_pen.color().rgba());
            for (const QLine& l : signalShapes.lines) {
                if (l.x1() == l.x2())
                    m_canvas.VSpan(l.x1(), l.y1(), l.y2(), c);
                else
                    m_canvas.HSpan(l.x1(), l.x2(), l.y1(), c);
            }
        } else {
            m_canvas.Flush(painter);
            painter.setPen(pSignal->m_pen);
            painter.drawLines(signalShapes.lines);
        }
    }
    m_canvas.Flush(painter);
}

void CQTimeLevelRectsDiagram::ShowYAxisMenu(const QPoint& globalPos) { RunYRangeMenu(true, globalPos); }

bool CQTimeLevelRectsDiagram::GetToolTip(bool, const QPoint& pt,
                                         const QList<CDiagramSignal*>& areaSignals, QString& sText)
{
    return LevelToolTip(pt, areaSignals, sText);
}

bool CQTimeLevelRectsDiagram::GetValuesAt(bool, const QPoint& pt, const QList<CDiagramSignal*>&,
                                          QList<QVariant>& values)
{
    QMutexLocker lock(&CDiagramAxis::Mutex());
    return TimeAndLevelAt(pt, values);
}

void CQTimeLevelRectsDiagram::OnYMenuAction() { ApplyYRangeEntry(sender()); }
