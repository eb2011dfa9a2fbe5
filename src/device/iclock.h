#pragma once

#include <QDateTime>

#include <cstdint>

// Where the device object reads the time: a monotonic count for its windows
// and limits, and the PC's local date and time for what it tells the detector.
// Tests hand in a clock they move themselves instead of sleeping.
class IClock
{
public:
    virtual ~IClock() = default;
    // Milliseconds from an arbitrary start; never goes back. Called from any thread.
    virtual int64_t MonotonicMs() const = 0;
    // The PC's local date and time. Called from any thread.
    virtual QDateTime LocalTime() const = 0;
};
