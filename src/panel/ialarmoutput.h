#pragma once

#include <QString>

// Where an alarm goes besides the panel's display: the speaker, the tray and
// the desktop's notifications. Kept behind this interface so the alarm rules
// can be tried without a desktop, and the platform's ways stay in one class.
class IAlarmOutput
{
public:
    enum class TrayState { Hidden, Monitor, Alarm };

    virtual ~IAlarmOutput() = default;

    virtual void Beep() = 0;
    // Called only on a change; the tooltip follows the state.
    virtual void SetTrayState(TrayState eState) = 0;
    // A short message for a user who may not be looking at the window;
    // bReplace: it updates the previous one instead of adding another.
    virtual void ShowBalloon(const QString& strTitle, const QString& strText, bool bReplace) = 0;
};
