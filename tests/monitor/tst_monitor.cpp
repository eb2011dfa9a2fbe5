// The monitoring service against a real mosquitto broker and the simulated
// detector: kv521-cli monitor as a service manager runs it, and the service
// in process where the test must unplug the detector.
#include "forwardqueue.h"
#include "isolatedhome.h"
#include "kv520device.h"
#include "kv521simulator.h"
#include "metricsendpoint.h"
#include "monitorconfig.h"
#include "monitorservice.h"
#include "sidecar.h"
#include "simulatorpair.h"
#include "testbroker.h"

#include <QDateTime>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

namespace {

QProcessEnvironment MonitorEnvironment(const QString& strHome)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), strHome + QStringLiteral("/config"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), strHome + QStringLiteral("/data"));
    env.insert(QStringLiteral("LANG"), QStringLiteral("en_US.UTF-8"));
    env.remove(QStringLiteral("KV521_PORT"));
    return env;
}

// A strict reader of the Prometheus text format: every sample line is a
// metric name, optional labels and a number, and follows its TYPE line.
bool ParsePrometheus(const QByteArray& text, QHash<QString, double>* pSamples, QString* pError)
{
    static const QRegularExpression kSample(QStringLiteral(
        R"(^([a-zA-Z_:][a-zA-Z0-9_:]*)(\{[a-zA-Z_][a-zA-Z0-9_]*="[^"\\]*"(,[a-zA-Z_][a-zA-Z0-9_]*="[^"\\]*")*\})? (\S+)$)"));
    static const QRegularExpression kType(
        QStringLiteral(R"(^# TYPE ([a-zA-Z_:][a-zA-Z0-9_:]*) (counter|gauge|histogram|summary|untyped)$)"));
    if (!text.endsWith('\n')) {
        *pError = QStringLiteral("no final line feed");
        return false;
    }
    QSet<QString> typed;
    const QList<QByteArray> lines = text.left(text.size() - 1).split('\n');
    for (const QByteArray& line : lines) {
        const QString strLine = QString::fromUtf8(line);
        if (strLine.startsWith(QLatin1String("# TYPE"))) {
            const QRegularExpressionMatch match = kType.match(strLine);
            if (!match.hasMatch() || typed.contains(match.captured(1))) {
                *pError = strLine;
                return false;
            }
            typed.insert(match.captured(1));
            continue;
        }
        if (strLine.startsWith(QLatin1String("# HELP ")))
            continue;
        const QRegularExpressionMatch match = kSample.match(strLine);
        bool bNumber = false;
        const double dValue = match.captured(4).toDouble(&bNumber);
        if (!match.hasMatch() || !bNumber || !typed.contains(match.captured(1))) {
            *pError = strLine;
            return false;
        }
        pSamples->insert(match.captured(1) + match.captured(2), dValue);
    }
    return true;
}

QByteArray HttpGet(int nPort, const QByteArray& path)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, quint16(nPort));
    if (!socket.waitForConnected(5000))
        return QByteArray();
    socket.write("GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n");
    QByteArray response;
    while (socket.waitForReadyRead(5000))
        response += socket.readAll();
    return response;
}

QDateTime Instant(const QByteArray& payload, const char* pKey)
{
    return QDateTime::fromString(QJsonDocument::fromJson(payload).object().value(QLatin1String(pKey)).toString(),
                                 Qt::ISODateWithMs);
}

} // namespace

class TestMonitor : public QObject
{
    Q_OBJECT

private:
    CIsolatedHome m_Home;
    QTemporaryDir m_Dir;

    bool StartMonitor(QProcess& monitor, const QString& strStorage, const QStringList& extra)
    {
        monitor.setProcessEnvironment(MonitorEnvironment(m_Dir.path()));
        monitor.setProcessChannelMode(QProcess::ForwardedChannels);
        monitor.start(QStringLiteral(KV521_CLI_PATH),
                      QStringList{QStringLiteral("monitor"), QStringLiteral("--simulate"), QStringLiteral("--storage"),
                                  m_Dir.filePath(strStorage)}
                          + extra);
        return monitor.waitForStarted(10000);
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (!CTestBroker::IsInstalled() || QStandardPaths::findExecutable(QStringLiteral("mosquitto_sub")).isEmpty())
            QSKIP("mosquitto and mosquitto_sub are not installed (scripts/install-deps.sh)");
    }

