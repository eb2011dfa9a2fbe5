#pragma once

#include "qtimediagrambase.h"
#include "spancanvas.h"
#include "timecolumnreducer.h"

#include <QPolygon>

#include <vector>

// Each signal as a polyline of levels over time.
class CQTimeLinesDiagram : public CQTimeDiagramBase
{
    Q_OBJECT
public:
    CQTimeLinesDiagram(QRect* pPlotRect, CDiagramAxis* pAxis, QObject* pParent = nullptr);

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

    // The polyline one signal gets on screen: per pixel column the first level,
    // the column's lowest and highest level, and the last, so a short peak
    // survives however many samples share its column. Empty when nothing is visible.
    QPolygon SignalPolyline(const CDiagramSignal& signal);

public Q_SLOTS:
    void OnYMenuAction();

private:
    CTimeColumnReducer m_reducer;
    CSpanCanvas m_canvas;
    std::vector<CTimeColumnReducer::Column> m_columns;
};
