#include "trayalarmoutput.h"

#include <QApplication>
#include <QSystemTrayIcon>

#ifdef KV521_HAVE_DBUS
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>
#endif

CTrayAlarmOutput::CTrayAlarmOutput(QObject* pParent)
    : QObject(pParent)
    , m_LogoIcon(QStringLiteral(":/CKV521MainWindow/Resources/LOGO.png"))
    , m_MonitorIcon(QStringLiteral(":/CKV521MainWindow/Resources/monitor.ico"))
    , m_AlarmIcon(QStringLiteral(":/CKV521MainWindow/Resources/monitor_alarm.ico"))
{
    m_pTrayIcon = new QSystemTrayIcon(m_LogoIcon);
    m_pTrayIcon->setToolTip(QStringLiteral("KV521 Analyzer"));
}

CTrayAlarmOutput::~CTrayAlarmOutput()
{
    delete m_pTrayIcon;
}

void CTrayAlarmOutput::Beep()
{
    QApplication::beep();
}

void CTrayAlarmOutput::SetTrayState(TrayState eState)
{
    if (eState == TrayState::Hidden) {
        m_pTrayIcon->hide();
        return;
    }
    const bool bAlarm = eState == TrayState::Alarm;
    m_pTrayIcon->setIcon(bAlarm ? m_AlarmIcon : m_MonitorIcon);
    // The panel's texts: the tray has always spoken for the panel.
    m_pTrayIcon->setToolTip(bAlarm ? QCoreApplication::translate("CKV520DevicePaint", "KV521 Analyzer - Alarm!")
                                   : QCoreApplication::translate("CKV520DevicePaint", "KV521 Analyzer - Monitor"));
    // Where no tray exists (yet), showing would only warn.
    if (!m_pTrayIcon->isVisible() && QSystemTrayIcon::isSystemTrayAvailable())
        m_pTrayIcon->show();
}

void CTrayAlarmOutput::ShowBalloon(const QString& strTitle, const QString& strText, bool bReplace)
{
    // The tray's balloon takes the place of the one before by itself.
    if (m_pTrayIcon->isVisible() && QSystemTrayIcon::supportsMessages()) {
        m_pTrayIcon->showMessage(strTitle, strText, QSystemTrayIcon::Information, 10000);
        return;
    }
    NotifyDesktop(strTitle, strText, bReplace);
}

bool CTrayAlarmOutput::NotifyDesktop(const QString& strTitle, const QString& strText, bool bReplace)
{
#ifdef KV521_HAVE_DBUS
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    QDBusMessage message = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    message << QCoreApplication::applicationName() << (bReplace ? m_nNotificationId : uint(0)) << QString()
            << strTitle << strText << QStringList() << QVariantMap() << int(10000);
    // The answer comes later: a desktop without a notification service must
    // not hold up the poll that raised the alarm.
    QDBusPendingCallWatcher* pWatcher = new QDBusPendingCallWatcher(bus.asyncCall(message), this);
    connect(pWatcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* pCall) {
        const QDBusPendingReply<uint> reply = *pCall;
        if (reply.isValid())
            m_nNotificationId = reply.value();
        pCall->deleteLater();
    });
    return true;
#else
    Q_UNUSED(strTitle);
    Q_UNUSED(strText);
    Q_UNUSED(bReplace);
    return false;
#endif
}
