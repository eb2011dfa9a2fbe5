#include "monitorconfig.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

struct Key
{
    const char* pName;
    const char* pValueName; // null: a flag
    const char* pDescription;
};

const Key kKeys[] = {
    {"port", "name", QT_TRANSLATE_NOOP("CMonitorConfig", "Use serial port <name>.")},
    {"simulate", nullptr, QT_TRANSLATE_NOOP("CMonitorConfig", "Use a simulated detector.")},
    {"storage", "dir", QT_TRANSLATE_NOOP("CMonitorConfig", "The storage folder; records go to its Recordings folder (default: the program's).")},
    {"site", "site", QT_TRANSLATE_NOOP("CMonitorConfig", "The site of the sweep (kept beside the files and in the catalogue).")},
    {"room", "room", QT_TRANSLATE_NOOP("CMonitorConfig", "The room of the sweep.")},
    {"operator", "name", QT_TRANSLATE_NOOP("CMonitorConfig", "Who made the sweep.")},
    {"detector-id", "id", QT_TRANSLATE_NOOP("CMonitorConfig", "The detector's name in topics (default: its USB serial number, else its port's name).")},
    {"mqtt-host", "host", QT_TRANSLATE_NOOP("CMonitorConfig", "Publish to the MQTT broker on <host> (default: no publishing).")},
    {"mqtt-port", "port", QT_TRANSLATE_NOOP("CMonitorConfig", "The broker's port (default: 1883).")},
    {"topic-prefix", "prefix", QT_TRANSLATE_NOOP("CMonitorConfig", "The first level of the topics (default: kv521).")},
    {"client-id", "id", QT_TRANSLATE_NOOP("CMonitorConfig", "The MQTT client id (default: kv521-<detector id>).")},
    {"mqtt-cafile", "file", QT_TRANSLATE_NOOP("CMonitorConfig", "Use TLS, trusting the certificate authorities in <file>.")},
    {"mqtt-certfile", "file", QT_TRANSLATE_NOOP("CMonitorConfig", "TLS: this client's certificate.")},
    {"mqtt-keyfile", "file", QT_TRANSLATE_NOOP("CMonitorConfig", "TLS: this client's private key.")},
    {"mqtt-username", "name", QT_TRANSLATE_NOOP("CMonitorConfig", "Log in to the broker as <name>.")},
    {"mqtt-password-file", "file", QT_TRANSLATE_NOOP("CMonitorConfig", "The broker password, the first line of <file>.")},
    {"interval", "seconds", QT_TRANSLATE_NOOP("CMonitorConfig", "Publish the levels every <seconds> (default: 1), the highest of each channel.")},
    {"discovery-prefix", "prefix", QT_TRANSLATE_NOOP("CMonitorConfig", "Home Assistant discovery prefix (default: homeassistant; empty: none).")},
    {"queue-file", "file", QT_TRANSLATE_NOOP("CMonitorConfig", "Where messages wait while the broker is away.")},
    {"queue-limit", "count", QT_TRANSLATE_NOOP("CMonitorConfig", "At most <count> waiting messages (default: 100000); the oldest are dropped beyond.")},
    {"metrics-port", "port", QT_TRANSLATE_NOOP("CMonitorConfig", "Serve Prometheus metrics at /metrics on <port> (default: none).")},
    {"metrics-address", "address", QT_TRANSLATE_NOOP("CMonitorConfig", "The address the metrics listen on (default: 127.0.0.1).")},
};

const Key* Find(const QString& strKey)
{
    for (const Key& key : kKeys)
        if (strKey == QLatin1String(key.pName))
            return &key;
    return nullptr;
}

bool ParseInt(const QString& strValue, int nMin, int nMax, int* pValue)
{
    bool bOk = false;
    const qlonglong n = strValue.toLongLong(&bOk);
    if (!bOk || n < nMin || n > nMax)
        return false;
    *pValue = int(n);
    return true;
}

// Topic levels must not carry MQTT's separators and wildcards.
bool IsTopicSafe(const QString& strValue)
{
    static const QRegularExpression kSafe(QStringLiteral("^[A-Za-z0-9_.-]+(/[A-Za-z0-9_.-]+)*$"));
    return kSafe.match(strValue).hasMatch();
}

} // namespace

QStringList CMonitorConfig::Keys()
{
    QStringList keys;
    for (const Key& key : kKeys)
        keys << QLatin1String(key.pName);
    return keys;
}

bool CMonitorConfig::IsFlag(const QString& strKey)
{
    const Key* pKey = Find(strKey);
    return pKey && !pKey->pValueName;
}

QString CMonitorConfig::Description(const QString& strKey)
{
    const Key* pKey = Find(strKey);
    return pKey ? tr(pKey->pDescription) : QString();
}

QString CMonitorConfig::ValueName(const QString& strKey)
{
    const Key* pKey = Find(strKey);
    return pKey && pKey->pValueName ? QLatin1String(pKey->pValueName) : QString();
}

