#pragma once

#include <cstdint>

class CQDiagramWidget;
class CDeviceRecord;

// Turns device records into diagram samples. The realtime view and the log
// view share it, so a record looks the same live and read back from a file.
class CRecordDiagram
{
public:
    // Rebuilds both areas from scratch: area 0 holds the levels (and, when
    // asked, the thresholds), area 1 the signal-kind lanes. Mode 2 shows the
    // levels as bars, every other mode as lines.
    static void SetupSignals(CQDiagramWidget* pDiagram, int32_t nMode, bool bThresholds);

    // Gives the level signals the names of the current language and keeps
    // their samples: switching the language must not wipe the trace.
    static void RetranslateSignals(CQDiagramWidget* pDiagram);

    // Appends the samples of one record to a diagram built by SetupSignals.
    static void AddRecord(CQDiagramWidget* pDiagram, const CDeviceRecord& record, bool bThresholds);
};
