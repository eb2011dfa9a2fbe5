// The monitoring service as it runs unattended: kv521-cli monitor against a
// simulated detector at the real line rate and a local mosquitto. Prints
// (a) the time from the detector sending an alarm to a subscriber holding it,
// (b) the service's CPU while connected and publishing once a second and
// (c) its resident memory at the end of the run.
//
// The detector is simulated in this process so the alarm's start is known
// here; the subscriber is libmosquitto in this process, so both instants come
// from one clock. The service is its own process, measured through /proc.
//
// Usage: bench_monitor [--alarms N (200)] [--minutes N (10)]
#include "kv520protocol.h"
#include "kv521simulator.h"
#include "../tests/monitor/testbroker.h"

#include "processcpu.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <mosquitto.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

int64_t NowUs()
{
    return std::chrono::duration_cast<std::chrono::microseconds>(Clock::now().time_since_epoch()).count();
}

// A line of /proc/PID/status in kB ("VmRSS", "VmHWM"), -1 when unknown.
long long StatusKb(qint64 nPid, const char* pKey)
{
    QFile f(QStringLiteral("/proc/%1/status").arg(nPid));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> lines = f.readAll().split('\n');
    for (const QByteArray& line : lines)
        if (line.startsWith(QByteArray(pKey) + ':'))
            return line.mid(int(qstrlen(pKey)) + 1).simplified().split(' ').value(0).toLongLong();
    return -1;
}

void Say(const QString& strLine)
{
    std::printf("%s\n", qPrintable(strLine));
    std::fflush(stdout);
}

// What the subscriber saw, written by libmosquitto's thread.
struct Inbox
{
    std::mutex lock;
    std::vector<int64_t> alarmsUs;
    int nLevels = 0;
    QByteArray state;
};

void OnMessage(mosquitto*, void* pInbox, const mosquitto_message* pMessage)
{
    auto* pBox = static_cast<Inbox*>(pInbox);
    const int64_t nUs = NowUs();
    const QByteArray topic(pMessage->topic);
    std::lock_guard<std::mutex> guard(pBox->lock);
    if (topic.endsWith("/alarm"))
        pBox->alarmsUs.push_back(nUs);
    else if (topic.endsWith("/levels"))
        ++pBox->nLevels;
    else if (topic.endsWith("/state"))
        pBox->state = QByteArray(static_cast<const char*>(pMessage->payload), pMessage->payloadlen);
}

double Percentile(std::vector<double> values, double dP)
{
    std::sort(values.begin(), values.end());
    const size_t n = std::min(values.size() - 1, size_t(dP / 100.0 * double(values.size() - 1) + 0.5));
    return values[n];
}

