#pragma once

#include "diagramtype.h"

#include <QFrame>

// Placeholder until the diagram widget lands: a plain frame with its signals.
class CQDiagramWidget : public QFrame
{
    Q_OBJECT
public:
    explicit CQDiagramWidget(QWidget* pParent = nullptr);

Q_SIGNALS:
    void diagramTypeChanged(int nArea, DiagramType eType);
    void autoScrollToggle(bool bEnabled);
};
