// Prints the memory and append/lookup cost of diagram sample storage: bytes per
// stored sample including the unused rest of the last chunk, and the longest
// single AddSample and the longest tick (one sample to each of 8 signals, as a
// record brings) while the signals grow to 10^4 ... 10^7 samples. The longest
// calls are counted in this thread's CPU time, which a busy machine's preemption
// does not inflate; the wall-clock figure is printed beside it. Each size is
// grown twice, to tell a stall that recurs at the same call from the host
// taking the virtual processor away.
// Run: QT_QPA_PLATFORM=offscreen build/default/bench/bench_diagram_storage [--no-1e7]
#include "diagramaxis.h"
#include "qdiagramwidget.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QVariant>

#include <algorithm>
#include <vector>
#include <cstdio>
#include <cstring>
#include <ctime>

namespace {

constexpr quint64 kStart = 1700000000;
constexpr int kSignals = 8;

// This thread's CPU time: a call that was merely preempted on a busy machine
// does not count as a long one.
qint64 ThreadNs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

// The costliest calls of one growth, by tick and signal.
struct CSlowCall {
    qint64 nTick;
    int nSignal;
    qint64 nNs;
};

// Grows 8 signals to nCount samples. Without pWatch it returns the kSlowest
// longest calls; with it, the times of just those calls this time round.
std::vector<CSlowCall> GrowOnce(qint64 nCount, const std::vector<CSlowCall>* pWatch, bool bPrint)
{
    constexpr size_t kSlowest = 64;
    CQDiagramWidget w;
    w.SetXRange(QVariant::fromValue<qulonglong>(kStart), QVariant::fromValue<qulonglong>(kStart + 600), 1.0, true);
    w.SetAutoScroll(true);
    for (int s = 0; s < kSignals; ++s)
        w.AddSignal(0, QStringLiteral("S%1").arg(s), QPen(Qt::blue), 0, true);
    std::vector<CSlowCall> slow;
    std::vector<CSlowCall> watched;
    if (pWatch) {
        watched = *pWatch;
        std::sort(watched.begin(), watched.end(), [](const CSlowCall& a, const CSlowCall& b) {
            return a.nTick != b.nTick ? a.nTick < b.nTick : a.nSignal < b.nSignal;
        });
    }
    size_t nNextWatched = 0;
    auto byTime = [](const CSlowCall& a, const CSlowCall& b) { return a.nNs > b.nNs; };
    QElapsedTimer timer;
    QElapsedTimer total;
    qint64 nLongestAdd = 0, nLongestTick = 0, nLongestWall = 0;
    total.start();
    for (qint64 i = 0; i < nCount; ++i) {
        // 15 records a second, levels in half-dB steps as the detector sends them.
        const QVariant vX = QVariant::fromValue<qulonglong>(kStart + quint64(i / 15));
        timer.start();
        const qint64 nTickStart = ThreadNs();
        qint64 nPrev = nTickStart;
        for (int s = 0; s < kSignals; ++s) {
            w.AddSample(0, s, vX, QVariant(-80.0 + double((i * 7 + s) % 160) / 2.0), 1);
            const qint64 nNow = ThreadNs();
            const qint64 nNs = nNow - nPrev;
            nLongestAdd = std::max(nLongestAdd, nNs);
            nPrev = nNow;
            if (pWatch) {
                if (nNextWatched < watched.size() && watched[nNextWatched].nTick == i
                    && watched[nNextWatched].nSignal == s)
                    watched[nNextWatched++].nNs = nNs;
            } else if (slow.size() < kSlowest || nNs > slow.front().nNs) {
                if (slow.size() == kSlowest) {
                    std::pop_heap(slow.begin(), slow.end(), byTime);
                    slow.pop_back();
                }
                slow.push_back({i, s, nNs});
                std::push_heap(slow.begin(), slow.end(), byTime);
            }
        }
        nLongestTick = std::max(nLongestTick, nPrev - nTickStart);
        nLongestWall = std::max(nLongestWall, timer.nsecsElapsed());
    }
    const double dNsPerAdd = double(total.nsecsElapsed()) / double(nCount * kSignals);
    const CDiagramSampleList& s0 = w.Signal(0, 0)->m_samples;
    if (bPrint)
        std::printf("%9lld samples x %d signals: %5.2f bytes/sample incl. slack, append %5.1f ns; longest (thread CPU) "
                    "AddSample %6.1f us, tick of %d %6.1f us; longest tick in wall time %7.1f us\n",
                    static_cast<long long>(nCount), kSignals, double(s0.AllocatedBytes()) / double(s0.size()),
                    dNsPerAdd, double(nLongestAdd) / 1000.0, kSignals, double(nLongestTick) / 1000.0,
                    double(nLongestWall) / 1000.0);
    return pWatch ? watched : slow;
}

// A virtual machine's processor taken away mid-call still counts as the
// thread's CPU time, so a single run's longest call may be the host's doing.
// The same growth is run again and the slowest calls of the first run are
// timed once more: a stall of the storage itself comes back at the same call.
void Grow(qint64 nCount)
{
    const std::vector<CSlowCall> first = GrowOnce(nCount, nullptr, true);
    const std::vector<CSlowCall> again = GrowOnce(nCount, &first, false);
    qint64 nRecurring = 0;
    CSlowCall worst{-1, -1, 0};
    for (const CSlowCall& a : first)
        for (const CSlowCall& b : again)
            if (a.nTick == b.nTick && a.nSignal == b.nSignal && std::min(a.nNs, b.nNs) > nRecurring) {
                nRecurring = std::min(a.nNs, b.nNs);
                worst = a;
            }
    std::printf("%9lld samples: longest AddSample that recurs at the same call in a second run: %6.1f us "
                "(tick %lld, signal %d; %zu slowest calls of the first run retimed)\n",
                static_cast<long long>(nCount), double(nRecurring) / 1000.0, static_cast<long long>(worst.nTick),
                worst.nSignal, first.size());
    std::fflush(stdout);
}

void Lookups()
{
    constexpr quint64 kCount = 2'000'000;
    CDiagramSampleList samples;
    for (quint64 i = 0; i < kCount; ++i)
        samples.emplace_back(QVariant::fromValue<qulonglong>(kStart + i), QVariant(-60.0 + double(i % 40)), 1);
    QElapsedTimer timer;
    timer.start();
    qsizetype sink = 0;
    constexpr int kLookups = 1'000'000;
    for (int i = 0; i < kLookups; ++i)
        sink += CDiagramAxis::FindTime(samples, kStart + (quint64(i) * 7919) % kCount);
    std::printf("FindTime in %llu samples: %.1f ns/lookup (checksum %lld)\n",
                static_cast<unsigned long long>(kCount), double(timer.nsecsElapsed()) / kLookups,
                static_cast<long long>(sink));
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const bool bNo1e7 = argc > 1 && std::strcmp(argv[1], "--no-1e7") == 0;
    std::printf("sizeof(CDiagramSample): %zu bytes (QVariant: %zu); stored packed in chunks of %zu\n",
                sizeof(CDiagramSample), sizeof(QVariant), CDiagramSampleList::kChunk);
    for (qint64 n : {10'000LL, 100'000LL, 1'000'000LL, 10'000'000LL})
        if (n < 10'000'000 || !bNo1e7)
            Grow(n);
    Lookups();
    return 0;
}
