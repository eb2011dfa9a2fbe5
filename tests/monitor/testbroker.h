#pragma once

#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

// A real mosquitto broker on 127.0.0.1 at a free port, keeping its sessions
// across a stop and a start (so a subscriber misses nothing meanwhile).
class CTestBroker
{
public:
    static bool IsInstalled() { return !Program().isEmpty(); }
    static QString Program()
    {
        const QString strPath = QStandardPaths::findExecutable(QStringLiteral("mosquitto"));
        return strPath.isEmpty() ? QStandardPaths::findExecutable(QStringLiteral("mosquitto"), {QStringLiteral("/usr/sbin")})
                                 : strPath;
    }
    static int FreePort()
    {
        QTcpServer server;
        server.listen(QHostAddress::LocalHost, 0);
        return server.serverPort();
    }

    CTestBroker() : m_nPort(FreePort()) {}
    ~CTestBroker() { Stop(); }
    int Port() const { return m_nPort; }

    bool Start()
    {
        QFile config(m_Dir.filePath(QStringLiteral("mosquitto.conf")));
        if (!config.open(QIODevice::WriteOnly))
            return false;
        config.write(QStringLiteral("listener %1 127.0.0.1\nallow_anonymous true\npersistence true\n"
                                    "persistence_location %2/\nlog_dest none\n"
                                    // Run as root (a container), it would
                                    // drop to a user that cannot write here.
                                    "user %3\n")
                         .arg(m_nPort)
                         .arg(m_Dir.path())
                         .arg(qEnvironmentVariable("USER", QStringLiteral("root")))
                         .toUtf8());
        config.close();
        m_Process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_Process.setStandardOutputFile(QProcess::nullDevice());
        m_Process.start(Program(), {QStringLiteral("-c"), config.fileName()});
        if (!m_Process.waitForStarted(5000))
            return false;
        return QTest::qWaitFor(
            [this] {
                QTcpSocket socket;
                socket.connectToHost(QHostAddress::LocalHost, quint16(m_nPort));
                return socket.waitForConnected(200);
            },
            10000);
    }
    void Stop()
    {
        if (m_Process.state() == QProcess::NotRunning)
            return;
        m_Process.terminate();
        if (!m_Process.waitForFinished(10000))
            m_Process.kill();
        m_Process.waitForFinished(5000);
    }

private:
    QTemporaryDir m_Dir;
    int m_nPort;
    QProcess m_Process;
};
