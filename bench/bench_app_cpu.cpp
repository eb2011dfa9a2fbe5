// The analyzer's own CPU time while it shows a simulated detector that sends at
// the real line rate, split into the user-interface thread and the others
// (the exchange worker). Linux only: it reads the process's /proc entries.
// Run: build/default/bench/bench_app_cpu [seconds, default 60]
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <unistd.h>

namespace {

// User plus system time of one /proc stat line, in clock ticks.
long long TicksOf(const QString& strStatPath)
{
    QFile f(strStatPath);
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray line = f.readAll();
    // The command name may hold spaces; the fields start after its closing parenthesis.
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    return fields.size() > 12 ? fields[11].toLongLong() + fields[12].toLongLong() : 0;
}

struct Cpu {
    long long nMain = 0;
    long long nOthers = 0;
};

Cpu CpuOf(qint64 nPid)
{
    Cpu cpu;
    const QString strTasks = QStringLiteral("/proc/%1/task").arg(nPid);
    for (const QString& tid : QDir(strTasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const long long n = TicksOf(strTasks + QLatin1Char('/') + tid + QStringLiteral("/stat"));
        (tid.toLongLong() == nPid ? cpu.nMain : cpu.nOthers) += n;
    }
    return cpu;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int nSeconds = argc > 1 ? std::max(5, std::atoi(argv[1])) : 60;

    QProcess sim;
    sim.start(QStringLiteral(KV521_SIM_PATH), {QStringLiteral("--pace")});
    if (!sim.waitForStarted(5000) || !sim.waitForReadyRead(5000)) {
        std::fprintf(stderr, "the simulator did not start\n");
        return 1;
    }
    const QString strPort = QString::fromLocal8Bit(sim.readLine()).trimmed();

    // Its own settings, so a run neither reads nor changes the user's.
    QTemporaryDir config;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess analyzer;
    analyzer.setProcessEnvironment(env);
    analyzer.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    analyzer.start(QStringLiteral(KV521_APP_PATH), {QStringLiteral("--port"), strPort});
    if (!analyzer.waitForStarted(5000)) {
        std::fprintf(stderr, "the analyzer did not start\n");
        return 1;
    }
    QThread::sleep(5); // start-up and the first frames are not the steady state
    const qint64 nPid = analyzer.processId();
    const Cpu before = CpuOf(nPid);
    QThread::sleep(nSeconds);
    const Cpu after = CpuOf(nPid);
    analyzer.terminate();
    if (!analyzer.waitForFinished(10000))
        analyzer.kill();
    sim.terminate();
    sim.waitForFinished(3000);

    const double dTick = 1000.0 / double(sysconf(_SC_CLK_TCK));
    const double dMain = double(after.nMain - before.nMain) * dTick;
    const double dOthers = double(after.nOthers - before.nOthers) * dTick;
    std::printf("analyzer over %d s with the paced simulator: %.1f %% of one core "
                "(user-interface thread %.0f ms, other threads %.0f ms, %.1f ms CPU per second)\n",
                nSeconds, (dMain + dOthers) / (10.0 * nSeconds), dMain, dOthers, (dMain + dOthers) / nSeconds);
    return 0;
}
