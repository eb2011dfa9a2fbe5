#pragma once

#include <cstdint>
#include <cstring>

// What the detector's display and indicators show right now, taken from the
// last stored data frame. Readers get it as a copied snapshot.
struct CDeviceLiveState
{
    uint8_t m_nModeFlags = 0;   // frame byte 6
    uint8_t m_nStatusA = 0;     // frame byte 7: status line pictogram 0-5
    uint8_t m_nStatusAClear = 0; // 1 when frame byte 7 is 0
    uint8_t m_nStatusB = 0;     // frame byte 9: sensitivity index 0-2
    uint8_t m_nBandMask = 0;    // frame byte 10
    uint8_t m_nLanguage = 0;    // bit 1 of frame byte 8
    uint8_t m_nAlarm = 0;       // bit 0 of frame byte 8
    uint8_t m_nIndicator3 = 0;  // bit 3 of frame byte 8
    uint16_t m_nStatusWord = 0; // frame bytes 12-13
    uint8_t m_nChangeByte = 100; // 100 until the first stored frame, then 0
    uint8_t m_nStatusC = 0;     // frame byte 11
    uint8_t m_Levels[24] = {};  // level block L[], frame bytes 14-37
    uint8_t m_Thresholds[32] = {}; // threshold block T[], frame bytes 38-69
    int32_t m_nOscParam = 0;    // frame byte 124
    int32_t m_nTickBase = 0;    // quarter seconds since midnight of the last data frame
    uint32_t m_nFrameCount = 0; // stored frames since construction; tells a new frame from the last one
};