template<typename Predicate>
bool WaitUntil(Predicate predicate, int nTimeoutMs)
{
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(nTimeoutMs);
    while (Clock::now() < end) {
        if (predicate())
            return true;
        QThread::msleep(2);
    }
    return predicate();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    int nAlarms = 200;
    int nMinutes = 10;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (qstrcmp(argv[i], "--alarms") == 0)
            nAlarms = std::max(1, atoi(argv[i + 1]));
        else if (qstrcmp(argv[i], "--minutes") == 0)
            nMinutes = std::max(1, atoi(argv[i + 1]));
    }
    const double dTicksPerSecond = double(sysconf(_SC_CLK_TCK));
    const Clock::time_point start = Clock::now();

    CTestBroker broker;
    if (!CTestBroker::IsInstalled() || !broker.Start()) {
        Say(QStringLiteral("mosquitto did not start (scripts/install-deps.sh)"));
        return 1;
    }

    // Only while armed does the simulated detector report an alarm; its own
    // sweep raises alarms otherwise, and they would blur the start instants.
    std::atomic<int> nPhase{0}; // 0: quiet, 1: alarm, 2: the sweep's own
    std::atomic<int64_t> nAlarmSentUs{0};
    CKV521Simulator::Options options;
    options.bPace = true;
    CKV521Simulator sim(options);
    sim.SetFrameOverride([&](uint8_t* pFrame) {
        const int nNow = nPhase.load();
        if (nNow == 2 || pFrame[KV520::kIndicators] == 0xFF)
            return;
        if (nNow == 1) {
            pFrame[KV520::kIndicators] |= 1;
            int64_t nExpected = 0;
            nAlarmSentUs.compare_exchange_strong(nExpected, NowUs());
        } else {
            pFrame[KV520::kIndicators] &= ~1;
        }
    });
    QString strError;
    if (!sim.Open(&strError)) {
        Say(QStringLiteral("the simulator did not open: %1").arg(strError));
        return 1;
    }
    sim.Start();

    Inbox inbox;
    mosquitto_lib_init();
    mosquitto* pSub = mosquitto_new("kv521-bench-sub", true, &inbox);
    mosquitto_message_callback_set(pSub, &OnMessage);
    if (mosquitto_connect(pSub, "127.0.0.1", broker.Port(), 30) != MOSQ_ERR_SUCCESS
        || mosquitto_subscribe(pSub, nullptr, "kv521/#", 1) != MOSQ_ERR_SUCCESS
        || mosquitto_loop_start(pSub) != MOSQ_ERR_SUCCESS) {
        Say(QStringLiteral("the subscriber did not connect"));
        return 1;
    }

    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("kv521.monitor.info=false"));
    QProcess service;
    service.setProcessEnvironment(env);
    service.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    service.setStandardOutputFile(QProcess::nullDevice());
    service.start(QStringLiteral(KV521_CLI_PATH),
                  {QStringLiteral("monitor"), QStringLiteral("--port"), sim.SlavePath(), QStringLiteral("--detector-id"),
                   QStringLiteral("bench"), QStringLiteral("--storage"), home.filePath(QStringLiteral("storage")),
                   QStringLiteral("--mqtt-host"), QStringLiteral("127.0.0.1"), QStringLiteral("--mqtt-port"),
                   QString::number(broker.Port())});
    if (!service.waitForStarted(10000)) {
        Say(QStringLiteral("kv521-cli did not start"));
        return 1;
    }
    const qint64 nPid = service.processId();
    const auto online = [&] {
        std::lock_guard<std::mutex> guard(inbox.lock);
        return inbox.state == "online" && inbox.nLevels > 0;
    };
    if (!WaitUntil(online, 30000)) {
        Say(QStringLiteral("the service did not come online"));
        return 1;
    }
    Say(QStringLiteral("service pid %1 online; load average %2").arg(nPid).arg(LoadAverage()));

    // (a) Each alarm: raised until the subscriber has it, then quiet for
    // longer than an episode's end, so the next one is a new alarm.
    std::vector<double> latenciesMs;
    int nLost = 0;
    for (int i = 0; i < nAlarms; ++i) {
        size_t nBefore = 0;
        {
            std::lock_guard<std::mutex> guard(inbox.lock);
            nBefore = inbox.alarmsUs.size();
        }
        nAlarmSentUs = 0;
        nPhase = 1;
        const bool bArrived = WaitUntil(
            [&] {
                std::lock_guard<std::mutex> guard(inbox.lock);
                return inbox.alarmsUs.size() > nBefore;
            },
            5000);
        nPhase = 0;
        if (bArrived && nAlarmSentUs.load() > 0) {
            std::lock_guard<std::mutex> guard(inbox.lock);
            latenciesMs.push_back(double(inbox.alarmsUs[nBefore] - nAlarmSentUs.load()) / 1000.0);
        } else {
            ++nLost;
        }
        QThread::msleep(2300);
        if ((i + 1) % 50 == 0)
            Say(QStringLiteral("  %1 alarms so far").arg(i + 1));
    }
    if (latenciesMs.empty()) {
        Say(QStringLiteral("no alarm arrived"));
        return 1;
    }
    Say(QStringLiteral("(a) alarm to subscriber over %1 alarms (%2 missing): median %3 ms, 99th percentile %4 ms, "
                       "max %5 ms; load average %6")
            .arg(latenciesMs.size())
            .arg(nLost)
            .arg(Percentile(latenciesMs, 50), 0, 'f', 1)
            .arg(Percentile(latenciesMs, 99), 0, 'f', 1)
            .arg(*std::max_element(latenciesMs.begin(), latenciesMs.end()), 0, 'f', 1)
            .arg(LoadAverage()));

    // (b) The rest of the run: the sweep's own alarms, levels once a second;
    // CPU per window, so a creeping cost shows.
    nPhase = 2;
    const Clock::time_point end = start + std::chrono::minutes(nMinutes);
    const int nWindowSecs = nMinutes >= 30 ? 600 : 60;
    std::vector<double> percents;
    long long nTotalTicks = 0;
    double dTotalSecs = 0;
    while (Clock::now() + std::chrono::seconds(10) < end) {
        const Clock::time_point windowStart = Clock::now();
        const long long nStartTicks = CpuTicks(nPid);
        const Clock::time_point windowEnd = std::min(end, windowStart + std::chrono::seconds(nWindowSecs));
        while (Clock::now() < windowEnd && service.state() == QProcess::Running)
            QThread::msleep(500);
        const long long nEndTicks = CpuTicks(nPid);
        if (nStartTicks < 0 || nEndTicks < 0) {
            Say(QStringLiteral("the service ended early"));
            return 1;
        }
        const double dSecs = std::chrono::duration<double>(Clock::now() - windowStart).count();
        const double dPercent = 100.0 * double(nEndTicks - nStartTicks) / dTicksPerSecond / dSecs;
        percents.push_back(dPercent);
        nTotalTicks += nEndTicks - nStartTicks;
        dTotalSecs += dSecs;
        Say(QStringLiteral("  %1 s: %2 % of one core, RSS %3 kB; load average %4")
                .arg(dSecs, 0, 'f', 0)
                .arg(dPercent, 0, 'f', 2)
                .arg(StatusKb(nPid, "VmRSS"))
                .arg(LoadAverage()));
    }
    int nLevels = 0;
    int nAlarmsSeen = 0;
    {
        std::lock_guard<std::mutex> guard(inbox.lock);
        nLevels = inbox.nLevels;
        nAlarmsSeen = int(inbox.alarmsUs.size());
    }
    if (!percents.empty())
        Say(QStringLiteral("(b) CPU while connected and publishing once a second: %1 % of one core over %2 s "
                           "(median of %3 windows %4 %); load average %5")
                .arg(100.0 * double(nTotalTicks) / dTicksPerSecond / dTotalSecs, 0, 'f', 2)
                .arg(dTotalSecs, 0, 'f', 0)
                .arg(percents.size())
                .arg(Percentile(percents, 50), 0, 'f', 2)
                .arg(LoadAverage()));
    const double dRunMinutes = std::chrono::duration<double>(Clock::now() - start).count() / 60.0;
    Say(QStringLiteral("(c) after %1 min: RSS %2 kB, peak RSS %3 kB; %4 levels and %5 alarms received")
            .arg(dRunMinutes, 0, 'f', 1)
            .arg(StatusKb(nPid, "VmRSS"))
            .arg(StatusKb(nPid, "VmHWM"))
            .arg(nLevels)
            .arg(nAlarmsSeen));

    service.terminate();
    const bool bEnded = service.waitForFinished(15000);
    mosquitto_loop_stop(pSub, true);
    mosquitto_destroy(pSub);
    mosquitto_lib_cleanup();
    sim.Stop();
    Say(QStringLiteral("the service %1").arg(bEnded && service.exitCode() == 0 ? QStringLiteral("ended with 0")
                                                                              : QStringLiteral("did not end cleanly")));
    return 0;
}
