#pragma once

#include "devicerecord.h"
#include "sessiondifference.h"

#include <QCoreApplication>
#include <QList>

// What differs between two sessions (a visit and the room's baseline, or any
// two): signal kinds and bands new or gone, frequencies new, highest levels
// per channel that moved, alarms new. Pure: records in, differences out, in
// a stable order (by what they are, then by where they are in the new
// session). A session compared with itself shows nothing.
class CSessionComparison
{
    Q_DECLARE_TR_FUNCTIONS(CSessionComparison)

public:
    static constexpr int kChannels = 3;
    // The detector counts frequency in kHz and its counter reads a carrier a
    // little differently each time; 1 MHz keeps one transmitter one.
    static constexpr double kDefaultToleranceKhz = 1000.0;
    static constexpr double kDefaultMinChangeDb = 6.0;
    // Frequencies farther apart than this are never one.
    static constexpr double kMaxToleranceKhz = 1.0e7;

    struct Options
    {
        double dToleranceKhz = kDefaultToleranceKhz;
        double dMinChangeDb = kDefaultMinChangeDb;
    };

    struct Session
    {
        QList<CDeviceRecord> records;
        bool bLog = false;
    };

    static QList<CSessionDifference> Compare(const Session& now, const Session& base, const Options& options);
    static QList<CSessionDifference> Compare(const Session& now, const Session& base)
    {
        return Compare(now, base, Options());
    }

    static QString ChannelName(int nChannel);
};
