#pragma once

#include "devicerecord.h"

#include <QByteArray>

// A record as one line of JSON for scripts: keys in English whatever the
// language, times in ISO 8601 with the offset, numbers with '.' decimals.
class CRecordJson
{
public:
    // nRow counts from 1; nVersion is the file's (2 for log files).
    static QByteArray Line(const CDeviceRecord& record, int nRow, int nVersion);
};
