// Frames per second the exchange worker takes from a simulated detector that
// sends at the real line rate, and the worker's CPU time per frame, for both
// ways of waiting on an empty poll.
#include "kv520device.h"
#include "kv520protocol.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>

#include <QDir>
#include <QFile>

#include <chrono>
#include <cstdio>
#include <thread>
#include <ctime>
#include <unistd.h>

namespace {
// CPU time of the busiest thread other than the main one, in ns: the exchange
// worker. Linux keeps exact per-thread run times in schedstat.
long long WorkerCpuNs(long long* pSwitches = nullptr)
{
    long long nBest = 0;
    QString strBest;
    const QString strMain = QString::number(::getpid());
    const QStringList tasks = QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& tid : tasks) {
        if (tid == strMain)
            continue;
        QFile f(QStringLiteral("/proc/self/task/%1/schedstat").arg(tid));
        if (!f.open(QIODevice::ReadOnly))
            continue;
        const long long nNs = QString::fromLatin1(f.readAll()).section(QLatin1Char(' '), 0, 0).toLongLong();
        if (nNs > nBest) {
            nBest = nNs;
            strBest = tid;
        }
    }
    if (pSwitches) {
        // Each wake-up of the worker is a voluntary switch: the count that the
        // machine's load does not blur.
        *pSwitches = 0;
        QFile status(QStringLiteral("/proc/self/task/%1/status").arg(strBest));
        if (status.open(QIODevice::ReadOnly))
            for (const QByteArray& line : status.readAll().split('\n'))
                if (line.startsWith("voluntary_ctxt_switches:"))
                    *pSwitches = line.mid(24).trimmed().toLongLong();
    }
    return nBest;
}

// One frame, its command byte and the worker's 10 ms pause.
double LineLimit()
{
    return 1.0 / (KV520::kFrameSize * 10.0 / KV520::kBaudRate + 0.010);
}

bool Measure(bool bWaiting, int nSeconds)
{
    const QString strLink = QStringLiteral("/tmp/kv521-bench-%1").arg(QCoreApplication::applicationPid());
    QProcess sim;
    sim.start(QStringLiteral(KV521_SIM_PATH), {QStringLiteral("--pace"), QStringLiteral("--link"), strLink});
    if (!sim.waitForStarted(5000) || !sim.waitForReadyRead(5000)) {
        std::fprintf(stderr, "the simulator did not start\n");
        return false;
    }
    const QString strPath = QString::fromLocal8Bit(sim.readLine()).trimmed();

    CKV520Device device;
    device.SetPortOverride(strPath);
    device.SetWaitingReads(bWaiting);
    device.Start();
    QElapsedTimer timer;
    timer.start();
    while (!device.IsConnected() && timer.elapsed() < 5000)
        QThread::msleep(10);
    QThread::msleep(500); // let the first frames settle

    const int nFirst = device.GetRecordCount();
    const std::clock_t cpu0 = std::clock();
    long long nSwitches0 = 0;
    const long long nWorker0 = WorkerCpuNs(&nSwitches0);
    timer.restart();
    QThread::sleep(nSeconds);
    const int nFrames = device.GetRecordCount() - nFirst;
    const double dCpu = double(std::clock() - cpu0) / CLOCKS_PER_SEC;
    long long nSwitches1 = 0;
    const double dWorker = (WorkerCpuNs(&nSwitches1) - nWorker0) / 1e9;
    const double dSeconds = timer.elapsed() / 1000.0;
    device.Stop();
    sim.terminate();
    sim.waitForFinished(3000);

    const double dRate = nFrames / dSeconds;
    std::printf("%-17s %6.2f frames/s  %5.1f %% of the line limit %.2f  worker %6.1f us CPU per frame, process %6.1f"
                "  %4.1f wake-ups per frame  (%d frames, %d checksum errors)\n",
                bWaiting ? "waiting read" : "fixed 20 ms sleep", dRate, 100.0 * dRate / LineLimit(), LineLimit(),
                nFrames > 0 ? 1e6 * dWorker / nFrames : 0.0, nFrames > 0 ? 1e6 * dCpu / nFrames : 0.0,
                nFrames > 0 ? double(nSwitches1 - nSwitches0) / nFrames : 0.0, nFrames,
                device.ChecksumErrors());
    return true;
}
} // namespace

// What the machine charges for the wake-ups alone: a thread that does nothing
// but sleep as a frame's exchange must (the 10 ms pause, then the two reads of
// a frame larger than a terminal's buffer). No worker can go below this.
void MeasureSleepFloor(int nSeconds)
{
    const int nCycles = nSeconds * 1000 / 67;
    long long nCpu = 0;
    std::thread sleeper([&] {
        timespec t0;
        ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t0);
        for (int i = 0; i < nCycles; ++i)
            for (int nMicros : {10000, 38888, 18077})
                std::this_thread::sleep_for(std::chrono::microseconds(nMicros));
        timespec t1;
        ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t1);
        nCpu = (t1.tv_sec - t0.tv_sec) * 1000000000LL + (t1.tv_nsec - t0.tv_nsec);
    });
    sleeper.join();
    std::printf("%-17s %6.1f us CPU per frame for its 3 sleeps alone\n", "sleep floor", nCpu / 1e3 / nCycles);
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int nSeconds = argc > 1 ? std::atoi(argv[1]) : 10;
    const bool bOk = Measure(false, nSeconds) && Measure(true, nSeconds);
    MeasureSleepFloor(std::min(nSeconds, 5));
    return bOk ? 0 : 1;
}
