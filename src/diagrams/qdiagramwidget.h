#pragma once

#include "diagramarea.h"
#include "diagramaxis.h"
#include "diagramsignal.h"
#include "diagramtype.h"
#include "idiagram.h"

#include <QFrame>
#include <QList>
#include <QPen>
#include <QPoint>
#include <QVariant>

#include <functional>

// Host of the stacked diagram areas sharing one X axis. This part holds the data
// side; all calls come from the user-interface thread.
class CQDiagramWidget : public QFrame
{
    Q_OBJECT
public:
    using DiagramFactory =
        std::function<IDiagram*(DiagramType, CDiagramArea*, CDiagramAxis*, CQDiagramWidget*)>;

    explicit CQDiagramWidget(QWidget* pParent = nullptr);
    ~CQDiagramWidget() override;

    // The concrete diagram classes register here; the factory may return null
    // for kinds it does not know, which leaves the area without a diagram.
    static void SetDiagramFactory(DiagramFactory factory);

    void SetAreas(const QList<CDiagramAreaSpec>& specs);
    void SetDiagramType(int nArea, DiagramType eType);
    DiagramType GetDiagramType(int nArea) const;
    int AreaCount() const { return static_cast<int>(m_areas.size()); }
    CDiagramArea* Area(int nArea) const;
    CDiagramAxis& Axis() { return m_axis; }

    void SetXAxisType(int nType) { m_nXAxisType = nType; }
    int GetXAxisType() const { return m_nXAxisType; }

    void AddSignal(int nArea, const QString& sName, const QPen& pen, int nTag, bool bVisible);
    CDiagramSignal* Signal(int nArea, int nSignal) const;
    void AddSample(int nArea, int nSignal, const QVariant& vX, const QVariant& vY, int nTag);
    void SetSamples(int nArea, int nSignal, const QList<double>& values);
    void SetSignalVisible(int nArea, int nSignal, bool bVisible);
    int ClearAll(bool bKeepSignals);

    void SetXRange(const QVariant& vMin, const QVariant& vMax, double dStep, bool bAlsoVisible);
    void SetXVisible(const QVariant& vMin, const QVariant& vMax);
    void SetYRange(double dMin, double dMax, double dStep);
    void SetYVisible(double dMin, double dMax, bool bAlsoFull);
    void SetYStep(double dStep);
    void ResetZoom();

    void SetAutoScroll(bool bOn) { m_bAutoScroll = bOn; }
    bool IsAutoScroll() const { return m_bAutoScroll; }
    void SetCursorMode(bool bOn);
    bool GetAreaValuesAt(bool bCursorMode, const QPoint& pt, QList<QVariant>& values);

Q_SIGNALS:
    void diagramTypeChanged(int nArea, DiagramType eType);
    void autoScrollToggle(bool bEnabled);

protected:
    // Recomputes the area rectangles; the full layout rule belongs to the painting side.
    virtual void Relayout();
    // Re-evaluates a tooltip already on screen after the data changed.
    virtual void RefreshToolTip(bool bCursorMode);

    QPoint m_ptLastPress;

private:
    CDiagramArea& CheckedArea(int nArea) const;
    CDiagramSignal& CheckedSignal(int nArea, int nSignal) const;

    QList<CDiagramArea*> m_areas;
    CDiagramAxis m_axis;
    int m_nXAxisType = 0;
    bool m_bAutoScroll = true;
};