    // Online and discovery on connection, an alarm within a second, the
    // figures at /metrics, and the last will when the service is killed.
    void publishesAlarmsStateDiscoveryAndMetrics()
    {
        CTestBroker broker;
        QVERIFY(broker.Start());
        CSubscriber subscriber(broker.Port());
        const int nMetricsPort = CTestBroker::FreePort();
        QProcess monitor;
        QVERIFY(StartMonitor(monitor, QStringLiteral("storage1"), {QStringLiteral("--mqtt-host"), QStringLiteral("127.0.0.1"), QStringLiteral("--mqtt-port"),
                                       QString::number(broker.Port()), QStringLiteral("--metrics-port"),
                                       QString::number(nMetricsPort), QStringLiteral("--queue-file"),
                                       m_Dir.filePath(QStringLiteral("queue1.jsonl"))}));
        QVERIFY(subscriber.WaitFor(QStringLiteral("kv521/simulator/state"), "online", 15000));
        QVERIFY(subscriber.WaitFor(QStringLiteral("/levels"), {}, 10000));

        const QList<Received> discovery = subscriber.Messages(QStringLiteral("/config"));
        QCOMPARE(discovery.size(), 6);
        for (const Received& message : discovery) {
            QVERIFY(message.strTopic.startsWith(QLatin1String("homeassistant/sensor/simulator_")));
            QJsonParseError error{};
            const QJsonObject config = QJsonDocument::fromJson(message.payload, &error).object();
            QCOMPARE(error.error, QJsonParseError::NoError);
            QVERIFY(!config.value(QStringLiteral("device")).toObject().value(QStringLiteral("identifiers")).toArray().isEmpty());
            QVERIFY(!config.value(QStringLiteral("device")).toObject().value(QStringLiteral("name")).toString().isEmpty());
            QVERIFY(!config.value(QStringLiteral("device")).toObject().value(QStringLiteral("model")).toString().isEmpty());
            QVERIFY(!config.value(QStringLiteral("unique_id")).toString().isEmpty());
            QCOMPARE(config.value(QStringLiteral("state_topic")).toString(), QStringLiteral("kv521/simulator/levels"));
            QCOMPARE(config.value(QStringLiteral("availability_topic")).toString(), QStringLiteral("kv521/simulator/state"));
            QCOMPARE(config.value(QStringLiteral("unit_of_measurement")).toString(), QStringLiteral("dB"));
            // The template names a key the levels carry.
            const QString strKey = config.value(QStringLiteral("value_template")).toString().section(QLatin1Char('.'), 1).section(QLatin1Char(' '), 0, 0);
            QVERIFY2(QJsonDocument::fromJson(subscriber.Messages(QStringLiteral("/levels")).last().payload).object().contains(strKey),
                     qPrintable(strKey));
        }

        // The simulated sweep crosses the thresholds every few seconds.
        QVERIFY(subscriber.WaitFor(QStringLiteral("/alarm"), {}, 40000));
        const Received alarm = subscriber.Messages(QStringLiteral("/alarm")).first();
        const qint64 nLatencyMs = Instant(alarm.payload, "pc_time").msecsTo(alarm.arrived);
        qInfo("alarm to subscriber: %lld ms", nLatencyMs);
        QVERIFY2(nLatencyMs >= 0 && nLatencyMs < 1000, qPrintable(QString::number(nLatencyMs)));
        QVERIFY(Instant(alarm.payload, "detector_time").isValid());

        const QByteArray response = HttpGet(nMetricsPort, "/metrics");
        const int nBody = response.indexOf("\r\n\r\n");
        QVERIFY2(response.startsWith("HTTP/1.1 200") && nBody > 0, response.constData());
        QHash<QString, double> samples;
        QString strError;
        QVERIFY2(ParsePrometheus(response.mid(nBody + 4), &samples, &strError), qPrintable(strError));
        QCOMPARE(samples.value(QStringLiteral("kv521_link_up")), 1.0);
        QVERIFY(samples.value(QStringLiteral("kv521_records_total")) > 0);
        QVERIFY(samples.value(QStringLiteral("kv521_alarms_total")) >= 1);
        QVERIFY(samples.contains(QStringLiteral("kv521_level_db{channel=\"B1\",component=\"dc\"}")));
        QVERIFY(HttpGet(nMetricsPort, "/other").startsWith("HTTP/1.1 404"));

        ::kill(pid_t(monitor.processId()), SIGKILL);
        QVERIFY(subscriber.WaitFor(QStringLiteral("kv521/simulator/state"), "offline", 10000));
        monitor.waitForFinished(5000);
    }

