#pragma once

#include "ialarmoutput.h"

#include <QIcon>
#include <QObject>

class QSystemTrayIcon;

// Alarm output on the desktop: the application's tray icon and its balloon,
// the system beep, and where no tray exists a desktop notification (freedesktop
// notifications over D-Bus where Qt has them, otherwise nothing).
class CTrayAlarmOutput : public QObject, public IAlarmOutput
{
    Q_OBJECT
public:
    explicit CTrayAlarmOutput(QObject* pParent = nullptr);
    ~CTrayAlarmOutput() override;

    void Beep() override;
    void SetTrayState(TrayState eState) override;
    void ShowBalloon(const QString& strTitle, const QString& strText, bool bReplace) override;

    QSystemTrayIcon* TrayIcon() const { return m_pTrayIcon; }

private:
    bool NotifyDesktop(const QString& strTitle, const QString& strText, bool bReplace);

    QIcon m_LogoIcon;
    QIcon m_MonitorIcon;
    QIcon m_AlarmIcon;
    QSystemTrayIcon* m_pTrayIcon = nullptr;
    // The desktop's id of the notification shown last, for updating it.
    uint m_nNotificationId = 0;
};
