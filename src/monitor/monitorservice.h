#pragma once

#include "monitorconfig.h"
#include "monitorreporter.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

#include <atomic>
#include <cstdint>
#include <memory>

class CKV520Device;
class CRealtimeRecorder;
class CRecordFeed;
class IClock;

// The unattended service: keeps the link to one detector up, records every
// record into the storage folder, and, when configured, publishes its state,
// levels and alarms to an MQTT broker and its figures at /metrics.
class CMonitorService : public QObject
{
    Q_OBJECT

public:
    static constexpr int kPollMs = 50;
    // A recording that failed (disk full) is tried again after this long.
    static constexpr int kRecorderRetryMs = 60000;
    static constexpr int kChannels = CMonitorReporter::kChannels;
    static constexpr int64_t kAlarmQuietMs = CMonitorReporter::kAlarmQuietMs;
    using Figures = CMonitorReporter::Figures;

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
    Figures CurrentFigures() const { return m_pReporter->CurrentFigures(); }
    CKV520Device& Device() { return *m_pDevice; }
    QString RecordingFolder() const;
    QByteArray Topic(const char* pLeaf) const { return m_pReporter->Topic(pLeaf); }
    // The name a port's detector goes by: its USB serial number where known.
    static QString IdFromPort(const QString& strPort);

Q_SIGNALS:
    void linkChanged(bool bUp);

private:
    void OnTick();
    // Called by name from the link's thread when an alarm begins: a queued
    // call carries no functor object shared between the two threads.
    Q_INVOKABLE void OnAlarmBegan();

    CMonitorConfig m_Config;
    std::shared_ptr<IClock> m_pClock;
    std::unique_ptr<CKV520Device> m_pDevice;
    std::unique_ptr<CRecordFeed> m_pFeed;
    std::unique_ptr<CRealtimeRecorder> m_pRecorder;
    std::unique_ptr<CMonitorReporter> m_pReporter;
    QTimer m_Tick;
    QString m_strDetectorId;
    bool m_bStarted = false;
    bool m_bLinkUp = false;
    int64_t m_nRecorderFailedAtMs = -1;
};
