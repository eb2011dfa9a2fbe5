#pragma once

#include <QMetaType>

// Kind of a diagram area; values without a diagram class leave the area empty.
enum DiagramType {
    DT_TimeLines = 0,
    DT_TimeRects = 1,
    DT_TimeLevelRects = 2,
    // The kind the "Difference" option belongs to; no diagram class draws it yet.
    DT_Difference = 3,
    DT_Oscilloscope = 5,
};
Q_DECLARE_METATYPE(DiagramType)
