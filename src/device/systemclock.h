#pragma once

#include "iclock.h"

// The clocks of the PC.
class CSystemClock : public IClock
{
public:
    int64_t MonotonicMs() const override;
    QDateTime LocalTime() const override;
};
