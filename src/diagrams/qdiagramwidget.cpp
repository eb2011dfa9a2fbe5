#include "qdiagramwidget.h"

CQDiagramWidget::CQDiagramWidget(QWidget* pParent)
    : QFrame(pParent)
{
    setMouseTracking(true);
}
