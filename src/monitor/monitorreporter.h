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
class IClock;

// What is published about one detector, by the service and by the window
// alike: the levels of each interval, alarms, the retained link state and
// Home Assistant discovery over MQTT (through the forward queue), and the
// figures at /metrics. It is one more sink of the owner's record feed and
// never touches the serial port; the owner tells it the link's state and the
// alarm indicator at each of its polls.
class CMonitorReporter : public QObject, public IRecordSink
{
    Q_OBJECT

public:
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

    // pDevice gives the frame counts of the figures; null leaves them 0.
    CMonitorReporter(const CMonitorConfig& config, CKV520Device* pDevice, QObject* pParent = nullptr);
    ~CMonitorReporter() override;
    void SetClock(std::shared_ptr<IClock> pClock);

    // The metrics endpoint when configured; false with the reason (a port taken).
    bool Start(QString* pError);
    // Publishing under this detector's name, when configured; false with the
    // reason for settings that cannot work (an unreadable password file).
    bool StartMqtt(const QString& strDetectorId, QString* pError);
    // Marks the detector offline and closes every socket; what the broker
    // has not confirmed stays queued on disk.
    void Stop();
    // At each poll of the owner, after its feed handed on the new records.
    void Tick(bool bLinkUp, bool bAlarm);

    QString DetectorId() const { return m_strDetectorId; }
    bool IsPublishing() const { return m_pPublisher != nullptr; }
    bool IsBrokerConnected() const;
    QByteArray Topic(const char* pLeaf) const;
    Figures CurrentFigures() const;

    void OnRecords(int64_t nFirst, const DeviceRawRecord* pRecords, int nCount) override;
    void OnRecordsMissed(int64_t nMissed) override;
    void OnHistoryRestarted() override;

Q_SIGNALS:
    void brokerChanged(bool bConnected);

private:
    void OnInterval();
    void OnBrokerConnected();
    void Enqueue(const QByteArray& topic, const QByteArray& payload);
    void PublishAlarm();
    void SyncQueue();
    QByteArray DiscoveryPayload(int nChannel, bool bAc) const;

    CMonitorConfig m_Config;
    CKV520Device* m_pDevice;
    std::shared_ptr<IClock> m_pClock;
    std::unique_ptr<CForwardQueue> m_pQueue;
    std::unique_ptr<CMqttPublisher> m_pPublisher;
    std::unique_ptr<CMetricsEndpoint> m_pMetrics;
    QTimer m_Interval;
    QString m_strDetectorId;
    bool m_bLinkUp = false;
    bool m_bAlarm = false;
    int64_t m_nAlarmClearSinceMs = -1;
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
