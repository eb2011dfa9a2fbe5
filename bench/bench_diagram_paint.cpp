// Prints the paint cost of the time diagrams with large signals, offscreen.
// Run: QT_QPA_PLATFORM=offscreen build/default/bench/bench_diagram_paint [--no-1e7] [--lines N] [--bars N] [--save DIR]
// --lines N runs only the lines case with N samples per signal, --bars N only the
// level-bar realtime case with N records (for profiling).
#include "qdiagramwidget.h"

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr int kPerSecond = 40;
QString g_sSaveDir;

QVariant Secs(quint64 v) { return QVariant::fromValue<qulonglong>(v); }

// How a paint finds the view: unchanged since the last paint, with new samples
// appended (the realtime case), or moved (nothing can be reused).
enum class Repaint { Same, Appended, Moved };
Repaint g_eRepaint = Repaint::Moved;

double MedianPaintMs(CQDiagramWidget& w, int nRounds, const char* pSaveName = nullptr)
{
    QImage image(w.size(), QImage::Format_ARGB32_Premultiplied);
    std::vector<double> ms;
    QElapsedTimer timer;
    const QVariant vMin = w.Axis().m_vVisibleMin;
    const QVariant vMax = w.Axis().m_vVisibleMax;
    w.render(&image);
    for (int i = 0; i < nRounds; ++i) {
        if (g_eRepaint == Repaint::Moved) {
            w.SetXVisible(vMin, QVariant::fromValue<qulonglong>(vMax.toULongLong() - quint64(i % 2)));
        } else if (g_eRepaint == Repaint::Appended) {
            // One record per paint, as the 25 ms timer delivers them; the time
            // stays within the window so the view does not move.
            for (int a = 0; a < w.AreaCount(); ++a)
                for (int s = 0; s < w.Area(a)->m_signals.size(); ++s) {
                    const CDiagramSampleList& l = w.Signal(a, s)->m_samples;
                    if (!l.empty())
                        w.Signal(a, s)->m_samples.push_back(l.back());
                }
        }
        timer.start();
        w.render(&image);
        ms.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    if (pSaveName && !g_sSaveDir.isEmpty())
        image.save(g_sSaveDir + QLatin1Char('/') + QLatin1String(pSaveName));
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

// A level that wanders like a real measurement, with a rare short burst, in the
// detector's half-dB steps.
struct CLevelSource {
    explicit CLevelSource(quint32 nSeed) : rng(nSeed) {}
    double Next()
    {
        level += (rng.generateDouble() - 0.5) * 2.0;
        level = std::clamp(level, 5.0, 45.0);
        if (rng.bounded(5000) == 0)
            return 58.0;
        return std::round(level * 2.0) / 2.0;
    }
    QRandomGenerator rng;
    double level = 25.0;
};

const QColor kColours[8] = {Qt::blue, Qt::red, Qt::darkBlue, Qt::darkRed,
                            Qt::darkGreen, Qt::magenta, Qt::darkCyan, Qt::black};

void Fill(CQDiagramWidget& w, int nArea, int nSignals, qint64 n, quint64 t0, double& dNsPerAdd)
{
    std::vector<CLevelSource> sources;
    for (int s = 0; s < nSignals; ++s)
        sources.emplace_back(quint32(17 + s));
    QElapsedTimer timer;
    timer.start();
    for (qint64 i = 0; i < n; ++i) {
        const QVariant vX = Secs(t0 + quint64(i / kPerSecond));
        for (int s = 0; s < nSignals; ++s)
            w.AddSample(nArea, s, vX, sources[size_t(s)].Next(), 1);
    }
    dNsPerAdd = double(timer.nsecsElapsed()) / double(n * nSignals);
}

void LinesBench(qint64 n)
{
    CQDiagramWidget w;
    w.resize(1200, 500);
    w.SetYRange(0, 60, 1);
    const quint64 t0 = 1700000000;
    w.SetXRange(Secs(t0), Secs(t0 + 600), 1.0, true);
    for (int s = 0; s < 8; ++s)
        w.AddSignal(0, QStringLiteral("S%1").arg(s), QPen(kColours[s]), 0, true);
    double dNsPerAdd = 0;
    Fill(w, 0, 8, n, t0, dNsPerAdd);
    const quint64 tEnd = w.Axis().m_vDataMax.toULongLong();

    // Fewer rounds for instruction counting (valgrind --tool=callgrind --dump-after=QWidget::render).
    const int nRounds = qEnvironmentVariableIntValue("KV521_BENCH_ROUNDS") > 0
        ? qEnvironmentVariableIntValue("KV521_BENCH_ROUNDS")
        : (n >= 10000000 ? 15 : 31);
    const CDiagramSampleList& s0 = w.Signal(0, 0)->m_samples;
    const double dBytes = double(s0.AllocatedBytes()) / double(s0.size());
    double dAll[2], dLast[2];
    const Repaint modes[2] = {Repaint::Moved, Repaint::Appended};
    for (int m = 0; m < 2; ++m) {
        g_eRepaint = modes[m];
        w.SetXVisible(Secs(t0), Secs(tEnd));
        const QByteArray name = QStringLiteral("lines_%1_all.png").arg(n).toLatin1();
        dAll[m] = MedianPaintMs(w, nRounds, name.constData());
        w.SetXVisible(Secs(tEnd - 600), Secs(tEnd));
        const QByteArray name10 = QStringLiteral("lines_%1_10min.png").arg(n).toLatin1();
        dLast[m] = MedianPaintMs(w, nRounds, name10.constData());
    }
    std::printf("lines  8 x %9lld samples: whole range %6.2f ms moved / %6.2f ms appended, "
                "last 10 min %5.2f / %5.2f ms, AddSample %5.1f ns, %.1f bytes/sample stored\n",
                static_cast<long long>(n), dAll[0], dAll[1], dLast[0], dLast[1], dNsPerAdd, dBytes);
    std::fflush(stdout);
}

void RealtimeBench(DiagramType eUpper, qint64 n)
{
    CQDiagramWidget w;
    w.resize(1200, 600);
    w.SetAreas({CDiagramAreaSpec(eUpper, 0, 1.0), CDiagramAreaSpec(DT_TimeRects, 100, 0.0)});
    w.SetXAxisType(0);
    const quint64 t0 = 1700000000;
    w.SetXRange(Secs(t0), Secs(t0 + 600), 1.0, true);
    const char* names[4] = {"B1 DC", "B1 AC", "B2 DC", "B2 AC"};
    for (int s = 0; s < 4; ++s)
        w.AddSignal(0, QString::fromLatin1(names[s]), QPen(kColours[s]), 0, true);
    for (int s = 0; s < 4; ++s)
        w.AddSignal(0, QString::fromLatin1(names[s]) + QStringLiteral(" Thres."),
                    QPen(QBrush(kColours[s]), 1.0, Qt::DashDotLine), 1, true);
    const char* lanes[6] = {"DECT", "GSM", "BT", "WLAN", "DBAS", "WBAS"};
    for (int s = 0; s < 6; ++s)
        w.AddSignal(1, QString::fromLatin1(lanes[s]), QPen(kColours[s + 2]), 0, true);
    w.SetYRange(0, 60, 1);

    std::vector<CLevelSource> sources;
    for (int s = 0; s < 4; ++s)
        sources.emplace_back(quint32(3 + s));
    QRandomGenerator rng(5);
    QElapsedTimer timer;
    timer.start();
    qint64 nAdds = 0;
    for (qint64 i = 0; i < n; ++i) {
        const QVariant vX = Secs(t0 + quint64(i / kPerSecond));
        for (int s = 0; s < 4; ++s)
            w.AddSample(0, s, vX, sources[size_t(s)].Next(), 1);
        for (int s = 0; s < 4; ++s)
            w.AddSample(0, 4 + s, vX, 30.0 + 5 * s, 1);
        nAdds += 8;
        // Transmitters come and go in bursts of a few minutes.
        for (int s = 0; s < 6; ++s) {
            if (((i / kPerSecond + 97 * s) / 240) % 3 == 0 && (i % 4) == 0) {
                w.AddSample(1, s, vX, 1, 1);
                ++nAdds;
            }
        }
    }
    const double dNsPerAdd = double(timer.nsecsElapsed()) / double(nAdds);
    const quint64 tEnd = w.Axis().m_vDataMax.toULongLong();
    const char* pKind = eUpper == DT_TimeLines ? "level-line" : "level-bar";
    const int nRounds = qEnvironmentVariableIntValue("KV521_BENCH_ROUNDS") > 0
        ? qEnvironmentVariableIntValue("KV521_BENCH_ROUNDS") : 31;
    const QByteArray nameAll = QStringLiteral("realtime_%1_%2_all.png").arg(QLatin1String(pKind)).arg(n).toLatin1();
    const QByteArray name10 = QStringLiteral("realtime_%1_%2_10min.png").arg(QLatin1String(pKind)).arg(n).toLatin1();
    // As the realtime view shows it: auto-scrolled to the newest ten minutes.
    double dAll[2], dLast[2];
    const Repaint modes[2] = {Repaint::Moved, Repaint::Appended};
    for (int m = 0; m < 2; ++m) {
        g_eRepaint = modes[m];
        w.SetXVisible(Secs(tEnd - 600), Secs(tEnd));
        dLast[m] = MedianPaintMs(w, nRounds, name10.constData());
        w.SetXVisible(Secs(t0), Secs(tEnd));
        dAll[m] = MedianPaintMs(w, nRounds, nameAll.constData());
    }
    std::printf("realtime %-10s 8+6 signals x %8lld records: last 10 min %5.2f ms moved / %5.2f ms appended, "
                "whole range %6.2f / %6.2f ms, AddSample %5.1f ns\n",
                pKind, static_cast<long long>(n), dLast[0], dLast[1], dAll[0], dAll[1], dNsPerAdd);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    bool bLarge = true;
    qint64 nOnlyLines = 0;
    qint64 nOnlyBars = 0;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--no-1e7"))
            bLarge = false;
        else if (args[i] == QLatin1String("--lines") && i + 1 < args.size())
            nOnlyLines = args[++i].toLongLong();
        else if (args[i] == QLatin1String("--bars") && i + 1 < args.size())
            nOnlyBars = args[++i].toLongLong();
        else if (args[i] == QLatin1String("--save") && i + 1 < args.size())
            g_sSaveDir = args[++i];
    }
    std::printf("sizeof(CDiagramSample) = %zu bytes; 1200 x 500 (lines), 1200 x 600 (realtime); "
                "median ms per paint\n", sizeof(CDiagramSample));
    if (nOnlyLines > 0 || nOnlyBars > 0) {
        if (nOnlyLines > 0)
            LinesBench(nOnlyLines);
        if (nOnlyBars > 0)
            RealtimeBench(DT_TimeLevelRects, nOnlyBars);
        return 0;
    }
    for (qint64 n : {qint64(10000), qint64(100000), qint64(1000000)})
        LinesBench(n);
    if (bLarge)
        LinesBench(10000000);
    for (qint64 n : {qint64(100000), qint64(1000000)}) {
        RealtimeBench(DT_TimeLines, n);
        RealtimeBench(DT_TimeLevelRects, n);
    }
    return 0;
}
