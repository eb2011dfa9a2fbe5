#pragma once

#include "devicerawrecord.h"

#include <cstdint>
#include <vector>

class IDevice;
class IRecordSink;

// The one reader of the device's record total. Each Poll hands every record
// stored since the last one, in order and exactly once, to every subscribed
// sink, so that no consumer keeps its own idea of what is new. Used on one
// thread (the GUI thread, or the tool's main thread); sinks that work
// elsewhere queue what they are handed.
class CRecordFeed
{
public:
    // Records copied from the device per step; bounds the buffer, not the rate.
    static constexpr int kBatch = 4096;

    explicit CRecordFeed(IDevice* pDevice = nullptr);

    // Another device starts another history.
    void SetDevice(IDevice* pDevice);
    IDevice* Device() const { return m_pDevice; }

    // A sink gets the records from the next Poll on; subscribing twice does nothing.
    void Subscribe(IRecordSink* pSink);
    void Unsubscribe(IRecordSink* pSink);

    // What is stored already is not handed on: the next Poll starts with the
    // records that arrive from now (a stream begun after the connection).
    void SkipStored();
    // Hands on what was stored since the last call; returns how many records
    // were handed on.
    int64_t Poll();
    // The index, in the device's total, of the next record to hand on.
    int64_t Next() const { return m_nNext; }
    // Records lost since the feed started because it fell behind the ring.
    int64_t Missed() const { return m_nMissed; }

private:
    IDevice* m_pDevice;
    std::vector<IRecordSink*> m_Sinks;
    std::vector<DeviceRawRecord> m_Buffer;
    int64_t m_nNext = 0;
    int64_t m_nMissed = 0;
};
