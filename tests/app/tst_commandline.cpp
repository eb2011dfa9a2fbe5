#include <QFileInfo>
#include <QProcess>
#include <QtTest>

// The program's own command line, run as a user would run it.
class TestCommandLine : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void versionAndHelp();
    void simulateKeepsRunning();
    void verboseTracesTheLink();
};

void TestCommandLine::versionAndHelp()
{
    // As on a server or in a build chroot: no display and no platform chosen.
    QTemporaryDir home;
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("HOME"), home.path());
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(KV521_ANALYZER_PATH), {QStringLiteral("--version")});
    QVERIFY(process.waitForFinished(20000));
    QCOMPARE(process.exitCode(), 0);
    QVERIFY2(process.readAllStandardOutput().contains("KV521 Analyzer 2.0.05"), "version text");

    process.start(QStringLiteral(KV521_ANALYZER_PATH), {QStringLiteral("--help")});
    QVERIFY(process.waitForFinished(20000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
    const QByteArray help = process.readAllStandardOutput();
    QVERIFY(help.contains("--simulate"));
    QVERIFY(help.contains("--port <name>"));
}

void TestCommandLine::simulateKeepsRunning()
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    QTemporaryDir home;
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(KV521_ANALYZER_PATH), {QStringLiteral("--simulate")});
    QVERIFY(process.waitForStarted(10000));
    // The default storage folder is created at start-up.
    QTRY_VERIFY_WITH_TIMEOUT(QDir(home.filePath(QStringLiteral("data/Lumatrix/KV521 Analyzer"))).exists(), 10000);
    QVERIFY2(!process.waitForFinished(500), "the program ended by itself");
#ifdef Q_OS_UNIX
    // Asked to end, as at logout: it closes in order and writes its settings.
    process.terminate();
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
    QVERIFY(QFileInfo::exists(home.filePath(QStringLiteral("config/Lumatrix/KV521 Analyzer.conf"))));
#else
    process.kill();
    QVERIFY(process.waitForFinished(10000));
#endif
}

void TestCommandLine::verboseTracesTheLink()
{
#ifndef Q_OS_UNIX
    QSKIP("the simulated detector needs a pseudo-terminal");
#endif
    QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.remove(QStringLiteral("QT_LOGGING_RULES"));
    const QString strLog = home.filePath(QStringLiteral("trace.txt"));
    // The verbose run first: how long it takes to trace a frame is how long
    // the quiet run is given to stay quiet.
    qint64 nFrameMs = 2500;
    for (bool bVerbose : {true, false}) {
        QProcess process;
        process.setProcessEnvironment(environment);
        QStringList arguments{QStringLiteral("--simulate")};
        if (bVerbose)
            arguments << QStringLiteral("--verbose") << QStringLiteral("--log-file") << strLog;
        QElapsedTimer started;
        started.start();
        process.start(QStringLiteral(KV521_ANALYZER_PATH), arguments);
        QVERIFY(process.waitForStarted(10000));
        QByteArray err;
        const auto traced = [&] {
            err += process.readAllStandardError();
            return err.contains("kv521.link: frame 5250 bytes");
        };
        if (bVerbose) {
            QTRY_VERIFY_WITH_TIMEOUT(traced(), 10000);
            nFrameMs = started.elapsed() + 500;
        } else {
            QVERIFY(!process.waitForFinished(int(nFrameMs)));
        }
        QCOMPARE(process.state(), QProcess::Running);
        process.kill();
        QVERIFY(process.waitForFinished(10000));
        err += process.readAllStandardError();
        // The poll byte and the empty command byte that answers each frame.
        QCOMPARE(err.contains("kv521.link: sent 1 of 1 bytes: 2b"), bVerbose);
        QCOMPARE(err.contains("kv521.link: sent 1 of 1 bytes: ff"), bVerbose);
        QCOMPARE(err.contains("kv521.link: frame 5250 bytes"), bVerbose);
    }
    QFile log(strLog);
    QVERIFY(log.open(QIODevice::ReadOnly));
    QVERIFY(log.readAll().contains("kv521.link: sent 1 of 1 bytes: ff"));
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
