#include "diagramaxis.h"
#include "diagramsignal.h"
#include "qoscilloscopediagram.h"

#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QtTest>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kSampleMs = 0.0065156482861401;

CDiagramSampleList Samples(const std::vector<double>& values)
{
    CDiagramSampleList samples;
    for (size_t i = 0; i < values.size(); ++i)
        samples.emplace_back(double(i), CDiagramSample::XK_Int, values[i], 0);
    return samples;
}

std::vector<double> Ramp(int n)
{
    std::vector<double> ramp(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        ramp[size_t(i)] = i;
    return ramp;
}

// A diagram on a 533 x 256 plot with the oscilloscope window's ranges.
struct Fixture {
    QRect rects[2] = {QRect(32, 0, 533, 256), QRect(0, 0, 32, 256)};
    CDiagramAxis axis;
    CQOscilloscopeDiagram diagram{&rects[0], &axis};

    Fixture()
    {
        axis.m_vDataMin = axis.m_vVisibleMin = 0.0;
        axis.m_vDataMax = axis.m_vVisibleMax = 5120.0;
        axis.m_dXStep = kSampleMs;
        axis.m_dYVisibleMax = 256.0;
        axis.m_dYStep = 0.5;
    }
};

// Each sample's column worked out on its own, as the rule reads.
std::vector<CQOscilloscopeDiagram::Column> ColumnsSampleBySample(const std::vector<double>& values, double dDataMin,
                                                                 double dDataMax, double dVisMin, double dVisMax,
                                                                 int nWidth)
{
    std::vector<CQOscilloscopeDiagram::Column> columns{size_t(nWidth)};
    const double g = (dDataMax - dDataMin) / double(values.size());
    const double o = (dVisMax - dVisMin) / nWidth;
    if (o < g) {
        // Wider than the data: the sample under each column's left edge.
        for (int c = 0; c < nWidth; ++c) {
            const double dIndex = std::floor((dVisMin + c * o - dDataMin) / g);
            if (dIndex >= 0.0 && dIndex < double(values.size()))
                columns[size_t(c)] = {values[size_t(dIndex)], values[size_t(dIndex)], true};
        }
        return columns;
    }
    for (size_t k = 0; k < values.size(); ++k) {
        const double dStart = dDataMin + double(k) * g;
        const double dEnd = dStart + g;
        if (dStart >= dVisMax || dEnd <= dVisMin)
            continue;
        const double dCol = std::ceil((dEnd - dVisMin) / o) - 1.0;
        const int c = dCol <= 0.0 ? 0 : int(std::min<double>(dCol, nWidth - 1));
        auto& col = columns[size_t(c)];
        col = col.bValid ? CQOscilloscopeDiagram::Column{std::min(col.dLow, values[k]), std::max(col.dHigh, values[k]), true}
                         : CQOscilloscopeDiagram::Column{values[k], values[k], true};
    }
    return columns;
}

} // namespace

class TestOscilloscopeDiagram : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void mapsSamplesToColumns();
    void columnsMatchSampleBySample();
    void leavesUnreachedColumnsUndrawn();
    void labelsLevelAndTimeScales();
    void measuresDeltaCursor();
};

