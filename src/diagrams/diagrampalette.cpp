#include "diagrampalette.h"

#include <QGuiApplication>
#include <QPaintDevice>
#include <QPainter>
#include <QWidget>

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
