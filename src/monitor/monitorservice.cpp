#include "monitorservice.h"

#include "kv520device.h"
#include "qtserialportenumerator.h"
#include "realtimerecorder.h"
#include "recordfeed.h"
#include "systemclock.h"
#include "tracecategories.h"

#include <QDir>
#include <QRegularExpression>
#include <QStandardPaths>

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
    m_pReporter = std::make_unique<CMonitorReporter>(m_Config, m_pDevice.get());
    m_pRecorder->SetFolder(RecordingFolder());
    m_pRecorder->SetSweepContext(m_Config.m_Context);
    m_pFeed->Subscribe(m_pRecorder.get());
    m_pRecorder->SetDetectorSource([this]() -> IDevice* { return m_pDevice.get(); });
    m_pFeed->Subscribe(m_pReporter.get());
    m_Tick.setInterval(kPollMs);
    connect(&m_Tick, &QTimer::timeout, this, &CMonitorService::OnTick);
    // An alarm goes out as soon as its frame is stored, not at the next
    // poll; the link's thread only asks for a poll when the alarm begins.
    m_pDevice->SetFrameStoredHandler([this, bLastAlarm = false](bool bAlarm) mutable {
        if (bAlarm && !bLastAlarm)
            QMetaObject::invokeMethod(this, "OnAlarmBegan", Qt::QueuedConnection);
        bLastAlarm = bAlarm;
    });
}

CMonitorService::~CMonitorService()
{
    Stop();
}

void CMonitorService::SetClock(std::shared_ptr<IClock> pClock)
{
    m_pClock = pClock;
    m_pRecorder->SetClock(pClock);
    m_pReporter->SetClock(pClock);
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

QString CMonitorService::IdFromPort(const QString& strPort)
{
    const QList<SerialPortEntry> ports = CQtSerialPortEnumerator().Ports();
    for (const SerialPortEntry& entry : ports)
        if ((entry.m_strName == strPort || entry.m_strLocation == strPort || entry.OpenPath() == strPort)
            && !entry.m_strSerialNumber.isEmpty())
            return SanitisedId(entry.m_strSerialNumber);
    return SanitisedId(strPort);
}

bool CMonitorService::Start(QString* pError)
{
    m_strDetectorId = m_Config.m_strDetectorId;
    if (m_strDetectorId.isEmpty() && m_Config.m_bSimulate)
        m_strDetectorId = QStringLiteral("simulator");
    else if (m_strDetectorId.isEmpty() && !m_Config.m_strPort.isEmpty())
        m_strDetectorId = IdFromPort(m_Config.m_strPort);

    if (!m_pReporter->Start(pError))
        return false;
    m_pDevice->SetPortOverride(m_Config.m_strPort);
    try {
        m_pDevice->Start();
    } catch (const std::exception& e) {
        *pError = QString::fromUtf8(e.what());
        return false;
    }
    m_bStarted = true;
    if (!m_pReporter->StartMqtt(m_strDetectorId, pError))
        return false;
    qCInfo(lcMonitor).noquote() << QStringLiteral("Recording into %1").arg(QDir::toNativeSeparators(RecordingFolder()));
    m_Tick.start();
    return true;
}

void CMonitorService::Stop()
{
    if (!m_bStarted)
        return;
    m_bStarted = false;
    m_Tick.stop();
    // What arrived up to now is written before the end.
    m_pFeed->Poll();
    m_pRecorder->Close();
    m_pDevice->Stop();
    m_pReporter->Stop();
}

void CMonitorService::OnAlarmBegan()
{
    if (m_bStarted)
        OnTick();
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
    const bool bUp = m_pDevice->IsConnected();
    // The recording's sidecar, written with its first records, names the detector.
    if (bUp && !m_bLinkUp)
        m_pRecorder->SetDetector(m_pDevice->GetPortName(), m_pDevice->GetUsbSerial());
    m_pFeed->Poll();
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
        if (!m_pReporter->StartMqtt(m_strDetectorId, &strError))
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
    m_pReporter->Tick(bUp, bUp && m_pDevice->GetLiveState().m_nAlarm != 0);
}
