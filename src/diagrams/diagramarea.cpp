#include "diagramarea.h"

#include "diagramsignal.h"
#include "idiagram.h"

CDiagramArea::~CDiagramArea()
{
    DeleteDiagram();
    DeleteSignals();
}

void CDiagramArea::DeleteDiagram()
{
    delete m_pDiagram;
    m_pDiagram = nullptr;
}

void CDiagramArea::DeleteSignals()
{
    qDeleteAll(m_signals);
    m_signals.clear();
}
