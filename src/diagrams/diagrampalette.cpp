#include "diagrampalette.h"

#include <QGuiApplication>
#include <QPaintDevice>
#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <cmath>

QPalette CDiagramPalette::Of(const QPainter& painter)
{
    // device() is the widget itself even while QWidget::render redirects the
    // painting into an image.
    const QPaintDevice* pDevice = painter.device();
    if (pDevice && pDevice->devType() == QInternal::Widget)
        return static_cast<const QWidget*>(pDevice)->palette();
    return QGuiApplication::palette();
}

QColor CDiagramPalette::Mix(const QColor& a, const QColor& b, double dB)
{
    const double dA = 1.0 - dB;
    return QColor::fromRgbF(float(a.redF() * dA + b.redF() * dB), float(a.greenF() * dA + b.greenF() * dB),
                            float(a.blueF() * dA + b.blueF() * dB));
}

double CDiagramPalette::Luminance(const QColor& colour)
{
    const auto linear = [](double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) + 0.0722 * linear(colour.blueF());
}

double CDiagramPalette::Contrast(const QColor& a, const QColor& b)
{
    const double dA = Luminance(a);
    const double dB = Luminance(b);
    return (std::max(dA, dB) + 0.05) / (std::min(dA, dB) + 0.05);
}

QColor CDiagramPalette::Trace(const QColor& colour, const QColor& background)
{
    if (Luminance(background) >= 0.18)
        return colour;
    QColor c = colour;
    for (int nStep = 1; nStep <= 20 && Contrast(c, background) < kTraceContrast; ++nStep)
        c = Mix(colour, Qt::white, nStep / 20.0);
    return c;
}

QColor CDiagramPalette::PlotBackground(const QPalette& palette)
{
    // A shade off the page: light grey on a light theme, dark grey on a dark one.
    return Mix(palette.color(QPalette::Base), palette.color(QPalette::Text), 0.12);
}

QColor CDiagramPalette::Grid(const QPalette& palette)
{
    return Mix(palette.color(QPalette::Base), palette.color(QPalette::Text), 0.35);
}

QColor CDiagramPalette::Strip(const QPalette& palette, int nAlpha)
{
    QColor c = palette.color(QPalette::Highlight);
    c.setAlpha(nAlpha);
    return c;
}
