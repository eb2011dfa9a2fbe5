#include "spancanvas.h"

#include <QPainter>
#include <QRandomGenerator>
#include <QtTest>

#include <cmath>

class TestSpanCanvas : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void stackedFillsMatchBlendingInTurn();
    void layerStartsEmpty();
    void neighbouringStepsFollowTheLineRule();
};

void TestSpanCanvas::stackedFillsMatchBlendingInTurn()
{
    // Bars of four signals standing on one bottom edge, as the level-bar diagram
    // draws them, plus rectangles that float, poke out of the area or are empty.
    QRandomGenerator rng(3);
    const QRect area(10, 20, 300, 120);
    std::vector<QVector<QRect>> layers(4);
    const std::vector<QRgb> colours = {qPremultiply(qRgba(0, 0, 255, 100)), qPremultiply(qRgba(255, 0, 0, 100)),
                                       qPremultiply(qRgba(0, 0, 128, 255)), qPremultiply(qRgba(128, 0, 0, 100))};
    for (size_t l = 0; l < layers.size(); ++l) {
        for (int x = area.left() - 5; x < area.right() + 5;) {
            const int w = 1 + int(rng.bounded(12));
            const int top = area.top() + int(rng.bounded(area.height()));
            if (rng.bounded(4) != 0)
                layers[l].append(QRect(x, top, w, area.bottom() - top));
            x += w + int(rng.bounded(3));
        }
        layers[l].append(QRect(area.left() + 40, area.top() - 10, 15, 30));
        layers[l].append(QRect(area.left() + 60, area.top() + 5, 0, 30));
    }
    // Layers stay disjoint within themselves, as the diagram guarantees.
    for (QVector<QRect>& rects : layers) {
        QRegion taken;
        QVector<QRect> disjoint;
        for (const QRect& r : rects)
            if (!taken.intersects(r)) {
                disjoint.append(r);
                taken += r;
            }
        rects = disjoint;
    }

    auto render = [&](bool bStacked) {
        QImage image(400, 200, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        CSpanCanvas canvas;
        canvas.Begin(area);
        if (bStacked) {
            canvas.FillStacked(layers, colours);
        } else {
            for (size_t l = 0; l < layers.size(); ++l)
                for (const QRect& r : layers[l])
                    canvas.Fill(r, colours[l]);
        }
        canvas.HSpan(area.left(), area.right(), area.top() + 50, qPremultiply(qRgba(0, 128, 0, 255)));
        QPainter painter(&image);
        canvas.Flush(painter);
        return image;
    };
    const QImage inTurn = render(false);
    const QImage stacked = render(true);
    QCOMPARE(stacked, inTurn);
    QVERIFY(inTurn.pixel(area.left() + 45, area.top() + 2) != qRgb(255, 255, 255));
}

void TestSpanCanvas::layerStartsEmpty()
{
    // A paint that stopped before flushing must not leave its spans for the next one.
    CSpanCanvas canvas;
    const QRect area(0, 0, 50, 40);
    canvas.Begin(area);
    canvas.VSpan(10, 0, 39, qPremultiply(qRgba(255, 0, 0, 255)));
    canvas.Begin(area);
    canvas.HSpan(0, 49, 5, qPremultiply(qRgba(0, 0, 255, 255)));
    QImage image(50, 40, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    canvas.Flush(painter);
    QCOMPARE(image.pixel(10, 20), qRgb(255, 255, 255));
    QCOMPARE(image.pixel(10, 5), qRgb(0, 0, 255));
    // After a flush the layer is clear again for the next paint.
    canvas.Begin(area);
    canvas.HSpan(0, 49, 30, qPremultiply(qRgba(0, 255, 0, 255)));
    image.fill(Qt::white);
    canvas.Flush(painter);
    QCOMPARE(image.pixel(10, 5), qRgb(255, 255, 255));
    QCOMPARE(image.pixel(10, 30), qRgb(0, 255, 0));
}

QTEST_MAIN(TestSpanCanvas)
void TestSpanCanvas::neighbouringStepsFollowTheLineRule()
{
    // A step between neighbouring columns goes through its own path; it must
    // cover the same pixels as the per-column rule of any other line: each
    // column from its end to the midpoint, rounded half away from zero, and a
    // flat step one pixel high. Both directions, steps that leave the layer
    // and odd and even rises are drawn.
    const QRect area(0, 0, 8, 60);
    const QRgb c = qPremultiply(qRgba(0, 0, 0, 255));
    auto draw = [&](auto&& paint) {
        QImage image(area.size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        CSpanCanvas canvas;
        canvas.Begin(area);
        paint(canvas);
        QPainter painter(&image);
        canvas.Flush(painter);
        return image;
    };
    for (int y0 = -12; y0 <= 70; y0 += 3) {
        for (int y1 = -15; y1 <= 72; ++y1) {
            for (bool bBackwards : {false, true}) {
                const QImage got = draw([&](CSpanCanvas& canvas) {
                    if (bBackwards)
                        canvas.Line(4, y1, 3, y0, c);
                    else
                        canvas.Line(3, y0, 4, y1, c);
                });
                const QImage want = draw([&](CSpanCanvas& canvas) {
                    const double dMid = y0 + (y1 - y0) * 0.5;
                    const int nMid = y1 == y0 ? y0 : int(std::lround(dMid));
                    canvas.VSpan(3, y0, nMid, c);
                    canvas.VSpan(4, nMid, y1, c);
                });
                QVERIFY2(got == want, qPrintable(QStringLiteral("%1 -> %2").arg(y0).arg(y1)));
            }
        }
    }
}

#include "tst_spancanvas.moc"
