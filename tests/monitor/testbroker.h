#pragma once

#include <QDateTime>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
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

namespace {

struct Received
{
    QString strTopic;
    QByteArray payload;
    QDateTime arrived;
    int nIndex = 0; // the order of arrival
};

// mosquitto_sub with a session the broker keeps across its restart.
class CSubscriber
{
public:
    explicit CSubscriber(int nPort)
    {
        QObject::connect(&m_Process, &QProcess::readyReadStandardOutput, [this] { Read(); });
        m_Process.start(QStringLiteral("mosquitto_sub"),
                        {QStringLiteral("-h"), QStringLiteral("127.0.0.1"), QStringLiteral("-p"), QString::number(nPort),
                         QStringLiteral("-v"), QStringLiteral("-q"), QStringLiteral("1"), QStringLiteral("-c"),
                         QStringLiteral("-i"), QStringLiteral("kv521-test-sub"), QStringLiteral("-t"),
                         QStringLiteral("kv521/#"), QStringLiteral("-t"), QStringLiteral("homeassistant/#")});
    }
    ~CSubscriber()
    {
        m_Process.kill();
        m_Process.waitForFinished(5000);
    }
    QList<Received> Messages(const QString& strTopicEnd) const
    {
        QList<Received> result;
        for (const Received& message : m_Messages)
            if (message.strTopic.endsWith(strTopicEnd))
                result << message;
        return result;
    }
    bool WaitFor(const QString& strTopicEnd, const QByteArray& payload, int nTimeoutMs)
    {
        return QTest::qWaitFor(
            [&] {
                const QList<Received> messages = Messages(strTopicEnd);
                return !messages.isEmpty() && (payload.isEmpty() || messages.last().payload == payload);
            },
            nTimeoutMs);
    }

private:
    void Read()
    {
        while (m_Process.canReadLine()) {
            const QByteArray line = m_Process.readLine().trimmed();
            const int nSpace = line.indexOf(' ');
            m_Messages << Received{QString::fromUtf8(line.left(nSpace)), nSpace < 0 ? QByteArray() : line.mid(nSpace + 1),
                                   QDateTime::currentDateTime(), int(m_Messages.size())};
        }
    }
    QProcess m_Process;
    QList<Received> m_Messages;
};

// The inet sockets of a process: its socket descriptors that the system's
// TCP and UDP tables know.
int InetSockets(qint64 nPid)
{
    QSet<QString> inodes;
    const QFileInfoList fds = QDir(QStringLiteral("/proc/%1/fd").arg(nPid)).entryInfoList(QDir::System);
    for (const QFileInfo& fd : fds) {
        const QString strTarget = fd.symLinkTarget().isEmpty() ? QFile::symLinkTarget(fd.filePath()) : fd.symLinkTarget();
        static const QRegularExpression kSocket(QStringLiteral(R"(socket:\[(\d+)\])"));
        const QRegularExpressionMatch match = kSocket.match(QFileInfo(fd.filePath()).symLinkTarget() + strTarget);
        if (match.hasMatch())
            inodes.insert(match.captured(1));
    }
    int nInet = 0;
    for (const char* pTable : {"tcp", "tcp6", "udp", "udp6"}) {
        QFile table(QStringLiteral("/proc/%1/net/%2").arg(nPid).arg(QLatin1String(pTable)));
        if (!table.open(QIODevice::ReadOnly))
            continue;
        const QList<QByteArray> rows = table.readAll().split('\n');
        for (const QByteArray& row : rows) {
            const QList<QByteArray> fields = row.simplified().split(' ');
            if (fields.size() > 9 && inodes.contains(QString::fromLatin1(fields[9])))
                ++nInet;
        }
    }
    return nInet;
}

} // namespace
