// kv521-sim: serves the detector's side of the link on a pseudo-terminal so the
// analyzer can be run and tried without the hardware.
#include "kv521simulator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <thread>

namespace {
std::atomic<bool> g_bQuit{false};
void OnSignal(int)
{
    g_bQuit = true;
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("KV521 detector simulator on a pseudo-terminal"));
    parser.addHelpOption();
    const QCommandLineOption link(QStringLiteral("link"), QStringLiteral("Symlink to the slave."), QStringLiteral("path"));
    const QCommandLineOption pace(QStringLiteral("pace"), QStringLiteral("Write at 921600 baud."));
    const QCommandLineOption badEvery(QStringLiteral("bad-checksum-every"), QStringLiteral("Every Nth frame bad."), QStringLiteral("n"));
    const QCommandLineOption clockEvery(QStringLiteral("clock-every"), QStringLiteral("Every Nth frame a clock request."), QStringLiteral("n"));
    const QCommandLineOption silenceEvery(QStringLiteral("silence-every"), QStringLiteral("1.5 s of silence every N seconds."), QStringLiteral("n"));
    const QCommandLineOption garbageEvery(QStringLiteral("garbage-every"), QStringLiteral("Stray bytes every N seconds."), QStringLiteral("n"));
    const QCommandLineOption shortEvery(QStringLiteral("short-frame-every"), QStringLiteral("A short frame every N seconds."), QStringLiteral("n"));
    const QCommandLineOption seed(QStringLiteral("seed"), QStringLiteral("Random seed."), QStringLiteral("n"), QStringLiteral("1"));
    const QCommandLineOption fixed(QStringLiteral("deterministic"), QStringLiteral("Fixed frame content."));
    const QCommandLineOption clockOffset(QStringLiteral("clock-offset"),
                                         QStringLiteral("The detector's clock this many seconds ahead of the PC's (negative: behind)."),
                                         QStringLiteral("seconds"), QStringLiteral("0"));
    parser.addOptions({link, pace, badEvery, clockEvery, silenceEvery, garbageEvery, shortEvery, seed, fixed, clockOffset});
    parser.process(app);

    CKV521Simulator::Options options;
    options.bPace = parser.isSet(pace);
    options.bDeterministic = parser.isSet(fixed);
    options.nSeed = parser.value(seed).toUInt();
    options.nBadChecksumEvery = parser.value(badEvery).toInt();
    options.nClockRequestEvery = parser.value(clockEvery).toInt();
    options.nClockOffsetSecs = parser.value(clockOffset).toLongLong();
    CKV521Simulator sim(options);
    QString strError;
    if (!sim.Open(&strError)) {
        std::fprintf(stderr, "kv521-sim: %s\n", qPrintable(strError));
        return 1;
    }
    if (parser.isSet(link) && !sim.LinkTo(parser.value(link), &strError)) {
        std::fprintf(stderr, "kv521-sim: link: %s\n", qPrintable(strError));
        return 1;
    }
    std::printf("%s\n", qPrintable(sim.SlavePath()));
    std::fflush(stdout);

    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    sim.Start();
    const int nSilence = parser.value(silenceEvery).toInt();
    const int nGarbage = parser.value(garbageEvery).toInt();
    const int nShort = parser.value(shortEvery).toInt();
    for (int nSeconds = 1; !g_bQuit.load(); ++nSeconds) {
        for (int i = 0; i < 10 && !g_bQuit.load(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (nSilence > 0 && nSeconds % nSilence == 0)
            sim.InjectSilence(1500);
        if (nGarbage > 0 && nSeconds % nGarbage == 0)
            sim.InjectGarbage(QByteArray("\x13\x37\x00\x2B\xFE", 5));
        if (nShort > 0 && nSeconds % nShort == 0)
            sim.InjectShortFrame();
    }
    sim.Stop();
    if (parser.isSet(link))
        QFile::remove(parser.value(link));
    return 0;
}
