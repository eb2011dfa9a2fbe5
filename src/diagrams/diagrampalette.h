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

    // Relative luminance and contrast ratio as the accessibility guidelines
    // (WCAG) define them.
    static double Luminance(const QColor& colour);
    static double Contrast(const QColor& a, const QColor& b);
    // The least contrast a trace needs to be told from its background.
    static constexpr double kTraceContrast = 3.0;
    // colour as a trace on background: unchanged on a light background (the
    // traces' colours were chosen for it); on a dark one lightened, hue kept,
    // until it stands out by kTraceContrast.
    static QColor Trace(const QColor& colour, const QColor& background);
};
