#pragma once

#include <QCoreApplication>
#include <QDateTime>
#include <QList>
#include <QString>

#include <cstdint>

// How every report writes a moment: one unambiguous format with the year,
// the zone stated once where it is known, and time-axis labels that tell
// their ticks apart whatever the span.
class CReportTime
{
    Q_DECLARE_TR_FUNCTIONS(CReportTime)

public:
    // Record times are the detector's wall clock counted as this PC's local
    // time (seconds since 1970); shown as that wall clock.
    static QString Text(int64_t nSeconds);
    static QString Text(const QDateTime& time);
    static QString DateText(const QDate& date);
    // "UTC+03:00" when the offset at capture is known, else a note that it is not.
    static QString ZoneText(bool bKnown, int nUtcOffsetSecs);

    struct Tick
    {
        double dTime = 0.0;
        QString strLabel;
        // The date under the label: on the first tick and where the day changes.
        QString strDate;
    };
    // Ticks on whole local seconds, minutes, hours or days, at most nMax of them.
    static QList<Tick> AxisTicks(double dStart, double dEnd, int nMax);
};
