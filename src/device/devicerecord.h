#pragma once

#include "devicelevel.h"
#include "devicerawrecord.h"

#include <QList>
#include <QString>

// A history or file record converted for the user interface: levels in dB,
// time as seconds since 1970 of the record's local date and time.
class CDeviceRecord
{
public:
    enum class Mode { Live, File };

    int32_t m_nBandMask = 0;
    QString m_strText;
    int64_t m_nTime = 0;
    int32_t m_nStatusWord = 0;
    QList<CDeviceLevel> m_Levels; // B1 DC, B1 AC, B1F DC, B1F AC, B2 DC, B2 AC
    double m_dFrequency = 0.0;

    // Live records take their thresholds from the threshold block, file records
    // from the level block. nYear is the year the record is placed in (the
    // detector keeps no year); 0 means the PC's current year.
    static CDeviceRecord FromRaw(const DeviceRawRecord& raw, Mode eMode, int nYear = 0);

    // Local date and time of a raw record as seconds since 1970. Out-of-range
    // day and month bytes (files and the detector are not trusted) are clamped.
    static int64_t TimeOf(const DeviceRawRecord& raw, int nYear);
    // Local times are learnt per day and forgotten every second; after the
    // time zone changed, this forgets them at once (for the calling thread).
    static void ForgetLocalTimes();

    bool IsEmpty() const { return m_Levels.isEmpty(); }
};

// Display names of the signal kinds, nine characters each. Kind codes outside
// the table give an empty string; callers decide what to show then.
QString SignalKindName(int nKind);
constexpr int kSignalKindCount = 7;
