// Prints the cost of one oscilloscope frame: SetFrame plus one paint of the
// diagram, at the window's form size and at full HD.
// Run: build/default/bench/bench_scope [frames]
#include "oscilloscopewindow.h"
#include "qdiagramwidget.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// A noise floor with WLAN-like bursts of about 45 samples, as the detector shows.
QByteArray MakeFrame(QRandomGenerator& random)
{
    QByteArray frame(5120, '\0');
    const int nOffset = int(random.bounded(400));
    for (int i = 0; i < frame.size(); ++i) {
        int v = 10 + int(random.bounded(8));
        if ((i + nOffset) % 400 < 45)
            v += 150;
        frame[i] = char(v);
    }
    return frame;
}

// bWhole paints the window with its buttons and labels; otherwise only the
// diagram, which is all that a frame invalidates.
double MedianMicroseconds(COscilloscopeWindow& window, const std::vector<QByteArray>& frames, bool bWhole)
{
    std::vector<double> times;
    times.reserve(frames.size());
    QElapsedTimer timer;
    for (const QByteArray& frame : frames) {
        timer.start();
        window.SetFrame(frame, 3);
        if (bWhole)
            window.repaint();
        else
            window.DiagramWidget()->repaint();
        times.push_back(double(timer.nsecsElapsed()) / 1000.0);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int nFrames = argc > 1 ? std::max(10, atoi(argv[1])) : 300;

    QRandomGenerator random(1);
    std::vector<QByteArray> frames;
    for (int i = 0; i < nFrames; ++i)
        frames.push_back(MakeFrame(random));

    COscilloscopeWindow window;
    window.SetTimeRange(0, 5120);
    window.SetLevelRange(0, 256);
    window.show();
    for (const QSize& size : {QSize(565, 373), QSize(1920, 1080)}) {
        window.resize(size);
        QApplication::processEvents();
        MedianMicroseconds(window, {frames.begin(), frames.begin() + 10}, true); // warm-up
        const double dDiagram = MedianMicroseconds(window, frames, false);
        const double dWhole = MedianMicroseconds(window, frames, true);
        const QSize plot = window.DiagramWidget()->Area(0)->PlotRect().size();
        std::printf("%dx%d window (plot %dx%d): median per frame over %d frames: %.0f us with the diagram "
                    "repainted, %.0f us with the whole window\n",
                    size.width(), size.height(), plot.width(), plot.height(), nFrames, dDiagram, dWhole);
    }
    return 0;
}
