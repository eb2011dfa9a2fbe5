#include "qoscilloscopediagram.h"

#include "diagrampalette.h"

#include "diagramarea.h"
#include "diagramaxis.h"
#include "diagramsignal.h"
#include "qdiagramwidget.h"

#include <QMutexLocker>
#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>

namespace {

struct Window {
    double dDataMin, dDataMax, dVisMin, dVisMax;
    double dYMin, dYMax;
    double dXStep, dYStep;
    bool bCursorMode;
    int nCursorStartX, nCursorX;
};

Window ReadAxis(const CDiagramAxis& axis)
{
    QMutexLocker lock(&CDiagramAxis::Mutex());
    return {axis.m_vDataMin.toDouble(), axis.m_vDataMax.toDouble(),
            axis.m_vVisibleMin.toDouble(), axis.m_vVisibleMax.toDouble(),
            axis.m_dYVisibleMin, axis.m_dYVisibleMax,
            axis.m_dXStep, axis.m_dYStep,
            axis.m_bCursorMode, axis.m_nCursorStartX, axis.m_nCursorX};
}

// Smallest multiple of five with nStep * dPerUnit >= dMinPixels; 0 when no step
// can reach it (zero or non-finite scale).
int LabelStep(double dPerUnit, double dMinPixels)
{
    if (!(dPerUnit > 0.0) || !std::isfinite(dPerUnit))
        return 0;
    const double dMultiples = std::ceil(dMinPixels / (5.0 * dPerUnit));
    if (dMultiples > INT_MAX / 10)
        return 0;
    int nStep = 5 * std::max(1, static_cast<int>(dMultiples));
    // The division above may round across a boundary; settle on the exact rule.
    while (nStep > 5 && (nStep - 5) * dPerUnit >= dMinPixels)
        nStep -= 5;
    while (nStep * dPerUnit < dMinPixels)
        nStep += 5;
    return nStep;
}

} // namespace

CQOscilloscopeDiagram::CQOscilloscopeDiagram(QRect* pPlotRect, CDiagramAxis* pAxis,
                                             QObject* pParent)
    : IDiagram(pPlotRect, pAxis, pParent),
      m_GridPen(QColor(150, 150, 170), 1.0, Qt::DashLine),
      m_TickPen(QBrush(Qt::black), 2.0),
      m_TextPen(Qt::black),
      m_LabelFont(QStringLiteral("Arial"), 7, QFont::Bold)
{
}

void CQOscilloscopeDiagram::RegisterKind()
{
    CQDiagramWidget::RegisterDiagramKind(
        DT_Oscilloscope, [](CDiagramArea* pArea, CDiagramAxis* pAxis, CQDiagramWidget*) -> IDiagram* {
            return new CQOscilloscopeDiagram(&pArea->PlotRect(), pAxis);
        });
}

std::vector<CQOscilloscopeDiagram::Column>
CQOscilloscopeDiagram::MapColumns(const CDiagramSampleList& samples, double dDataMin,
                                  double dDataMax, double dVisMin, double dVisMax, int nWidth)
{
    const qsizetype n = static_cast<qsizetype>(samples.size());
    if (n == 0 || nWidth <= 0)
        return {};
    const double g = (dDataMax - dDataMin) / static_cast<double>(n); // units per sample
    const double o = (dVisMax - dVisMin) / nWidth;                    // units per pixel
    if (!(g > 0.0) || !(o > 0.0) || !std::isfinite(g) || !std::isfinite(o))
        return {};

    std::vector<Column> columns(static_cast<size_t>(nWidth));
    if (o >= g) {
        // Each sample lands in the column where it ends; the column keeps the
        // extremes of all its samples so a pulse narrower than a pixel survives.
        double dFirst = std::floor((dVisMin - dDataMin) / g);
        const qsizetype k0 = dFirst <= 0.0 ? 0 : static_cast<qsizetype>(std::min<double>(dFirst, n));
        // The column is ceil((end - dVisMin) / o) - 1, clamped to the plot. The
        // quotient only grows with k, so the rounding is done again only once
        // it passes the current column's upper edge, not for every sample.
        int c = 0;
        double dColumnTop = -std::numeric_limits<double>::infinity();
        qsizetype k = k0;
        samples.ForEach(static_cast<size_t>(k0), static_cast<size_t>(n), [&](double, double v, qint32) {
            const double dStart = dDataMin + static_cast<double>(k) * g;
            if (dStart >= dVisMax)
                return false;
            const double dEnd = dStart + g;
            ++k;
            if (dEnd <= dVisMin)
                return true;
            const double q = (dEnd - dVisMin) / o;
            if (!(q <= dColumnTop)) {
                const double dCol = std::ceil(q) - 1.0;
                c = !(dCol > 0.0) ? 0 : dCol < nWidth - 1 ? static_cast<int>(dCol) : nWidth - 1;
                dColumnTop = c == nWidth - 1 ? std::numeric_limits<double>::infinity() : double(c) + 1.0;
            }
            Column& col = columns[static_cast<size_t>(c)];
            if (!col.bValid) {
                col = {v, v, true};
            } else {
                col.dLow = std::min(col.dLow, v);
                col.dHigh = std::max(col.dHigh, v);
            }
            return true;
        });
    } else {
        // Wider than the data: every column repeats the sample under its left edge.
        for (int c = 0; c < nWidth; ++c) {
            const double dIndex = std::floor((dVisMin + c * o - dDataMin) / g);
            if (dIndex < 0.0 || dIndex >= static_cast<double>(n))
                continue;
            const double v = samples.YValue(static_cast<size_t>(dIndex));
            columns[static_cast<size_t>(c)] = {v, v, true};
        }
    }
    return columns;
}

