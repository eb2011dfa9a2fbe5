#pragma once

#include "ialarmoutput.h"

#include <QStringList>

// Collects what an alarm would have shown or sounded.
class CCountingAlarmOutput : public IAlarmOutput
{
public:
    int m_nBeeps = 0;
    QList<TrayState> m_TrayStates;
    QStringList m_Balloons;
    int m_nReplaced = 0;

    void Beep() override { ++m_nBeeps; }
    void SetTrayState(TrayState eState) override { m_TrayStates.append(eState); }
    void ShowBalloon(const QString&, const QString& strText, bool bReplace) override
    {
        m_Balloons.append(strText);
        m_nReplaced += bReplace ? 1 : 0;
    }
};
