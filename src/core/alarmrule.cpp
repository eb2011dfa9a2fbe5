#include "alarmrule.h"

#include "recordtexts.h"

bool CAlarmRule::IsAlarm(const CDeviceRecord& record, bool bLog)
{
    if (bLog)
        return CRecordTexts::HighlightMask(record) != 0;
    for (const CDeviceLevel& level : record.m_Levels)
        if (level.m_dThreshold > 0.0 && level.m_dLevel >= level.m_dThreshold)
            return true;
    return false;
}
