#pragma once

#include "diagramsamplelist.h"

#include <QRecursiveMutex>
#include <QVariant>
#include <QtGlobal>

// X/Y ranges, visible windows and cursor state shared by every diagram of one
// widget. Members are public because the diagram objects read them while
// painting; changes that must keep the invariants go through the checked setters.
class CDiagramAxis
{
public:
    // One lock for all axes of the process. Recursive because the shifts call
    // the single-bound setters while already holding it.
    static QRecursiveMutex& Mutex();

    // Checked setters: a refused value leaves the member alone and returns false.
    bool SetTimeVisibleMin(quint64 v);
    bool SetTimeVisibleMax(quint64 v);
    bool SetTimeDataMax(quint64 v);
    bool SetNumVisibleMin(double v);
    bool SetNumVisibleMax(double v);
    bool SetYVisibleMin(double v);
    bool SetYVisibleMax(double v);

    // Moves the visible time window by nSeconds, clamped to the data range.
    bool ShiftTime(qint32 nSeconds);
    // Moves the visible numeric window by dDelta, refusing to leave the data range.
    bool ShiftNumeric(double dDelta);

    // First sample with time >= t, or -1 for t == 0, an empty list or t past the
    // last sample. Drawing starts there.
    static qsizetype FindTime(const CDiagramSampleList& samples, quint64 t);
    // Index of a sample exactly at t, or -1; the cursor-values box shows n/a then.
    static qsizetype FindTimeExact(const CDiagramSampleList& samples, quint64 t);

    qint32 m_nFirstVisible = -1;
    qint32 m_nMinSpan = 20;
    QVariant m_vDataMin;
    QVariant m_vDataMax;
    double m_dYFullMin = 0.0;
    double m_dYFullMax = 100.0;
    QVariant m_vVisibleMin;
    QVariant m_vVisibleMax;
    double m_dYVisibleMin = 0.0;
    double m_dYVisibleMax = 100.0;
    double m_dXStep = 1.0;
    double m_dYStep = 1.0;
    bool m_bCursorMode = false;
    qint32 m_nCursorStartX = 0;
    qint32 m_nCursorX = 0;
    qint32 m_nMinTimeSpan = 180;
    // The time window is still the one a new time area starts with, at the PC's
    // clock. The data's own clock may be far from it (a detector never set,
    // another zone), so the first sample outside it moves the window to itself.
    bool m_bStartWindow = false;
};
