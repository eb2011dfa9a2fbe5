#include "monitorservice.h"

#include "devicerecord.h"
#include "forwardqueue.h"
#include "kv520device.h"
#include "metricsendpoint.h"
#include "mqttpublisher.h"
#include "qtserialportenumerator.h"
#include "realtimerecorder.h"
#include "recordfeed.h"
#include "systemclock.h"
#include "tracecategories.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

const char* const kChannelNames[CMonitorService::kChannels] = {"B1", "B1F", "B2"};

// An instant with its offset from UTC, so a reader elsewhere places it.
QString IsoInstant(const QDateTime& dateTime)
{
    return dateTime.toOffsetFromUtc(dateTime.offsetFromUtc()).toString(Qt::ISODateWithMs);
}

QString DetectorInstant(const DeviceRawRecord& record)
{
    return IsoInstant(QDateTime::fromSecsSinceEpoch(CDeviceRecord::TimeOf(record, 0)));
}

QByteArray Json(const QJsonObject& object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

QString Lower(const char* pName)
{
    return QString::fromLatin1(pName).toLower();
}

} // namespace

CMonitorService::CMonitorService(const CMonitorConfig& config, QObject* pParent)
    : QObject(pParent)
    , m_Config(config)
    , m_pClock(std::make_shared<CSystemClock>())
    , m_pDevice(std::make_unique<CKV520Device>())
    , m_pFeed(std::make_unique<CRecordFeed>(m_pDevice.get()))
    , m_pRecorder(std::make_unique<CRealtimeRecorder>())
{
    if (m_Config.m_strStorage.isEmpty())
        m_Config.m_strStorage = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    m_pRecorder->SetFolder(RecordingFolder());
    m_pFeed->Subscribe(m_pRecorder.get());
    m_pRecorder->SetDetectorSource([this]() -> IDevice* { return m_pDevice.get(); });
    m_pFeed->Subscribe(this);
    m_Tick.setInterval(kPollMs);
    connect(&m_Tick, &QTimer::timeout, this, &CMonitorService::OnTick);
    m_Interval.setInterval(m_Config.m_nIntervalMs);
    connect(&m_Interval, &QTimer::timeout, this, &CMonitorService::OnInterval);
}

CMonitorService::~CMonitorService()
{
    Stop();
}

void CMonitorService::SetClock(std::shared_ptr<IClock> pClock)
{
    m_pClock = pClock;
    m_pRecorder->SetClock(pClock);
}

QString CMonitorService::RecordingFolder() const
{
    return QDir(m_Config.m_strStorage).filePath(QStringLiteral("Recordings"));
}

QString CMonitorService::SanitisedId(const QString& strName)
{
    QString strId = strName;
    if (strId.startsWith(QLatin1String("/dev/")))
        strId = strId.mid(5);
    static const QRegularExpression kUnsafe(QStringLiteral("[^A-Za-z0-9_-]"));
    strId.replace(kUnsafe, QStringLiteral("_"));
    return strId.left(64);
}

QString CMonitorService::IdFromPort(const QString& strPort) const
{
    const QList<SerialPortEntry> ports = CQtSerialPortEnumerator().Ports();
    for (const SerialPortEntry& entry : ports)
        if ((entry.m_strName == strPort || entry.m_strLocation == strPort || entry.OpenPath() == strPort)
            && !entry.m_strSerialNumber.isEmpty())
            return SanitisedId(entry.m_strSerialNumber);
    return SanitisedId(strPort);
}

QByteArray CMonitorService::Topic(const char* pLeaf) const
{
    return (m_Config.m_strTopicPrefix + QLatin1Char('/') + m_strDetectorId + QLatin1Char('/')).toUtf8() + pLeaf;
}

