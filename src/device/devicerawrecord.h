#pragma once

#include <QtEndian>
#include <cstddef>
#include <cstdint>
#include <cstring>

// One measurement as kept in the history ring and, byte for byte, in .rdf and
// .ldf files. Every member is a byte array so the layout has no padding and the
// multi-byte fields stay little-endian on any host; use the accessors.
struct DeviceRawRecord
{
    uint8_t Sequence[2];    // 0: int16, number of a log event within its file, from 1
    uint8_t BandBytes[3];   // 2: log entry bytes 1-3, one per channel
    uint8_t Reserved1[3];   // 5
    uint8_t Time[4];        // 8: int32, quarter seconds (day index * 345600 + tick)
    uint8_t Day;            // 12: 1-31
    uint8_t Month;          // 13: 1-12
    uint8_t StatusWord[2];  // 14: uint16, log event value (duration or count)
    uint8_t Levels[24];     // 16: level block L[]
    uint8_t Thresholds[32]; // 40: threshold block T[]
    uint8_t BandMask;       // 72
    uint8_t Reserved2[3];   // 73

    int16_t GetSequence() const { return qFromLittleEndian<qint16>(Sequence); }
    void SetSequence(int16_t n) { qToLittleEndian<qint16>(n, Sequence); }
    int32_t GetTime() const { return qFromLittleEndian<qint32>(Time); }
    void SetTime(int32_t n) { qToLittleEndian<qint32>(n, Time); }
    uint16_t GetStatusWord() const { return qFromLittleEndian<quint16>(StatusWord); }
    void SetStatusWord(uint16_t n) { qToLittleEndian<quint16>(n, StatusWord); }
    uint32_t GetFrequency() const { return qFromLittleEndian<quint32>(Levels + 16); }
    bool IsFrequencyValid() const { return Levels[20] != 0; }

    void Clear() { std::memset(this, 0, sizeof(*this)); }
};

static_assert(sizeof(DeviceRawRecord) == 76, "records are stored raw in files");
static_assert(offsetof(DeviceRawRecord, Time) == 8);
static_assert(offsetof(DeviceRawRecord, Day) == 12);
static_assert(offsetof(DeviceRawRecord, StatusWord) == 14);
static_assert(offsetof(DeviceRawRecord, Levels) == 16);
static_assert(offsetof(DeviceRawRecord, Thresholds) == 40);
static_assert(offsetof(DeviceRawRecord, BandMask) == 72);
