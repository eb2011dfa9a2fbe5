#pragma once

#include <QRect>

// Where a window stored in the settings may be put back: monitors come and
// go between runs, and a window restored onto one that is gone cannot be seen
// or moved.
class CWindowPlacement
{
public:
    // Enough of the rectangle lies on some screen to grab its title bar and
    // drag it back. True when there are no screens to ask.
    static bool IsReachable(const QRect& rect);

    // The rectangle itself when it is reachable, otherwise the same size (shrunk
    // to fit) at the top left of the primary screen's free area.
    static QRect BroughtBack(const QRect& rect);

    // Where a window without a stored place opens: three quarters of the
    // screen's free area, centred.
    static QRect FirstStart(const QRect& available);

    // A window that grew (a pane shown beside the others) kept on its screen:
    // moved back left and up as far as needed, and shrunk only when it is
    // larger than the free area itself.
    static QRect KeptWithin(const QRect& frame, const QRect& available);
};
