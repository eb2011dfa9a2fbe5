// Prints the memory and append/lookup cost of diagram sample storage.
// Run: build/default/bench/bench_diagram_storage
#include "diagramaxis.h"
#include "diagramsample.h"

#include <QElapsedTimer>
#include <QVariant>

#include <cstdio>

int main()
{
    constexpr quint64 kCount = 2'000'000; // about 23 days of one sample per second
    constexpr quint64 kStart = 1700000000;

    CDiagramSampleList samples;
    QElapsedTimer timer;
    timer.start();
    for (quint64 i = 0; i < kCount; ++i)
        samples.emplace_back(QVariant::fromValue<qulonglong>(kStart + i), QVariant(-60.0 + (i % 40)), 1);
    const qint64 appendNs = timer.nsecsElapsed();

    timer.restart();
    qsizetype sink = 0;
    constexpr int kLookups = 1'000'000;
    for (int i = 0; i < kLookups; ++i)
        sink += CDiagramAxis::FindTime(samples, kStart + (quint64(i) * 7919) % kCount);
    const qint64 lookupNs = timer.nsecsElapsed();

    std::printf("samples: %llu\n", static_cast<unsigned long long>(kCount));
    std::printf("sizeof(CDiagramSample): %zu bytes (QVariant: %zu)\n", sizeof(CDiagramSample),
                sizeof(QVariant));
    std::printf("bytes per sample incl. vector slack: %.1f\n",
                double(samples.AllocatedBytes()) / double(samples.size()));
    std::printf("append: %.1f ns/sample\n", double(appendNs) / double(kCount));
    std::printf("FindTime: %.1f ns/lookup (checksum %lld)\n", double(lookupNs) / kLookups,
                static_cast<long long>(sink));
    return 0;
}
