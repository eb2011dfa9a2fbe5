#include "devicewidget.h"

CDeviceWidget::CDeviceWidget(QWidget* pParent)
    : QFrame(pParent)
{
}

void CDeviceWidget::OpenDeviceMenu()
{
}
