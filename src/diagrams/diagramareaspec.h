#pragma once

#include "diagramtype.h"

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
