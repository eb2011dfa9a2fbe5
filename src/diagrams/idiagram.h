#pragma once

#include "diagramsamplelist.h"

#include <QList>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QVariant>

class QPainter;
class CDiagramAxis;
class CDiagramSignal;

// How one area draws its signals and reacts to the mouse. The slot order is
// fixed: keep new operations at the end.
class IDiagram : public QObject
{
    Q_OBJECT
public:
    // pPlotRect points at the area's plot rectangle; pPlotRect + 1 is its Y-axis column.
    IDiagram(QRect* pPlotRect, CDiagramAxis* pAxis, QObject* pParent = nullptr)
        : QObject(pParent), m_pPlotRect(pPlotRect), m_pAxis(pAxis) {}
    ~IDiagram() override = default;

    virtual void AttachSignal(CDiagramSampleList& samples) = 0;
    virtual void AppendSample(int nSignal, const CDiagramSample& sample,
                              CDiagramSampleList& samples, bool bAutoScroll) = 0;
    virtual void DrawGrid(QPainter& painter, int nVisibleSignals) = 0;
    virtual void DrawYTicks(QPainter& painter, const QList<CDiagramSignal*>& visible) = 0;
    virtual void DrawXLabels(QPainter& painter, const QRect& labelStrip) = 0;
    virtual void DrawYLabels(QPainter& painter, const QList<CDiagramSignal*>& visible) = 0;
    virtual void DrawSignals(QPainter& painter, const QList<CDiagramSignal*>& visible) = 0;
    virtual void OnLayoutChanged() = 0;
    virtual bool IsXZoomed() = 0;
    virtual bool IsYZoomed() = 0;
    virtual bool IsYAxisDraggable() = 0;
    virtual void Pan(const QPoint& press, int dx, int dy) = 0;
    virtual void DragYAxis(const QPoint& press, int dy) = 0;
    virtual void ShowPlotMenu(const QPoint& globalPos) = 0;
    virtual void ShowYAxisMenu(const QPoint& globalPos) = 0;
    virtual bool GetToolTip(bool bCursorMode, const QPoint& pt,
                            const QList<CDiagramSignal*>& areaSignals, QString& sText) = 0;
    virtual bool GetValuesAt(bool bCursorMode, const QPoint& pt,
                             const QList<CDiagramSignal*>& areaSignals, QList<QVariant>& values) = 0;

protected:
    QRect* m_pPlotRect;
    CDiagramAxis* m_pAxis;
};
