#pragma once

#include "devicerawrecord.h"

#include <cstdint>

// A consumer of the device's records: the live diagram, the recorder, the
// command-line stream, the alarm notifier. It is handed each record once, in
// the order the device stored them, by the feed it subscribed to.
class IRecordSink
{
public:
    virtual ~IRecordSink() = default;

    // Records nFirst ... nFirst + nCount - 1 of the device's never-wrapping
    // total, oldest first. pRecords is valid during the call only.
    virtual void OnRecords(int64_t nFirst, const DeviceRawRecord* pRecords, int nCount) = 0;
    // nMissed records left the ring before they could be handed on (the feed
    // was not polled for longer than the ring holds). Said, never skipped in silence.
    virtual void OnRecordsMissed(int64_t nMissed) { (void)nMissed; }
    // The device started a new history (a restart of the link): the total
    // counts from 0 again, and what comes next belongs to a new connection.
    virtual void OnHistoryRestarted() {}
};