    // The broker away for a while: the summaries and alarms of that time
    // wait on disk and then arrive in order, none missing, with their
    // original instants; SIGTERM ends the service with 0.
    void brokerOutageLosesNothing()
    {
        CTestBroker broker;
        QVERIFY(broker.Start());
        CSubscriber subscriber(broker.Port());
        const QString strQueue = m_Dir.filePath(QStringLiteral("queue2.jsonl"));
        QProcess monitor;
        QVERIFY(StartMonitor(monitor, QStringLiteral("storage2"), {QStringLiteral("--mqtt-host"), QStringLiteral("127.0.0.1"), QStringLiteral("--mqtt-port"),
                                       QString::number(broker.Port()), QStringLiteral("--interval"), QStringLiteral("0.5"),
                                       QStringLiteral("--queue-file"), strQueue}));
        QVERIFY(subscriber.WaitFor(QStringLiteral("/levels"), {}, 15000));

        broker.Stop();
        const QDateTime stopped = QDateTime::currentDateTime();
        // Twenty half-second summaries (ten seconds) wait on disk.
        const auto queued = [&] {
            QFile file(strQueue);
            return file.open(QIODevice::ReadOnly) ? file.readAll().count('\n') : 0;
        };
        QVERIFY(QTest::qWaitFor([&] { return queued() >= 20; }, 30000));
        QVERIFY(broker.Start());
        const QDateTime restarted = QDateTime::currentDateTime();
        QVERIFY(QTest::qWaitFor(
            [&] {
                const QList<Received> levels = subscriber.Messages(QStringLiteral("/levels"));
                return !levels.isEmpty() && Instant(levels.last().payload, "pc_time") > restarted;
            },
            30000));

        QList<Received> delivered = subscriber.Messages(QStringLiteral("/levels")) + subscriber.Messages(QStringLiteral("/alarm"));
        std::sort(delivered.begin(), delivered.end(),
                         [](const Received& a, const Received& b) { return a.nIndex < b.nIndex; });
        QDateTime last;
        QDateTime lastLevels;
        int nDuringOutage = 0;
        for (const Received& message : delivered) {
            const QDateTime instant = Instant(message.payload, "pc_time");
            QVERIFY(instant.isValid());
            // In order (a message sent again after a lost confirmation may repeat).
            QVERIFY2(!last.isValid() || instant >= last, message.payload.constData());
            last = instant;
            if (!message.strTopic.endsWith(QLatin1String("/levels")))
                continue;
            if (instant > stopped && instant < restarted)
                ++nDuringOutage;
            // No interval is missing.
            if (lastLevels.isValid() && instant != lastLevels)
                QVERIFY2(lastLevels.msecsTo(instant) < 1000, message.payload.constData());
            lastLevels = instant;
        }
        QVERIFY2(nDuringOutage >= 19, qPrintable(QString::number(nDuringOutage)));

        monitor.terminate();
        QVERIFY(monitor.waitForFinished(15000));
        QCOMPARE(monitor.exitStatus(), QProcess::NormalExit);
        QCOMPARE(monitor.exitCode(), 0);
        QVERIFY(subscriber.WaitFor(QStringLiteral("kv521/simulator/state"), "offline", 10000));
    }

