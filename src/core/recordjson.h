#pragma once

#include "devicerecord.h"

#include <QByteArray>

#include <optional>

// A record as one line of JSON for scripts: keys in English whatever the
// language, times in ISO 8601 with the offset, numbers with '.' decimals.
class CRecordJson
{
public:
    // Raised when a field changes meaning or goes; new fields keep it.
    static constexpr int kSchemaVersion = 1;

    // nRow counts from 1; nVersion is the file's (2 for log files).
    // With an offset the time is stated in it (the PC's offset at capture);
    // without, in this PC's zone now.
    static QByteArray Line(const CDeviceRecord& record, int nRow, int nVersion,
                           std::optional<int> utcOffset = std::nullopt);
};