bool CMonitorConfig::Set(const QString& strKey, const QString& strValue, QString* pError)
{
    const auto bad = [&] {
        *pError = tr("Bad value \"%1\" for %2.").arg(strValue, strKey);
        return false;
    };
    if (!Find(strKey)) {
        *pError = tr("Unknown key \"%1\".").arg(strKey);
        return false;
    }
    if (strKey == QLatin1String("port")) {
        m_strPort = strValue;
    } else if (strKey == QLatin1String("simulate")) {
        if (strValue == QLatin1String("true") || strValue == QLatin1String("1") || strValue.isEmpty())
            m_bSimulate = true;
        else if (strValue == QLatin1String("false") || strValue == QLatin1String("0"))
            m_bSimulate = false;
        else
            return bad();
    } else if (strKey == QLatin1String("storage")) {
        m_strStorage = strValue;
    } else if (strKey == QLatin1String("site")) {
        m_Context.m_strClient = strValue;
    } else if (strKey == QLatin1String("room")) {
        m_Context.m_strRoom = strValue;
    } else if (strKey == QLatin1String("operator")) {
        m_Context.m_strOperator = strValue;
    } else if (strKey == QLatin1String("detector-id")) {
        if (!strValue.isEmpty() && (!IsTopicSafe(strValue) || strValue.contains(QLatin1Char('/'))))
            return bad();
        m_strDetectorId = strValue;
    } else if (strKey == QLatin1String("mqtt-host")) {
        m_strMqttHost = strValue;
    } else if (strKey == QLatin1String("mqtt-port")) {
        if (!ParseInt(strValue, 1, 65535, &m_nMqttPort))
            return bad();
    } else if (strKey == QLatin1String("topic-prefix")) {
        if (!IsTopicSafe(strValue))
            return bad();
        m_strTopicPrefix = strValue;
    } else if (strKey == QLatin1String("client-id")) {
        m_strClientId = strValue;
    } else if (strKey == QLatin1String("mqtt-cafile")) {
        m_strCaFile = strValue;
    } else if (strKey == QLatin1String("mqtt-certfile")) {
        m_strCertFile = strValue;
    } else if (strKey == QLatin1String("mqtt-keyfile")) {
        m_strKeyFile = strValue;
    } else if (strKey == QLatin1String("mqtt-username")) {
        m_strUsername = strValue;
    } else if (strKey == QLatin1String("mqtt-password-file")) {
        m_strPasswordFile = strValue;
    } else if (strKey == QLatin1String("interval")) {
        bool bOk = false;
        const double dSeconds = strValue.toDouble(&bOk);
        if (!bOk || dSeconds < 0.1 || dSeconds > 3600.0)
            return bad();
        m_nIntervalMs = int(dSeconds * 1000.0 + 0.5);
    } else if (strKey == QLatin1String("discovery-prefix")) {
        if (!strValue.isEmpty() && !IsTopicSafe(strValue))
            return bad();
        m_strDiscoveryPrefix = strValue;
    } else if (strKey == QLatin1String("queue-file")) {
        m_strQueueFile = strValue;
    } else if (strKey == QLatin1String("queue-limit")) {
        if (!ParseInt(strValue, 1, kMaxQueueLimit, &m_nQueueLimit))
            return bad();
    } else if (strKey == QLatin1String("metrics-port")) {
        if (!ParseInt(strValue, 0, 65535, &m_nMetricsPort))
            return bad();
    } else if (strKey == QLatin1String("metrics-address")) {
        m_strMetricsAddress = strValue;
    }
    return true;
}

bool CMonitorConfig::LoadFile(const QString& strPath, QString* pError)
{
    const QFileInfo info(strPath);
    // A FIFO or a device would block the start for ever.
    if (!info.isFile()) {
        *pError = tr("%1 is not a regular file.").arg(strPath);
        return false;
    }
    QFile file(strPath);
    if (!file.open(QIODevice::ReadOnly)) {
        *pError = tr("Cannot read %1: %2").arg(strPath, file.errorString());
        return false;
    }
    // A configuration is a few lines; anything far larger is not one.
    constexpr qint64 kMaxBytes = 1 << 20;
    if (file.size() > kMaxBytes) {
        *pError = tr("%1 is too large for a configuration file.").arg(strPath);
        return false;
    }
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        const QString strLine = QString::fromUtf8(lines[i]).trimmed();
        if (strLine.isEmpty() || strLine.startsWith(QLatin1Char('#')))
            continue;
        const int nEquals = strLine.indexOf(QLatin1Char('='));
        QString strError;
        if (nEquals <= 0)
            strError = tr("Expected \"key = value\".");
        else
            Set(strLine.left(nEquals).trimmed(), strLine.mid(nEquals + 1).trimmed(), &strError);
        if (!strError.isEmpty()) {
            *pError = tr("%1, line %2: %3").arg(strPath).arg(i + 1).arg(strError);
            return false;
        }
    }
    return true;
}

bool CMonitorConfig::Check(QString* pError) const
{
    if (m_bSimulate && !m_strPort.isEmpty()) {
        *pError = tr("--port and --simulate exclude each other.");
        return false;
    }
    if ((!m_strCertFile.isEmpty() || !m_strKeyFile.isEmpty()) && m_strCaFile.isEmpty()) {
        *pError = tr("A client certificate needs TLS: give mqtt-cafile too.");
        return false;
    }
    if (m_strCertFile.isEmpty() != m_strKeyFile.isEmpty()) {
        *pError = tr("Give both mqtt-certfile and mqtt-keyfile, or neither.");
        return false;
    }
    return true;
}

bool CMonitorConfig::ReadPassword(QString* pPassword, QString* pError) const
{
    pPassword->clear();
    if (m_strPasswordFile.isEmpty())
        return true;
    QFile file(m_strPasswordFile);
    if (!QFileInfo(m_strPasswordFile).isFile() || !file.open(QIODevice::ReadOnly)) {
        *pError = tr("Cannot read the password file %1.").arg(m_strPasswordFile);
        return false;
    }
    *pPassword = QString::fromUtf8(file.read(4096).split('\n').value(0)).remove(QLatin1Char('\r'));
    return true;
}