    // Without a broker host or a metrics port nothing listens or connects,
    // and the records still go to the storage folder, with the room and the
    // port in their sidecar.
    void defaultOpensNoSocket()
    {
        QProcess monitor;
        QVERIFY(StartMonitor(monitor, QStringLiteral("storage3"), {QStringLiteral("--room"), QStringLiteral("Boardroom")}));
        const QDir recordings(m_Dir.filePath(QStringLiteral("storage3/Recordings")));
        QVERIFY(QTest::qWaitFor([&] { return !recordings.entryList({QStringLiteral("*.rdf")}).isEmpty(); }, 15000));
        QCOMPARE(InetSockets(monitor.processId()), 0);
        monitor.terminate();
        QVERIFY(monitor.waitForFinished(15000));
        QCOMPARE(monitor.exitCode(), 0);
        CSidecar sidecar;
        QString strError;
        QVERIFY2(CSidecar::Read(recordings.filePath(recordings.entryList({QStringLiteral("*.rdf")}).value(0)), sidecar, &strError),
                 qPrintable(strError));
        QCOMPARE(sidecar.m_Context.m_strRoom, QStringLiteral("Boardroom"));
        QVERIFY(!sidecar.m_strPort.isEmpty());
    }

    void malformedConfigNamesTheLine()
    {
        const QString strConfig = m_Dir.filePath(QStringLiteral("bad.conf"));
        QFile file(strConfig);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("# comment\nmqtt-host = 127.0.0.1\nmqtt-port 1883\n");
        file.close();
        QProcess monitor;
        monitor.setProcessEnvironment(MonitorEnvironment(m_Dir.path()));
        monitor.start(QStringLiteral(KV521_CLI_PATH), {QStringLiteral("monitor"), QStringLiteral("--config"), strConfig});
        QVERIFY(monitor.waitForFinished(15000));
        QCOMPARE(monitor.exitCode(), 2);
        QVERIFY2(monitor.readAllStandardError().contains("bad.conf, line 3"), "the line is named");
    }

    // Unplugged and plugged in again: the service reconnects by itself and
    // records the new connection into a file of its own.
    void reconnectsAfterUnplug()
    {
        CKV521Simulator sim(CSimulatorPair::DeterministicOptions());
        QVERIFY(sim.Open());
        sim.Start();
        CMonitorConfig config;
        config.m_strPort = sim.SlavePath();
        config.m_strStorage = m_Dir.filePath(QStringLiteral("unplug"));
        CMonitorService service(config);
        QString strError;
        QVERIFY2(service.Start(&strError), qPrintable(strError));
        QVERIFY(QTest::qWaitFor([&] { return service.CurrentFigures().m_nRecords > 0; }, 10000));
        sim.Stop();
        QVERIFY(QTest::qWaitFor([&] { return !service.CurrentFigures().m_bLinkUp; }, 15000));
        const int64_t nBefore = service.CurrentFigures().m_nRecords;
        sim.Start();
        QVERIFY(QTest::qWaitFor([&] { return service.CurrentFigures().m_nRecords > nBefore; }, 15000));
        service.Stop();
        QCOMPARE(QDir(service.RecordingFolder()).entryList({QStringLiteral("*.rdf")}).size(), 2);
    }

    // Full: the oldest goes and is counted; what is left comes back from
    // disk in order.
    void queueIsBoundedAndSurvivesRestart()
    {
        const QString strFile = m_Dir.filePath(QStringLiteral("bounded.jsonl"));
        QString strError;
        {
            CForwardQueue queue(strFile, 3);
            for (int i = 0; i < 5; ++i)
                queue.Push({"t", QByteArray::number(i), 1});
            QCOMPARE(queue.Dropped(), 2);
            QVERIFY(queue.Sync(&strError));
            queue.Pop();
            QVERIFY(queue.Sync(&strError));
        }
        CForwardQueue queue(strFile, 3);
        QVERIFY(queue.Load(&strError));
        QCOMPARE(queue.Size(), 2);
        QCOMPARE(queue.Front().m_Payload, QByteArray("3"));
    }
};

QTEST_GUILESS_MAIN(TestMonitor)
#include "tst_monitor.moc"
