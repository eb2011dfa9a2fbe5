#pragma once

#include <QString>

#include <cstdint>

// One thing a session shows that the session it is compared with did not,
// or the other way round; the comparison view lists them and the report
// prints them.
class CSessionDifference
{
public:
    enum class Kind {
        SignalNew,    // a signal kind seen now, not then
        SignalGone,   // seen then, not now
        BandNew,      // a channel (B1, B1F, B2) with a level now, not then
        BandGone,
        FrequencyNew, // a frequency no frequency of then lies near
        LevelRose,    // a channel's highest level rose by the least change or more
        LevelFell,
        AlarmNew      // an alarm on a channel and signal kind that had none then
    };

    Kind m_eKind = Kind::SignalNew;
    int m_nSignal = 0;        // signal kind code; 0 none
    int m_nChannel = -1;      // 0 B1, 1 B1F, 2 B2; -1 none
    double m_dFrequency = 0.0; // kHz, as the records hold it
    double m_dBefore = 0.0;   // dB, the compared session's highest level
    double m_dNow = 0.0;      // dB
    // The record in the new session to show (from 0), and its time as the
    // record holds it; -1 when the new session has none (something gone).
    int64_t m_nPosition = -1;
    int64_t m_nTime = 0;
    QString m_strText; // for people, in the user's language

    // A stable English key for scripts: "signal-new", "level-rose", ...
    static QString KindKey(Kind eKind);
};
