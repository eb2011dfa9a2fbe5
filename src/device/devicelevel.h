#pragma once

#include <cstdint>

// One channel component (DC or AC) of a converted record.
struct CDeviceLevel
{
    double m_dLevel = 0.0;     // dB
    double m_dThreshold = 0.0; // dB
    int32_t m_nBandByte = 0;   // log entry byte of the channel, 0 for live records
    int32_t m_nSignal = 0;     // signal kind code 0-6 (detector bytes may carry more)

    bool operator==(const CDeviceLevel& other) const
    {
        return m_dLevel == other.m_dLevel && m_dThreshold == other.m_dThreshold
            && m_nBandByte == other.m_nBandByte && m_nSignal == other.m_nSignal;
    }
};
