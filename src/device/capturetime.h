#pragma once

#include "devicerawrecord.h"

#include <QDateTime>

#include <cstdint>

// The detector keeps month, day and time of day, in the zone its clock was
// set in; the year and the zone are the PC's at capture. With both known, a
// record means one instant wherever and whenever it is read again.
class CCaptureTime
{
public:
    int m_nYear = 0;          // the year of the file's first record
    int m_nUtcOffsetSecs = 0; // the PC's offset from UTC at capture
    bool m_bKnown = false;    // false: year and zone are assumed (the PC's now)
    bool m_bGuessed = false;  // taken from the file's modification time

    // At the moment of writing: the year of the first record is now's year,
    // unless its month lies ahead of now's by more than half a year (a log
    // of December downloaded in January).
    static CCaptureTime At(const DeviceRawRecord& first, const QDateTime& now);
    static int YearOf(int nMonth, const QDate& today);

    // Milliseconds since 1970 UTC of a record of a file whose first record
    // is first: a month before the first one's is in the following year (a
    // session across New Year).
    int64_t InstantMs(const DeviceRawRecord& record, const DeviceRawRecord& first) const;
    // The instant as an ISO 8601 text with the offset at capture.
    QString IsoText(int64_t nInstantMs) const;
};
