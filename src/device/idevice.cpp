#include "idevice.h"

IDevice* g_pDevice = nullptr;
