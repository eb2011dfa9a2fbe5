#pragma once

#include "diagramaxis.h"
#include "idiagram.h"

#include <QFont>
#include <QPen>

class QMenu;
class QWidget;

// Common behaviour of the diagrams whose X values are seconds since 1970: the
// scrolling time window, the level grid and the Y-axis handling.
class CQTimeDiagramBase : public IDiagram
{
    Q_OBJECT
public:
    CQTimeDiagramBase(QRect* pPlotRect, CDiagramAxis* pAxis, QObject* pParent = nullptr);

    // Seconds between time labels and vertical grid lines: a power of two at least
    // 70 pixels apart. 0 when the window cannot be divided (no width or no span).
    static quint64 TimeStep(double dPixelsPerSecond);
    // Level spacing in dB: the smallest multiple of 5 at least 20 pixels apart;
    // 0 when the column has no height or the Y window is empty.
    static int LevelStep(double dPixelsPerUnit);
    // The visible level range, pixels per dB and the labelled step in dB;
    // false when there is nothing to mark.
    bool LevelSpacing(double& dMin, double& dMax, double& q, int& k) const;
    // A time bound as whole seconds; wheel zooming may leave a double in the axis.
    static quint64 TimeValue(const QVariant& v);

    void AttachSignal(CDiagramSampleList& samples) override;
    void AppendSample(int nSignal, const CDiagramSample& sample, CDiagramSampleList& samples,
                      bool bAutoScroll) override;
    void DrawXLabels(QPainter& painter, const QRect& labelStrip) override;
    void OnLayoutChanged() override;
    bool IsXZoomed() override;
    bool IsYZoomed() override;
    void Pan(const QPoint& press, int dx, int dy) override;
    void DragYAxis(const QPoint& press, int dy) override;
    void ShowPlotMenu(const QPoint& globalPos) override;

    // The level-range menu offered over the Y axis; its entries are the caller's
    // to inspect or run. bAllEntries keeps the ranges narrower than the minimum span.
    QMenu* CreateYRangeMenu(bool bAllEntries, QWidget* pParent);

protected:
    QRect& Plot() const { return *m_pPlotRect; }
    QRect& YAxis() const { return m_pPlotRect[1]; }
    quint64 VisibleMin() const;
    quint64 VisibleMax() const;
    // Pixel column of time t; computed in 64 bits so long windows do not overflow.
    int TimeToX(quint64 t) const;
    double LevelToY(double dLevel) const;

    // Level grid, ticks and labels share one spacing; nothing is drawn when it is 0.
    void DrawTimeLevelGrid(QPainter& painter);
    void DrawLevelTicks(QPainter& painter);
    void DrawLevelLabels(QPainter& painter);
    bool YAxisToolTip(const QPoint& pt, QString& sText) const;
    bool LevelToolTip(const QPoint& pt, const QList<CDiagramSignal*>& areaSignals, QString& sText);
    bool TimeAndLevelAt(const QPoint& pt, QList<QVariant>& values) const;
    void RunYRangeMenu(bool bAllEntries, const QPoint& globalPos);
    // Applies the level range named by a menu entry (its object name).
    void ApplyYRangeEntry(QObject* pEntry);

    QPen m_gridPen;
    QPen m_tickPen;
    QPen m_textPen;
    QFont m_labelFont;
};

// Inline: it runs for every point of every signal on each paint.
inline double CQTimeDiagramBase::LevelToY(double dLevel) const
{
    const QRect& r = Plot();
    const double dSpan = m_pAxis->m_dYVisibleMax - m_pAxis->m_dYVisibleMin;
    if (!(dSpan > 0.0))
        return r.bottom();
    return r.top() + r.height() * (m_pAxis->m_dYVisibleMax - dLevel) / dSpan;
}
