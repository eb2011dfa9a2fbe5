#include "monitorreporter.h"

#include "devicerecord.h"
#include "forwardqueue.h"
#include "kv520device.h"
#include "metricsendpoint.h"
#include "mqttpublisher.h"
#include "systemclock.h"
#include "tracecategories.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>

namespace {

const char* const kChannelNames[CMonitorReporter::kChannels] = {"B1", "B1F", "B2"};

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

CMonitorReporter::CMonitorReporter(const CMonitorConfig& config, CKV520Device* pDevice, QObject* pParent)
    : QObject(pParent)
    , m_Config(config)
    , m_pDevice(pDevice)
    , m_pClock(std::make_shared<CSystemClock>())
{
    m_Interval.setInterval(m_Config.m_nIntervalMs);
    connect(&m_Interval, &QTimer::timeout, this, &CMonitorReporter::OnInterval);
}

CMonitorReporter::~CMonitorReporter()
{
    Stop();
}

void CMonitorReporter::SetClock(std::shared_ptr<IClock> pClock)
{
    m_pClock = std::move(pClock);
}

QByteArray CMonitorReporter::Topic(const char* pLeaf) const
{
    return (m_Config.m_strTopicPrefix + QLatin1Char('/') + m_strDetectorId + QLatin1Char('/')).toUtf8() + pLeaf;
}

bool CMonitorReporter::IsBrokerConnected() const
{
    return m_pPublisher && m_pPublisher->IsConnected();
}

bool CMonitorReporter::Start(QString* pError)
{
    if (m_Config.m_nMetricsPort > 0 && !m_pMetrics) {
        auto pMetrics = std::make_unique<CMetricsEndpoint>([this] { return CurrentFigures(); });
        if (!pMetrics->Listen(m_Config.m_strMetricsAddress, m_Config.m_nMetricsPort, pError))
            return false;
        m_pMetrics = std::move(pMetrics);
        qCInfo(lcMonitor).noquote() << QStringLiteral("Metrics at http://%1:%2/metrics")
                                           .arg(m_Config.m_strMetricsAddress)
                                           .arg(m_Config.m_nMetricsPort);
    }
    m_Interval.start();
    return true;
}

bool CMonitorReporter::StartMqtt(const QString& strDetectorId, QString* pError)
{
    if (!m_Config.PublishesMqtt() || m_pPublisher || strDetectorId.isEmpty())
        return true;
    m_strDetectorId = strDetectorId;
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
    connect(m_pPublisher.get(), &CMqttPublisher::connected, this, &CMonitorReporter::OnBrokerConnected);
    connect(m_pPublisher.get(), &CMqttPublisher::disconnected, this, [this] { Q_EMIT brokerChanged(false); });
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

void CMonitorReporter::OnBrokerConnected()
{
    m_pPublisher->PublishNow(Topic("state"), "online", 1, true);
    if (!m_Config.m_strDiscoveryPrefix.isEmpty()) {
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
    Q_EMIT brokerChanged(true);
}

QByteArray CMonitorReporter::DiscoveryPayload(int nChannel, bool bAc) const
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

void CMonitorReporter::Stop()
{
    m_Interval.stop();
    if (m_pPublisher) {
        const bool bWasConnected = m_pPublisher->IsConnected();
        m_pPublisher->Stop(Topic("state"), "offline");
        m_pPublisher.reset();
        if (bWasConnected)
            Q_EMIT brokerChanged(false);
    }
    SyncQueue();
    m_pMetrics.reset();
}

void CMonitorReporter::Tick(bool bLinkUp, bool bAlarm)
{
    m_bLinkUp = bLinkUp;
    // One alarm per episode: a level hovering at its threshold sets and
    // clears the bit many times a second.
    bAlarm = bAlarm && bLinkUp;
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

void CMonitorReporter::OnRecords(int64_t, const DeviceRawRecord* pRecords, int nCount)
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

void CMonitorReporter::OnRecordsMissed(int64_t nMissed)
{
    qCWarning(lcMonitor).noquote() << QStringLiteral("%1 records left the detector's history before they were handled")
                                          .arg(nMissed);
}

void CMonitorReporter::OnHistoryRestarted()
{
}

void CMonitorReporter::OnInterval()
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

void CMonitorReporter::PublishAlarm()
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

void CMonitorReporter::Enqueue(const QByteArray& topic, const QByteArray& payload)
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

void CMonitorReporter::SyncQueue()
{
    QString strError;
    if (m_pQueue && !m_pQueue->Sync(&strError))
        qCWarning(lcMonitor).noquote() << strError;
}

CMonitorReporter::Figures CMonitorReporter::CurrentFigures() const
{
    Figures figures = m_Last;
    figures.m_bLinkUp = m_bLinkUp;
    figures.m_bBrokerUp = IsBrokerConnected();
    if (m_pDevice) {
        figures.m_nGoodFrames = m_pDevice->GoodFrames();
        figures.m_nBadFrames = m_pDevice->BadFrames() + m_pDevice->ChecksumErrors();
    }
    figures.m_nRecords = m_nRecords;
    figures.m_nAlarms = m_nAlarms;
    figures.m_nQueued = m_pQueue ? m_pQueue->Size() : 0;
    figures.m_nDropped = m_pQueue ? m_pQueue->Dropped() : 0;
    return figures;
}
