#pragma once

#include <QColor>
#include <QPalette>

class QPainter;

// The colours of a diagram's frame (background, grid, labels, strips) taken
// from the palette of the widget being painted, so that dark and
// high-contrast themes get readable diagrams. The signal colours are the
// diagrams' own and are not touched.
class CDiagramPalette
{
public:
    // The palette of the widget the painter paints, also when it is rendered
    // into an image; the application's palette for anything else.
    static QPalette Of(const QPainter& painter);

    static QColor Text(const QPalette& palette) { return palette.color(QPalette::WindowText); }
    static QColor PlotBackground(const QPalette& palette);
    static QColor Grid(const QPalette& palette);
    // Translucent tint of the label strip and the Y axis column.
    static QColor Strip(const QPalette& palette, int nAlpha);

    // a towards b by dB (0..1).
    static QColor Mix(const QColor& a, const QColor& b, double dB);
};
