#pragma once

#include "irecordsink.h"
#include "monitorconfig.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

#include <array>
#include <cstdint>
#include <memory>

class CForwardQueue;
class CKV520Device;
class CMetricsEndpoint;
class CMqttPublisher;
class CRealtimeRecorder;
class CRecordFeed;
class IClock;

// The unattended service: keeps the link to one detector up, records every
// record into the storage folder, and, when configured, publishes its state,
// levels and alarms to an MQTT broker and its figures at /metrics.
class CMonitorService : public QObject, public IRecordSink
{
    Q_OBJECT

public:
    static constexpr int kPollMs = 50;
    // A recording that failed (disk full) is tried again after this long.
    static constexpr int kRecorderRetryMs = 60000;
    static constexpr int kChannels = 3;
    // An alarm bit clear this long ends the episode; the next one is a new alarm.
    static constexpr int64_t kAlarmQuietMs = 2000;

    struct Figures
    {
    bool m_bLinkUp = false;
        bool m_bBrokerUp = false;
        int64_t m_nGoodFrames = 0;
        int64_t m_nBadFrames = 0;
        int64_t m_nRecords = 0;
        int64_t m_nAlarms = 0;
        int64_t m_nQueued = 0;
        int64_t m_nDropped = 0;
        bool m_bHaveLevels = false;
        std::array<double, kChannels> m_dLastDc{};
        std::array<double, kChannels> m_dLastAc{};
        std::array<bool, kChannels> m_bChannelSeen{};
    };

    explicit CMonitorService(const CMonitorConfig& config, QObject* pParent = nullptr);
    ~CMonitorService() override;
    void SetClock(std::shared_ptr<IClock> pClock);

    // Starts the link and, when configured, MQTT and the metrics; false with
    // the reason for what cannot work at all (a metrics port taken).
    bool Start(QString* pError);
    // Writes out what was recorded, marks the detector offline, keeps what
    // is still queued on disk.
    void Stop();

    // The name in topics; empty until known (the automatic port is known
    // once the detector answered).
    QString DetectorId() const { return m_strDetectorId; }
    static QString SanitisedId(const QString& strName);
    Figures CurrentFigures() const;
    CKV520Device& Device() { return *m_pDevice; }
    QString RecordingFolder() const;
    QByteArray Topic(const char* pLeaf) const;

    void OnRecords(int64_t nFirst, const DeviceRawRecord* pRecords, int nCount) override;
    void OnRecordsMissed(int64_t nMissed) override;
    void OnHistoryRestarted() override;

Q_SIGNALS:
    void linkChanged(bool bUp);

private:
    void OnTick();
    void OnInterval();
    void OnBrokerConnected();
    QString IdFromPort(const QString& strPort) const;
    bool StartMqtt(QString* pError);
    void Enqueue(const QByteArray& topic, const QByteArray& payload);
    void PublishAlarm();
    void SyncQueue();
    QByteArray DiscoveryPayload(int nChannel, bool bAc) const;

    CMonitorConfig m_Config;
    std::shared_ptr<IClock> m_pClock;
    std::unique_ptr<CKV520Device> m_pDevice;
    std::unique_ptr<CRecordFeed> m_pFeed;
    std::unique_ptr<CRealtimeRecorder> m_pRecorder;
    std::unique_ptr<CForwardQueue> m_pQueue;
    std::unique_ptr<CMqttPublisher> m_pPublisher;
    std::unique_ptr<CMetricsEndpoint> m_pMetrics;
    QTimer m_Tick;
    QTimer m_Interval;
    QString m_strDetectorId;
    bool m_bStarted = false;
    bool m_bLinkUp = false;
    bool m_bAlarm = false;
    int64_t m_nAlarmClearSinceMs = -1;
    int64_t m_nRecorderFailedAtMs = -1;
    int64_t m_nRecords = 0;
    int64_t m_nAlarms = 0;
    int64_t m_nReportedDrops = 0;
    bool m_bHaveNewest = false;
    DeviceRawRecord m_Newest{};
    // The interval under way: the highest of each channel, in half-dB steps.
    int m_nIntervalRecords = 0;
    std::array<int, kChannels> m_nMaxDc{};
    std::array<int, kChannels> m_nMaxAc{};
    std::array<bool, kChannels> m_bSeen{};
    Figures m_Last;
};