void TestOscilloscopeDiagram::mapsSamplesToColumns()
{
    // On a ramp each column's low and high are the first and last sample it took:
    // the columns must partition the 5120 samples into blocks of 9 or 10.
    auto columns = CQOscilloscopeDiagram::MapColumns(Samples(Ramp(5120)), 0, 5120, 0, 5120, 533);
    QCOMPARE(columns.size(), size_t(533));
    double dNext = 0;
    for (const auto& col : columns) {
        QVERIFY(col.bValid);
        QCOMPARE(col.dLow, dNext);
        QVERIFY(col.dHigh - col.dLow == 8 || col.dHigh - col.dLow == 9);
        dNext = col.dHigh + 1;
    }
    QCOMPARE(dNext, 5120.0);

    // A one-sample spike survives in exactly one column, near its position.
    std::vector<double> flat(5120, 10.0);
    flat[2500] = 200.0;
    columns = CQOscilloscopeDiagram::MapColumns(Samples(flat), 0, 5120, 0, 5120, 533);
    QList<int> spikes;
    for (size_t c = 0; c < columns.size(); ++c)
        if (columns[c].dHigh == 200.0)
            spikes.append(int(c));
    QCOMPARE(spikes.size(), 1);
    QVERIFY(qAbs(spikes[0] - 260) <= 1);

    // Fewer samples than pixels: every column shows some sample, in order, none skipped.
    columns = CQOscilloscopeDiagram::MapColumns(Samples(Ramp(100)), 0, 100, 0, 100, 533);
    QSet<double> seen;
    for (size_t c = 0; c < columns.size(); ++c) {
        QVERIFY(columns[c].bValid && columns[c].dLow == columns[c].dHigh);
        QVERIFY(c == 0 || columns[c].dHigh >= columns[c - 1].dHigh);
        seen.insert(columns[c].dHigh);
    }
    QCOMPARE(seen.size(), 100);

    // Nothing to map: no trace, no data range, no window, no width.
    const CDiagramSampleList ten = Samples(std::vector<double>(10, 1.0));
    QVERIFY(CQOscilloscopeDiagram::MapColumns({}, 0, 10, 0, 10, 100).empty());
    QVERIFY(CQOscilloscopeDiagram::MapColumns(ten, 5, 5, 0, 10, 100).empty());
    QVERIFY(CQOscilloscopeDiagram::MapColumns(ten, 0, 10, 3, 3, 100).empty());
    QVERIFY(CQOscilloscopeDiagram::MapColumns(ten, 0, 10, 0, 10, 0).empty());
}

void TestOscilloscopeDiagram::columnsMatchSampleBySample()
{
    // Column edges that fall exactly on sample edges, zoomed and shifted
    // windows, a window reaching past the data, a single sample, a flat trace
    // and widths that do not divide the frame.
    QRandomGenerator rng(7);
    std::vector<double> noise(5120);
    for (double& v : noise)
        v = double(rng.bounded(256));
    const struct {
        size_t nSamples;
        double dVisMin, dVisMax;
        int nWidth;
    } cases[] = {{5120, 0, 5120, 1866}, {5120, 0, 5120, 512}, {5120, 0, 5120, 1}, {5120, 0, 5120, 5120},
                 {5120, 1000.5, 3333.25, 700}, {5120, -200, 5000, 1001}, {5120, 4000, 6000, 999},
                 {1, 0, 5120, 300}, {7, 0, 5120, 3}, {5120, 5119, 5120.5, 1}};
    for (const auto& t : cases) {
        for (bool bFlat : {false, true}) {
            std::vector<double> values(noise.begin(), noise.begin() + qsizetype(t.nSamples));
            if (bFlat)
                std::fill(values.begin(), values.end(), 42.0);
            const auto got = CQOscilloscopeDiagram::MapColumns(Samples(values), 0, 5120, t.dVisMin, t.dVisMax, t.nWidth);
            const auto want = ColumnsSampleBySample(values, 0, 5120, t.dVisMin, t.dVisMax, t.nWidth);
            QCOMPARE(got.size(), want.size());
            for (size_t c = 0; c < got.size(); ++c) {
                QVERIFY2(got[c].bValid == want[c].bValid
                             && (!got[c].bValid || (got[c].dLow == want[c].dLow && got[c].dHigh == want[c].dHigh)),
                         qPrintable(QStringLiteral("%1 samples, %2..%3 in %4 columns, column %5")
                                        .arg(t.nSamples).arg(t.dVisMin).arg(t.dVisMax).arg(t.nWidth).arg(c)));
            }
        }
    }
}

