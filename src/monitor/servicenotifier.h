#pragma once

#include <QObject>
#include <QTimer>

// Tells a service manager (systemd, Type=notify) that the service is ready,
// that it is alive (the watchdog, from the event loop, so a hung loop gets
// the service restarted) and that it is stopping. Does nothing outside such
// a manager or where the program was built without libsystemd.
class CServiceNotifier : public QObject
{
    Q_OBJECT

public:
    explicit CServiceNotifier(QObject* pParent = nullptr);

    void Ready();
    void Stopping();
    // Whether the manager asked for watchdog pings; their period in ms.
    int WatchdogIntervalMs() const { return m_Watchdog.interval(); }
    bool IsWatchdogOn() const { return m_Watchdog.isActive(); }

private:
    void OnWatchdog();

    QTimer m_Watchdog;
};
