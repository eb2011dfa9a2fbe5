#include "systemclock.h"

#include <QElapsedTimer>

int64_t CSystemClock::MonotonicMs() const
{
    // The monotonic reference of QElapsedTimer: unaffected by changes of the wall clock.
    QElapsedTimer timer;
    timer.start();
    return timer.msecsSinceReference();
}

QDateTime CSystemClock::LocalTime() const
{
    return QDateTime::currentDateTime();
}
