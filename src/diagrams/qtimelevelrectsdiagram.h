#pragma once

#include "qtimediagrambase.h"
#include "spancanvas.h"
#include "timecolumnreducer.h"

#include <QLine>
#include <QRect>
#include <QVector>

#include <vector>

// Each sample as a translucent bar from its level down to the bottom of the
// plot; level-line signals (tag 1) as horizontal lines across the plot.
class CQTimeLevelRectsDiagram : public CQTimeDiagramBase
{
    Q_OBJECT
public:
    CQTimeLevelRectsDiagram(QRect* pPlotRect, CDiagramAxis* pAxis, QObject* pParent = nullptr);

    // What one signal puts on screen. Bars that share pixel columns are merged:
    // the translucent fill covers each column once (as one bar would), outlines
    // are drawn opaque, so the cost follows the plot width, not the sample count.
    struct Shapes {
        QVector<QRect> fills; // translucent, disjoint
        QVector<QLine> lines; // outlines or level lines, in the signal's pen
    };
    Shapes SignalShapes(const CDiagramSignal& signal);

    void DrawGrid(QPainter& painter, int nVisibleSignals) override;
    void DrawYTicks(QPainter& painter, const QList<CDiagramSignal*>& visible) override;
    void DrawYLabels(QPainter& painter, const QList<CDiagramSignal*>& visible) override;
    void DrawSignals(QPainter& painter, const QList<CDiagramSignal*>& visible) override;
    bool IsYAxisDraggable() override { return true; }
    void ShowYAxisMenu(const QPoint& globalPos) override;
    bool GetToolTip(bool bCursorMode, const QPoint& pt, const QList<CDiagramSignal*>& areaSignals,
                    QString& sText) override;
    bool GetValuesAt(bool bCursorMode, const QPoint& pt, const QList<CDiagramSignal*>& areaSignals,
                     QList<QVariant>& values) override;

public Q_SLOTS:
    void OnYMenuAction();

private:
    void BarShapes(const CDiagramSignal& signal, qsizetype nStart, Shapes& shapes);
    void LevelLineShapes(const CDiagramSignal& signal, qsizetype nStart, Shapes& shapes);

    CTimeColumnReducer m_reducer;
    CSpanCanvas m_canvas;
    std::vector<CTimeColumnReducer::Column> m_columns;
    std::vector<int> m_top;  // per plot column: highest bar top covering it
    std::vector<int> m_edge; // per plot column: highest bar side standing on it
};