bool CMonitorService::Start(QString* pError)
{
    m_strDetectorId = m_Config.m_strDetectorId;
    if (m_strDetectorId.isEmpty() && m_Config.m_bSimulate)
        m_strDetectorId = QStringLiteral("simulator");
    else if (m_strDetectorId.isEmpty() && !m_Config.m_strPort.isEmpty())
        m_strDetectorId = IdFromPort(m_Config.m_strPort);

    if (m_Config.m_nMetricsPort > 0) {
        m_pMetrics = std::make_unique<CMetricsEndpoint>([this] { return CurrentFigures(); });
        if (!m_pMetrics->Listen(m_Config.m_strMetricsAddress, m_Config.m_nMetricsPort, pError))
            return false;
        qCInfo(lcMonitor).noquote() << QStringLiteral("Metrics at http://%1:%2/metrics")
                                           .arg(m_Config.m_strMetricsAddress)
                                           .arg(m_Config.m_nMetricsPort);
    }
    m_pDevice->SetPortOverride(m_Config.m_strPort);
    try {
        m_pDevice->Start();
    } catch (const std::exception& e) {
        *pError = QString::fromUtf8(e.what());
        return false;
    }
    m_bStarted = true;
    if (!m_strDetectorId.isEmpty() && !StartMqtt(pError))
        return false;
    qCInfo(lcMonitor).noquote() << QStringLiteral("Recording into %1").arg(QDir::toNativeSeparators(RecordingFolder()));
    m_Tick.start();
    m_Interval.start();
    return true;
}

bool CMonitorService::StartMqtt(QString* pError)
{
    if (!m_Config.PublishesMqtt() || m_pPublisher)
        return true;
    QString strQueue = m_Config.m_strQueueFile;
    if (strQueue.isEmpty())
        strQueue = QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
                       .filePath(QStringLiteral("monitor-queue-%1.jsonl").arg(m_strDetectorId));
    m_pQueue = std::make_unique<CForwardQueue>(strQueue, m_Config.m_nQueueLimit);
    QString strError;
    if (!m_pQueue->Load(&strError))
        qCWarning(lcMonitor).noquote() << strError;
    else if (!m_pQueue->IsEmpty())
        qCInfo(lcMonitor).noquote() << QStringLiteral("%1 messages wait from an earlier run").arg(m_pQueue->Size());
    if (m_pQueue->SkippedOnLoad() > 0)
        qCWarning(lcMonitor).noquote() << QStringLiteral("%1 unreadable lines of %2 skipped")
                                              .arg(m_pQueue->SkippedOnLoad())
                                              .arg(strQueue);

    CMqttPublisher::Settings settings;
    settings.m_strHost = m_Config.m_strMqttHost;
    settings.m_nPort = m_Config.m_nMqttPort;
    settings.m_strClientId = m_Config.m_strClientId.isEmpty() ? QStringLiteral("kv521-") + m_strDetectorId
                                                              : m_Config.m_strClientId;
    settings.m_strCaFile = m_Config.m_strCaFile;
    settings.m_strCertFile = m_Config.m_strCertFile;
    settings.m_strKeyFile = m_Config.m_strKeyFile;
    settings.m_strUsername = m_Config.m_strUsername;
    if (!m_Config.ReadPassword(&settings.m_strPassword, pError))
        return false;
    settings.m_WillTopic = Topic("state");
    settings.m_WillPayload = "offline";
    m_pPublisher = std::make_unique<CMqttPublisher>();
    m_pPublisher->SetQueue(m_pQueue.get());
    connect(m_pPublisher.get(), &CMqttPublisher::connected, this, &CMonitorService::OnBrokerConnected);
    if (!m_pPublisher->Start(settings, pError)) {
        m_pPublisher.reset();
        return false;
    }
    // Never the password.
    qCInfo(lcMonitor).noquote() << QStringLiteral("Publishing to %1:%2 under %3/%4")
                                       .arg(settings.m_strHost)
                                       .arg(settings.m_nPort)
                                       .arg(m_Config.m_strTopicPrefix, m_strDetectorId);
    return true;
}

