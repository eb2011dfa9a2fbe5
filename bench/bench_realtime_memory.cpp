// Memory of the realtime diagram after a day of polling: 1.3 million records
// (24 h at 15 records/s) through the realtime view's layout, the sample limit
// the main window sets, and a paint now and then so the summaries are built.
// Run: QT_QPA_PLATFORM=offscreen build/default/bench/bench_realtime_memory [records]
#include "devicerecord.h"
#include "kv520protocol.h"
#include "qdiagramwidget.h"
#include "recorddiagram.h"

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QRandomGenerator>

#include <cstdio>
#include <unistd.h>

namespace {

// Resident memory of this process in MB, from /proc (Linux).
double ResidentMb()
{
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly))
        return 0.0;
    const QList<QByteArray> fields = f.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * double(sysconf(_SC_PAGESIZE)) / 1e6 : 0.0;
}

double SampleMb(const CQDiagramWidget& w)
{
    size_t n = 0;
    for (int a = 0; a < w.AreaCount(); ++a)
        for (const CDiagramSignal* pSignal : w.Area(a)->m_signals)
            n += pSignal->m_samples.AllocatedBytes();
    return double(n) / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const qint64 nRecords = argc > 1 ? std::max(1000LL, std::atoll(argv[1])) : 1300000;

    CQDiagramWidget w;
    w.resize(1200, 600);
    w.SetSampleLimit(size_t(KV520::kHistorySize));
    CRecordDiagram::SetupSignals(&w, 0, true);
    QImage image(w.size(), QImage::Format_ARGB32_Premultiplied);
    w.render(&image);
    const double dBase = ResidentMb();

    QRandomGenerator rng(7);
    CDeviceRecord record;
    record.m_nBandMask = 0x07;
    record.m_Levels.resize(6);
    // From the present on, as live records come: the diagram's range starts now.
    const qint64 t0 = QDateTime::currentSecsSinceEpoch();
    QElapsedTimer timer;
    timer.start();
    for (qint64 i = 0; i < nRecords; ++i) {
        record.m_nTime = t0 + i / 15;
        for (int k = 0; k < 6; ++k) {
            record.m_Levels[k].m_dLevel = double(rng.bounded(120)) / 2.0;
            record.m_Levels[k].m_dThreshold = 40.0;
            record.m_Levels[k].m_nSignal = rng.bounded(30) == 0 ? 1 + int(rng.bounded(6)) : 0;
        }
        CRecordDiagram::AddRecord(&w, record, true);
        if (i % 20000 == 0)
            w.render(&image);
    }
    w.render(&image);
    const double dSeconds = double(timer.elapsed()) / 1000.0;

    size_t nMost = 0;
    for (int a = 0; a < w.AreaCount(); ++a)
        for (const CDiagramSignal* pSignal : w.Area(a)->m_signals)
            nMost = std::max(nMost, pSignal->m_samples.size());
    std::printf("%lld records (limit %d per signal) in %.1f s: samples hold %.1f MB, resident memory grew by "
                "%.1f MB (%.1f MB in all); longest signal %zu samples\n",
                static_cast<long long>(nRecords), KV520::kHistorySize, dSeconds, SampleMb(w),
                ResidentMb() - dBase, ResidentMb(), nMost);
    return 0;
}
