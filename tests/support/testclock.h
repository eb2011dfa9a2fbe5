#pragma once

#include "iclock.h"

#include <QElapsedTimer>

#include <atomic>
#include <cstdint>

// The PC's clocks, which a test moves forward at will: a window or limit of
// seconds passes at once instead of being slept through, while everything
// else (the link's own waits, the simulator) keeps running in real time.
class CTestClock : public IClock
{
public:
    int64_t MonotonicMs() const override
    {
        QElapsedTimer timer;
        timer.start();
        return timer.msecsSinceReference() + m_nSkippedMs.load();
    }

    QDateTime LocalTime() const override { return QDateTime::currentDateTime().addMSecs(m_nSkippedMs.load()); }

    void Advance(int64_t nMs) { m_nSkippedMs += nMs; }

private:
    std::atomic<int64_t> m_nSkippedMs{0};
};