void CMonitorService::OnBrokerConnected()
{
    m_pPublisher->PublishNow(Topic("state"), "online", 1, true);
    if (m_Config.m_strDiscoveryPrefix.isEmpty())
        return;
    for (int nChannel = 0; nChannel < kChannels; ++nChannel)
        for (const bool bAc : {false, true}) {
            const QString strObject = m_strDetectorId + QLatin1Char('_') + Lower(kChannelNames[nChannel])
                                    + (bAc ? QStringLiteral("_ac") : QString());
            const QByteArray topic = (m_Config.m_strDiscoveryPrefix + QStringLiteral("/sensor/") + strObject
                                      + QStringLiteral("/config"))
                                         .toUtf8();
            m_pPublisher->PublishNow(topic, DiscoveryPayload(nChannel, bAc), 1, true);
        }
}

QByteArray CMonitorService::DiscoveryPayload(int nChannel, bool bAc) const
{
    const QString strChannel = QLatin1String(kChannelNames[nChannel]);
    const QString strKey = Lower(kChannelNames[nChannel]) + (bAc ? QStringLiteral("_ac") : QStringLiteral("_dc"));
    QJsonObject device;
    device.insert(QStringLiteral("identifiers"), QJsonArray{QStringLiteral("kv521_") + m_strDetectorId});
    device.insert(QStringLiteral("name"), QStringLiteral("KV521 ") + m_strDetectorId);
    device.insert(QStringLiteral("model"), QStringLiteral("KV521"));
    device.insert(QStringLiteral("manufacturer"), QCoreApplication::organizationName());
    device.insert(QStringLiteral("sw_version"), QCoreApplication::applicationVersion());
    QJsonObject config;
    config.insert(QStringLiteral("name"), strChannel + (bAc ? QStringLiteral(" pulsed") : QStringLiteral(" constant")));
    config.insert(QStringLiteral("unique_id"), QStringLiteral("kv521_%1_%2").arg(m_strDetectorId, strKey));
    config.insert(QStringLiteral("state_topic"), QString::fromUtf8(Topic("levels")));
    config.insert(QStringLiteral("value_template"), QStringLiteral("{{ value_json.%1 }}").arg(strKey));
    config.insert(QStringLiteral("unit_of_measurement"), QStringLiteral("dB"));
    config.insert(QStringLiteral("state_class"), QStringLiteral("measurement"));
    config.insert(QStringLiteral("availability_topic"), QString::fromUtf8(Topic("state")));
    config.insert(QStringLiteral("payload_available"), QStringLiteral("online"));
    config.insert(QStringLiteral("payload_not_available"), QStringLiteral("offline"));
    config.insert(QStringLiteral("device"), device);
    return Json(config);
}

void CMonitorService::Stop()
{
    if (!m_bStarted && !m_pMetrics)
        return;
    m_bStarted = false;
    m_Tick.stop();
    m_Interval.stop();
    // What arrived up to now is written before the end.
    m_pFeed->Poll();
    m_pRecorder->Close();
    m_pDevice->Stop();
    if (m_pPublisher) {
        m_pPublisher->Stop(Topic("state"), "offline");
        m_pPublisher.reset();
    }
    SyncQueue();
    m_pMetrics.reset();
}

