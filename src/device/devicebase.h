#pragma once

#include "idevice.h"

// Common base of the detector models; adds nothing yet.
class CDeviceBase : public IDevice
{
public:
    CDeviceBase() = default;
    ~CDeviceBase() override = default;
};