void CQOscilloscopeDiagram::AttachSignal(CDiagramSampleList&) {}

void CQOscilloscopeDiagram::AppendSample(int, const CDiagramSample&, CDiagramSampleList&, bool)
{
    // The trace arrives whole through SetSamples.
}

void CQOscilloscopeDiagram::DrawGrid(QPainter& painter, int)
{
    QPen gridPen = m_GridPen;
    gridPen.setColor(CDiagramPalette::Grid(CDiagramPalette::Of(painter)));
    painter.setPen(gridPen);
}

CQOscilloscopeDiagram::LevelScale CQOscilloscopeDiagram::GetLevelScale() const
{
    const Window w = ReadAxis(*m_pAxis);
    LevelScale scale;
    const double dRange = w.dYMax - w.dYMin;
    if (!(dRange > 0.0))
        return scale;
    scale.dPixelsPerUnit = std::fabs(YAxisRect().height() / dRange);
    scale.nStep = LabelStep(scale.dPixelsPerUnit, 20.0);
    return scale;
}

int CQOscilloscopeDiagram::LevelRow(const LevelScale& scale, double v) const
{
    const QRect yAxis = YAxisRect();
    const double dYMin = m_pAxis->m_dYVisibleMin;
    const int y = static_cast<int>(yAxis.bottom() - (v - dYMin) * scale.dPixelsPerUnit);
    // Keeps the topmost label clear of the area's upper edge.
    if (y <= yAxis.top() + scale.nStep / 2)
        return INT_MIN;
    return y;
}

void CQOscilloscopeDiagram::DrawYTicks(QPainter& painter, const QList<CDiagramSignal*>&)
{
    const LevelScale scale = GetLevelScale();
    if (scale.nStep == 0)
        return;
    const Window w = ReadAxis(*m_pAxis);
    QPen tickPen = m_TickPen;
    tickPen.setColor(CDiagramPalette::Text(CDiagramPalette::Of(painter)));
    painter.setPen(tickPen);
    const int nLeft = m_pPlotRect->left();
    for (double v = w.dYMin + scale.nStep; v < w.dYMax; v += scale.nStep) {
        const int y = LevelRow(scale, v);
        if (y != INT_MIN)
            painter.drawLine(nLeft, y, nLeft + 2, y);
    }
}

QList<CQOscilloscopeDiagram::Label> CQOscilloscopeDiagram::YLabels() const
{
    QList<Label> labels;
    const LevelScale scale = GetLevelScale();
    if (scale.nStep == 0)
        return labels;
    const Window w = ReadAxis(*m_pAxis);
    const QRect yAxis = YAxisRect();
    const double dLabelHeight = scale.nStep * scale.dPixelsPerUnit;
    for (double v = w.dYMin + scale.nStep; v < w.dYMax; v += scale.nStep) {
        const int y = LevelRow(scale, v);
        if (y == INT_MIN)
            continue;
        labels.append({QRect(yAxis.left(), static_cast<int>(y - dLabelHeight * 0.5), yAxis.width(),
                             static_cast<int>(dLabelHeight)),
                       QStringLiteral("%1 %2").arg(QString::number(w.dYStep * v, 'f', 0), tr(" dB"))});
    }
    return labels;
}

