#pragma once

#include "qtimediagrambase.h"

// One horizontal lane per signal, with a rectangle wherever the signal was
// present. The rectangles of the last paint are kept in the signals for the tooltip.
class CQTimeRectsDiagram : public CQTimeDiagramBase
{
    Q_OBJECT
public:
    CQTimeRectsDiagram(QRect* pPlotRect, CDiagramAxis* pAxis, QObject* pParent = nullptr);

    static constexpr int kMinRectWidth = 2;

    // Records the rectangles of each lane in its signal's list of drawn rectangles.
    // Samples that land on the rectangle of the sample before them are folded into
    // it, so a zoomed-out lane holds about one rectangle per pixel column.
    void LayoutLanes(const QList<CDiagramSignal*>& visible);

    void DrawGrid(QPainter& painter, int nVisibleSignals) override;
    void DrawYTicks(QPainter& painter, const QList<CDiagramSignal*>& visible) override;
    void DrawYLabels(QPainter& painter, const QList<CDiagramSignal*>& visible) override;
    void DrawSignals(QPainter& painter, const QList<CDiagramSignal*>& visible) override;
    bool IsYAxisDraggable() override { return false; }
    void ShowYAxisMenu(const QPoint& globalPos) override;
    bool GetToolTip(bool bCursorMode, const QPoint& pt, const QList<CDiagramSignal*>& areaSignals,
                    QString& sText) override;
    bool GetValuesAt(bool bCursorMode, const QPoint& pt, const QList<CDiagramSignal*>& areaSignals,
                     QList<QVariant>& values) override;
};
