#pragma once

#include "sweepcontext.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// What the monitoring service is told: the detector's link, where records go,
// and whether (and where) it publishes. Read from "key = value" lines of a
// file, then from options of one run, which use the same names. Without a
// broker host nothing is published and without a metrics port nothing
// listens: the defaults open no socket.
class CMonitorConfig
{
    Q_DECLARE_TR_FUNCTIONS(CMonitorConfig)

public:
    // About a day of one-second summaries: what an outage of the broker can
    // last without losing anything.
    static constexpr int kDefaultQueueLimit = 100000;
    static constexpr int kMaxQueueLimit = 10000000;
    static constexpr int kDefaultIntervalMs = 1000;
    static constexpr int kDefaultMqttPort = 1883;

    QString m_strPort;
    bool m_bSimulate = false;
    QString m_strStorage;     // the storage folder; records go to its "Recordings"
    CSweepContext m_Context;  // where the detector is, for the recordings' sidecars
    QString m_strDetectorId;  // empty: the USB serial number or the port's name
    QString m_strMqttHost;    // empty: no MQTT
    int m_nMqttPort = kDefaultMqttPort;
    QString m_strTopicPrefix = QStringLiteral("kv521");
    QString m_strClientId;    // empty: derived from the detector id
    QString m_strCaFile;
    QString m_strCertFile;
    QString m_strKeyFile;
    QString m_strUsername;
    QString m_strPasswordFile;
    int m_nIntervalMs = kDefaultIntervalMs;
    QString m_strDiscoveryPrefix = QStringLiteral("homeassistant"); // empty: no discovery topics
    QString m_strQueueFile;   // empty: beside the program's data, named after the detector
    int m_nQueueLimit = kDefaultQueueLimit;
    int m_nMetricsPort = 0;   // 0: no endpoint
    QString m_strMetricsAddress = QStringLiteral("127.0.0.1");

    // Every key a file or an option may set.
    static QStringList Keys();
    // Keys that take no value as options (a file says "true" or "false").
    static bool IsFlag(const QString& strKey);
    // What an option of this key means, for the help.
    static QString Description(const QString& strKey);
    static QString ValueName(const QString& strKey);

    // One key; false with the reason for an unknown key or a bad value.
    bool Set(const QString& strKey, const QString& strValue, QString* pError);
    // The lines of a file; false with a reason that names the file and the line.
    bool LoadFile(const QString& strPath, QString* pError);
    // After every key is set: what no single key can tell (both a port and
    // the simulator, TLS half given).
    bool Check(QString* pError) const;

    bool PublishesMqtt() const { return !m_strMqttHost.isEmpty(); }
    bool UsesTls() const { return !m_strCaFile.isEmpty(); }
    // The password from its file (first line); false with the reason.
    bool ReadPassword(QString* pPassword, QString* pError) const;
};