void TestOscilloscopeDiagram::leavesUnreachedColumnsUndrawn()
{
    // A window reaching past the data leaves the right half of the columns empty;
    // nothing may be painted there.
    Fixture f;
    f.axis.m_vVisibleMax = 10240.0;
    CDiagramSignal trace(QStringLiteral("trace"), QPen(Qt::blue), 0, true);
    trace.m_samples = Samples(std::vector<double>(5120, 128.0));
    CDiagramSignal emptyLevel(QStringLiteral("level"), QPen(Qt::red), 1, true);
    CDiagramSignal hidden(QStringLiteral("hidden"), QPen(Qt::red), 0, false);
    hidden.m_samples = trace.m_samples;

    QImage image(600, 300, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        f.diagram.DrawSignals(painter, {&trace, &emptyLevel, &hidden});
    }
    int nFirst = -1, nLast = -1;
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y) {
            QVERIFY(image.pixel(x, y) != QColor(Qt::red).rgb());
            if (image.pixel(x, y) == QColor(Qt::blue).rgb()) {
                nFirst = nFirst < 0 ? x : nFirst;
                nLast = x;
            }
        }
    QCOMPARE(nFirst, 33);
    QVERIFY2(nLast >= 32 + 266 && nLast <= 32 + 268, qPrintable(QString::number(nLast)));
}

void TestOscilloscopeDiagram::labelsLevelAndTimeScales()
{
    // 0 ... 256 on 256 pixels: one label per 20 units, the last below the top edge.
    Fixture f;
    const auto yLabels = f.diagram.YLabels();
    QCOMPARE(yLabels.size(), 12);
    for (int i = 0; i < yLabels.size(); ++i) {
        const int v = 20 * (i + 1);
        QCOMPARE(yLabels[i].sText, QStringLiteral("%1  dB").arg(v / 2));
        QCOMPARE(yLabels[i].rect, QRect(0, 255 - v - 10, 32, 20));
    }
    // A collapsed level range must not hang the scale.
    f.axis.m_dYVisibleMax = f.axis.m_dYVisibleMin;
    QVERIFY(f.diagram.YLabels().isEmpty());

    // 5120 samples on 533 pixels: labels at least 80 pixels apart, every 770 samples.
    const auto xLabels = f.diagram.XLabels(QRect(32, 300, 533, 15));
    QCOMPARE(xLabels.size(), 6);
    QCOMPARE(xLabels[0].sText, QStringLiteral("5.02 ms"));
    QCOMPARE(xLabels[0].rect.left(), 32 + 80);
    QCOMPARE(xLabels[5].sText, QStringLiteral("30.10 ms"));
}

void TestOscilloscopeDiagram::measuresDeltaCursor()
{
    // From the plot's left edge 10 pixels on: 96 samples.
    Fixture f;
    f.axis.m_nCursorStartX = 32;
    f.axis.m_nCursorX = 42;
    QString sText;
    QVERIFY(f.diagram.GetToolTip(true, QPoint(100, 100), {}, sText));
    QCOMPARE(sText, QStringLiteral("<b>Delta Cursor</b><br>Start: 0.00 ms<br>End: 0.63 ms<br>"
                                   "Difference: 0.63 ms (1598.72 Hz)"));

    // Both ends on one sample: no period, so no frequency either.
    f.axis.m_nCursorX = 32;
    QVERIFY(f.diagram.GetToolTip(true, QPoint(100, 100), {}, sText));
    QVERIFY(sText.endsWith(QStringLiteral("Difference: 0.00 ms")));

    // Without the cursor: position and level under the mouse, only inside the plot.
    QVERIFY(f.diagram.GetToolTip(false, QPoint(32 + 100, 255 - 128), {}, sText));
    QCOMPARE(sText, QStringLiteral("Position: 6.26 ms<br>Level: 64.00 dB"));
    QVERIFY(!f.diagram.GetToolTip(false, QPoint(700, 5), {}, sText));
}

QTEST_MAIN(TestOscilloscopeDiagram)
#include "tst_oscilloscopediagram.moc"