void CQOscilloscopeDiagram::DrawYLabels(QPainter& painter, const QList<CDiagramSignal*>&)
{
    painter.setFont(m_LabelFont);
    painter.setPen(CDiagramPalette::Text(CDiagramPalette::Of(painter)));
    for (const Label& label : YLabels())
        painter.drawText(label.rect, Qt::AlignCenter, label.sText);
}

QList<CQOscilloscopeDiagram::Label> CQOscilloscopeDiagram::XLabels(const QRect& labelStrip) const
{
    QList<Label> labels;
    const Window w = ReadAxis(*m_pAxis);
    if (!std::isfinite(w.dVisMin) || !std::isfinite(w.dVisMax)
        || std::fabs(w.dVisMin) > INT_MAX || std::fabs(w.dVisMax) > INT_MAX)
        return labels;
    const int a = static_cast<int>(w.dVisMin);
    const int b = static_cast<int>(w.dVisMax);
    if (b <= a)
        return labels;
    const double p = std::fabs(static_cast<double>(m_pPlotRect->width()) / (double(b) - a));
    const int nStep = LabelStep(p, 80.0);
    if (nStep == 0)
        return labels;
    const int nLabelWidth = static_cast<int>(nStep * p);
    for (qint64 v = qint64(a) + nStep; v < b; v += nStep) {
        const int x = labelStrip.left() + static_cast<int>((v - a) * p);
        labels.append({QRect(x, labelStrip.top(), nLabelWidth, labelStrip.height()),
                       QString::number(w.dXStep * v, 'f', 2) + tr(" ms")});
    }
    return labels;
}

void CQOscilloscopeDiagram::DrawXLabels(QPainter& painter, const QRect& labelStrip)
{
    painter.setFont(m_LabelFont);
    painter.setPen(CDiagramPalette::Text(CDiagramPalette::Of(painter)));
    for (const Label& label : XLabels(labelStrip))
        painter.drawText(label.rect, Qt::AlignLeft | Qt::AlignVCenter, label.sText);
}

