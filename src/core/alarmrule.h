#pragma once

#include "devicerecord.h"

// When a record is an alarm, one rule for the report, the catalogue and the
// search: a log event the detector flagged on some channel, a realtime record
// with a level at or above its threshold. In a realtime file the alarms
// counted are the moments a level reaches its threshold (onsets), not every
// record above it.
class CAlarmRule
{
public:
    static bool IsAlarm(const CDeviceRecord& record, bool bLog);
};