void CMonitorService::OnTick()
{
    if (m_pDevice->HasFailed()) {
        qCWarning(lcMonitor) << "The link's worker failed; restarting it";
        // A worker that cannot be created now is tried again at the next tick.
        try {
            m_pDevice->Start();
        } catch (const std::exception& e) {
            qCWarning(lcMonitor).noquote() << QString::fromUtf8(e.what());
        }
    }
    m_pFeed->Poll();
    const bool bUp = m_pDevice->IsConnected();
    if (bUp != m_bLinkUp) {
        m_bLinkUp = bUp;
        if (bUp)
            qCInfo(lcMonitor).noquote() << QStringLiteral("Detector online on %1").arg(m_pDevice->GetPortName());
        else
            qCWarning(lcMonitor) << "Detector offline; waiting for it to come back";
        Q_EMIT linkChanged(bUp);
    }
    // The automatic port is known once the detector answers on it.
    if (bUp && m_strDetectorId.isEmpty()) {
        m_strDetectorId = IdFromPort(m_pDevice->GetPortName());
        QString strError;
        if (!StartMqtt(&strError))
            qCWarning(lcMonitor).noquote() << strError;
    }
    if (!m_pRecorder->Tick(bUp)) {
        qCWarning(lcMonitor).noquote() << QStringLiteral("Recording stopped: %1").arg(m_pRecorder->Error());
        m_nRecorderFailedAtMs = m_pClock->MonotonicMs();
    }
    if (m_nRecorderFailedAtMs >= 0 && m_pClock->MonotonicMs() - m_nRecorderFailedAtMs >= kRecorderRetryMs) {
        m_nRecorderFailedAtMs = -1;
        m_pRecorder->SetEnabled(true);
    }
    // One alarm per episode: a level hovering at its threshold sets and
    // clears the bit many times a second.
    const bool bAlarm = bUp && m_pDevice->GetLiveState().m_nAlarm != 0;
    const int64_t nNowMs = m_pClock->MonotonicMs();
    if (bAlarm) {
        if (!m_bAlarm)
            PublishAlarm();
        m_bAlarm = true;
        m_nAlarmClearSinceMs = -1;
    } else if (m_bAlarm) {
        if (m_nAlarmClearSinceMs < 0)
            m_nAlarmClearSinceMs = nNowMs;
        else if (nNowMs - m_nAlarmClearSinceMs >= kAlarmQuietMs)
            m_bAlarm = false;
    }
    if (m_pPublisher)
        m_pPublisher->Pump();
}

void CMonitorService::OnRecords(int64_t, const DeviceRawRecord* pRecords, int nCount)
{
    for (int i = 0; i < nCount; ++i) {
        const DeviceRawRecord& record = pRecords[i];
        for (int c = 0; c < kChannels; ++c) {
            if (!(record.BandMask & (1 << c)))
                continue;
            m_nMaxDc[c] = m_bSeen[c] ? qMax(m_nMaxDc[c], int(record.Levels[c])) : record.Levels[c];
            m_nMaxAc[c] = m_bSeen[c] ? qMax(m_nMaxAc[c], int(record.Levels[3 + c])) : record.Levels[3 + c];
            m_bSeen[c] = true;
            m_Last.m_dLastDc[c] = record.Levels[c] / 2.0;
            m_Last.m_dLastAc[c] = record.Levels[3 + c] / 2.0;
            m_Last.m_bChannelSeen[c] = true;
        }
    }
    if (nCount > 0) {
        m_Newest = pRecords[nCount - 1];
        m_bHaveNewest = true;
        m_Last.m_bHaveLevels = true;
    }
    m_nIntervalRecords += nCount;
    m_nRecords += nCount;
}

void CMonitorService::OnRecordsMissed(int64_t nMissed)
{
    qCWarning(lcMonitor).noquote() << QStringLiteral("%1 records left the detector's history before they were handled")
                                          .arg(nMissed);
}

void CMonitorService::OnHistoryRestarted()
{
}

void CMonitorService::OnInterval()
{
    // What the broker has not confirmed by now goes to disk; a summary that
    // it takes within the interval never touches the disk.
    SyncQueue();
    if (m_nIntervalRecords > 0 && m_pPublisher) {
        QJsonObject levels;
        levels.insert(QStringLiteral("detector_time"), DetectorInstant(m_Newest));
        levels.insert(QStringLiteral("pc_time"), IsoInstant(m_pClock->LocalTime()));
        levels.insert(QStringLiteral("records"), m_nIntervalRecords);
        for (int c = 0; c < kChannels; ++c) {
            const QString strKey = Lower(kChannelNames[c]);
            levels.insert(strKey + QStringLiteral("_dc"), m_bSeen[c] ? QJsonValue(m_nMaxDc[c] / 2.0) : QJsonValue());
            levels.insert(strKey + QStringLiteral("_ac"), m_bSeen[c] ? QJsonValue(m_nMaxAc[c] / 2.0) : QJsonValue());
        }
        Enqueue(Topic("levels"), Json(levels));
    }
    m_nIntervalRecords = 0;
    m_bSeen.fill(false);
}

