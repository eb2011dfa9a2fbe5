#pragma once

#include "diagramtype.h"

#include <QList>
#include <QRect>

class IDiagram;
class CDiagramSignal;

// What the caller asks for per area; copied by SetAreas, so callers may pass temporaries.
class CDiagramAreaSpec
{
public:
    CDiagramAreaSpec() = default;
    CDiagramAreaSpec(DiagramType eType, qint32 nFixedHeight, double dStretch)
        : m_eType(eType), m_nFixedHeight(nFixedHeight), m_dStretch(dStretch) {}

    DiagramType m_eType = DT_TimeLines;
    qint32 m_nFixedHeight = 0; // minimum height in pixels, 0 = none
    double m_dStretch = 1.0;   // 0.0 = exactly the fixed height
};

// One horizontal band of the widget; owns its diagram object and signals.
class CDiagramArea
{
public:
    CDiagramArea(DiagramType eType, qint32 nFixedHeight, double dStretch)
        : m_eType(eType), m_nFixedHeight(nFixedHeight), m_dStretch(dStretch) {}
    ~CDiagramArea();
    CDiagramArea(const CDiagramArea&) = delete;
    CDiagramArea& operator=(const CDiagramArea&) = delete;

    // Diagram objects get &PlotRect() and reach the Y-axis column as the next
    // rectangle, so the two must stay adjacent in this order.
    QRect& PlotRect() { return m_rects[0]; }
    QRect& YAxisRect() { return m_rects[1]; }

    void DeleteDiagram();
    void DeleteSignals();

    DiagramType m_eType;
    IDiagram* m_pDiagram = nullptr;
    QRect m_rects[2];
    qint32 m_nFixedHeight = 0;
    double m_dStretch = 1.0;
    QList<CDiagramSignal*> m_signals;
};