void CQOscilloscopeDiagram::DrawSignals(QPainter& painter, const QList<CDiagramSignal*>& visible)
{
    const Window w = ReadAxis(*m_pAxis);
    const QRect plot = *m_pPlotRect;
    const double dYRange = w.dYMax - w.dYMin;
    if (plot.width() <= 0 || plot.height() <= 0 || !(dYRange > 0.0))
        return;

    for (const CDiagramSignal* pSignal : visible) {
        if (!pSignal || !pSignal->m_bVisible)
            continue;
        if (pSignal->m_nTag == 0) {
            const std::vector<Column> columns = MapColumns(
                pSignal->m_samples, w.dDataMin, w.dDataMax, w.dVisMin, w.dVisMax, plot.width());
            if (columns.empty())
                continue;
            painter.setPen(pSignal->m_pen);
            // Runs of computed columns become polylines; a gap stays a gap.
            QPolygon run;
            run.reserve(static_cast<int>(columns.size()));
            for (size_t c = 0; c <= columns.size(); ++c) {
                if (c < columns.size() && columns[c].bValid) {
                    const double v = std::clamp(columns[c].dHigh, w.dYMin, w.dYMax);
                    const int y = static_cast<int>(plot.bottom()
                                                   + (plot.top() - plot.bottom()) * (v - w.dYMin)
                                                         / dYRange);
                    const QPoint point(plot.left() + 1 + static_cast<int>(c), y);
                    // A flat stretch needs only its ends; the stroker pays per segment.
                    const qsizetype k = run.size();
                    if (k >= 2 && run[k - 1].y() == y && run[k - 2].y() == y)
                        run[k - 1] = point;
                    else
                        run.append(point);
                    continue;
                }
                if (run.size() > 1)
                    painter.drawPolyline(run);
                run.clear();
            }
        } else if (!pSignal->m_samples.empty()) {
            const double v = pSignal->m_samples.front().YValue();
            const int y = static_cast<int>(plot.top() + plot.height() * (w.dYMax - v) / dYRange);
            if (y < plot.top() || y > plot.bottom())
                continue;
            painter.setPen(pSignal->m_pen);
            painter.drawLine(plot.left(), y, plot.right(), y);
        }
    }

    if (w.bCursorMode) {
        painter.setPen(QPen(QBrush(Qt::red), 2, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
        painter.drawLine(w.nCursorStartX, plot.top(), w.nCursorStartX, plot.bottom());
        painter.drawLine(w.nCursorX, plot.top(), w.nCursorX, plot.bottom());
    }
}

void CQOscilloscopeDiagram::OnLayoutChanged() {}

bool CQOscilloscopeDiagram::IsXZoomed()
{
    const Window w = ReadAxis(*m_pAxis);
    return w.dVisMin != w.dDataMin || w.dVisMax != w.dDataMax;
}

bool CQOscilloscopeDiagram::IsYZoomed() { return false; }

bool CQOscilloscopeDiagram::IsYAxisDraggable() { return false; }

void CQOscilloscopeDiagram::Pan(const QPoint&, int dx, int)
{
    m_pAxis->ShiftNumeric(dx * 2.0);
}

void CQOscilloscopeDiagram::DragYAxis(const QPoint&, int) {}

void CQOscilloscopeDiagram::ShowPlotMenu(const QPoint&)
{
    // The oscilloscope window offers its own context menu.
}

void CQOscilloscopeDiagram::ShowYAxisMenu(const QPoint&) {}

bool CQOscilloscopeDiagram::GetToolTip(bool bCursorMode, const QPoint& pt,
                                       const QList<CDiagramSignal*>& areaSignals, QString& sText)
{
    const Window w = ReadAxis(*m_pAxis);
    if (YAxisRect().contains(pt)) {
        sText = tr("Min = %1 dB<br>Max = %2 dB<br>Visible range = %3 dB")
                    .arg(QString::number(w.dYStep * w.dYMin),
                         QString::number(w.dYStep * w.dYMax, 'f', 0),
                         QString::number(w.dYStep * (w.dYMax - w.dYMin), 'f', 0));
        return true;
    }
    if (bCursorMode) {
        const QRect plot = *m_pPlotRect;
        const double u = plot.width() > 0 ? std::fabs((w.dVisMax - w.dVisMin) / plot.width()) : 0.0;
        const double dStart =
            w.dXStep * static_cast<int>(w.dVisMin + u * (w.nCursorStartX - plot.left()));
        const double dEnd = w.dXStep * static_cast<int>(w.dVisMin + u * (w.nCursorX - plot.left()));
        const double dDiff = std::fabs(dEnd - dStart);
        if (dDiff > 0.0) {
            sText = tr("<b>Delta Cursor</b><br>Start: %1 ms<br>End: %2 ms<br>Difference: %3 ms "
                       "(%4 Hz)")
                        .arg(QString::number(dStart, 'f', 2), QString::number(dEnd, 'f', 2),
                             QString::number(dDiff, 'f', 2),
                             QString::number(1000.0 / dDiff, 'f', 2));
        } else {
            // Both ends on one sample: there is no period to turn into a frequency.
            sText = tr("<b>Delta Cursor</b><br>Start: %1 ms<br>End: %2 ms<br>Difference: %3 ms")
                        .arg(QString::number(dStart, 'f', 2), QString::number(dEnd, 'f', 2),
                             QString::number(dDiff, 'f', 2));
        }
        return true;
    }
    QList<QVariant> values;
    if (GetValuesAt(false, pt, areaSignals, values)) {
        sText = tr("Position: %1 ms<br>Level: %3 dB")
                    .arg(QString::number(w.dXStep * static_cast<int>(values[0].toDouble()), 'f', 2))
                    .arg(QString::number(w.dYStep * static_cast<int>(values[1].toDouble()), 'f', 2));
        return true;
    }
    return false;
}

bool CQOscilloscopeDiagram::GetValuesAt(bool, const QPoint& pt, const QList<CDiagramSignal*>&,
                                        QList<QVariant>& values)
{
    const QRect plot = *m_pPlotRect;
    if (!plot.contains(pt))
        return false;
    const Window w = ReadAxis(*m_pAxis);
    values.clear();
    values.append(w.dVisMin + std::fabs((w.dVisMax - w.dVisMin) / plot.width()) * (pt.x() - plot.left()));
    values.append(w.dYMin + std::fabs((w.dYMax - w.dYMin) / plot.height()) * (plot.bottom() - pt.y()));
    return true;
}

void CQOscilloscopeDiagram::OnMenuAction() {}
