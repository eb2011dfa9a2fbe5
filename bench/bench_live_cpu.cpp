// The program's CPU while it is connected to a detector that sends at the real
// line rate and nobody touches it: the cost of the live view at rest. Runs the
// real program offscreen against the simulator and reads its CPU time from
// /proc, in percent of one core.
//
// Usage: bench_live_cpu [seconds per round, default 60] [rounds, default 3]
#include "processcpu.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <unistd.h>
#include <vector>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int nSeconds = argc > 1 ? std::max(5, atoi(argv[1])) : 60;
    const int nRounds = argc > 2 ? std::max(1, atoi(argv[2])) : 3;
    const double dTicksPerSecond = double(sysconf(_SC_CLK_TCK));

    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));

    std::vector<double> percents;
    for (int r = 0; r < nRounds; ++r) {
        const QString strLink = home.filePath(QStringLiteral("link%1").arg(r));
        QProcess sim;
        sim.start(QStringLiteral(KV521_SIM_PATH), {QStringLiteral("--pace"), QStringLiteral("--link"), strLink});
        if (!sim.waitForStarted(5000) || !sim.waitForReadyRead(5000)) {
            std::fprintf(stderr, "the simulator did not start\n");
            return 1;
        }
        QProcess program;
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(KV521_ANALYZER_PATH), {QStringLiteral("--port"), strLink});
        if (!program.waitForStarted(5000)) {
            std::fprintf(stderr, "the program did not start\n");
            return 1;
        }
        // Start-up, connection and the first diagram build are not what is measured.
        QThread::sleep(5);
        const long long nStart = CpuTicks(program.processId());
        QThread::sleep(nSeconds);
        const long long nEnd = CpuTicks(program.processId());
        program.terminate();
        program.waitForFinished(15000);
        sim.terminate();
        sim.waitForFinished(5000);
        if (nStart < 0 || nEnd < 0) {
            std::fprintf(stderr, "the program ended early\n");
            return 1;
        }
        const double dPercent = 100.0 * double(nEnd - nStart) / dTicksPerSecond / nSeconds;
        percents.push_back(dPercent);
        std::printf("round %d: %.2f %% of one core over %d s (load average %s)\n", r + 1, dPercent, nSeconds,
                    qPrintable(LoadAverage()));
        std::fflush(stdout);
    }
    std::sort(percents.begin(), percents.end());
    std::printf("median: %.2f %% of one core, connected to the paced simulator, idle user, offscreen\n",
                percents[percents.size() / 2]);
    return 0;
}