void CMonitorService::PublishAlarm()
{
    ++m_nAlarms;
    const QString strPcTime = IsoInstant(m_pClock->LocalTime());
    QJsonObject alarm;
    alarm.insert(QStringLiteral("detector_time"), m_bHaveNewest ? QJsonValue(DetectorInstant(m_Newest)) : QJsonValue());
    alarm.insert(QStringLiteral("pc_time"), strPcTime);
    QJsonArray channels;
    if (m_bHaveNewest) {
        const CDeviceRecord record = CDeviceRecord::FromRaw(m_Newest, CDeviceRecord::Mode::Live);
        for (int c = 0; c < kChannels; ++c) {
            if (!(record.m_nBandMask & (1 << c)) || record.m_Levels.size() < 2 * kChannels)
                continue;
            const CDeviceLevel& dc = record.m_Levels[2 * c];
            const CDeviceLevel& ac = record.m_Levels[2 * c + 1];
            QJsonObject channel;
            channel.insert(QStringLiteral("channel"), QLatin1String(kChannelNames[c]));
            channel.insert(QStringLiteral("dc"), dc.m_dLevel);
            channel.insert(QStringLiteral("dc_threshold"), dc.m_dThreshold);
            channel.insert(QStringLiteral("ac"), ac.m_dLevel);
            channel.insert(QStringLiteral("ac_threshold"), ac.m_dThreshold);
            channel.insert(QStringLiteral("signal"), SignalKindName(dc.m_nSignal).trimmed());
            channels.append(channel);
        }
    }
    alarm.insert(QStringLiteral("channels"), channels);
    qCInfo(lcMonitor).noquote() << QStringLiteral("Alarm at %1").arg(strPcTime);
    if (m_pPublisher) {
        Enqueue(Topic("alarm"), Json(alarm));
        SyncQueue();
    }
}

void CMonitorService::Enqueue(const QByteArray& topic, const QByteArray& payload)
{
    if (!m_pQueue)
        return;
    m_pQueue->Push({topic, payload, 1});
    if (m_pQueue->Dropped() > m_nReportedDrops) {
        m_nReportedDrops = m_pQueue->Dropped();
        // Said once per hundred, not once per message of a long outage.
        if (m_nReportedDrops == 1 || m_nReportedDrops % 100 == 0)
            qCWarning(lcMonitor).noquote()
                << QStringLiteral("The queue is full (%1 messages): oldest dropped, %2 so far")
                       .arg(m_pQueue->Limit())
                       .arg(m_nReportedDrops);
    }
    if (m_pPublisher)
        m_pPublisher->Pump();
}

void CMonitorService::SyncQueue()
{
    QString strError;
    if (m_pQueue && !m_pQueue->Sync(&strError))
        qCWarning(lcMonitor).noquote() << strError;
}

CMonitorService::Figures CMonitorService::CurrentFigures() const
{
    Figures figures = m_Last;
    figures.m_bLinkUp = m_bLinkUp;
    figures.m_bBrokerUp = m_pPublisher && m_pPublisher->IsConnected();
    figures.m_nGoodFrames = m_pDevice->GoodFrames();
    figures.m_nBadFrames = m_pDevice->BadFrames() + m_pDevice->ChecksumErrors();
    figures.m_nRecords = m_nRecords;
    figures.m_nAlarms = m_nAlarms;
    figures.m_nQueued = m_pQueue ? m_pQueue->Size() : 0;
    figures.m_nDropped = m_pQueue ? m_pQueue->Dropped() : 0;
    return figures;
}
