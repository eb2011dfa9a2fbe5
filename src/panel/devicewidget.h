#pragma once

#include <QFrame>

// Placeholder until the front panel lands: a plain frame with its interface.
class CDeviceWidget : public QFrame
{
    Q_OBJECT
public:
    explicit CDeviceWidget(QWidget* pParent = nullptr);

    // Opens the device menu dialog, or warns when the detector is not connected.
    void OpenDeviceMenu();

Q_SIGNALS:
    void deviceChannelChanged();
};
