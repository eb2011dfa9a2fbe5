#include "monitoringcontroller.h"

#include "idevice.h"
#include "monitorconfig.h"
#include "monitorreporter.h"
#include "monitorservice.h"
#include "recordfeed.h"

#include <QLabel>
#include <QSettings>
#include <QStatusBar>

CMonitoringController::CMonitoringController(CRecordFeed* pFeed, CKV520Device* pDevice, QStatusBar* pBar,
                                             QObject* pParent)
    : QObject(pParent)
    , m_pFeed(pFeed)
    , m_pDevice(pDevice)
    , m_pBrokerLabel(new QLabel)
{
    m_pBrokerLabel->setObjectName(QStringLiteral("m_pBrokerLabel"));
    m_pBrokerLabel->hide();
    pBar->addPermanentWidget(m_pBrokerLabel);
}

CMonitoringController::~CMonitoringController()
{
    Stop();
}

bool CMonitoringController::Restore(QString* pError)
{
    const QSettings settings;
    if (!settings.value(QLatin1String(kEnabledKey), false).toBool())
        return true;
    return Apply(true, settings.value(QLatin1String(kConfigKey)).toString(), pError);
}

bool CMonitoringController::Apply(bool bOn, const QString& strConfigFile, QString* pError)
{
    if (bOn && IsOn() && strConfigFile == m_strConfigFile)
        return true;
    if (!bOn) {
        Stop();
    } else {
        CMonitorConfig config;
        if (strConfigFile.isEmpty()) {
            *pError = tr("Choose the monitoring configuration file.");
            return false;
        }
        if (!config.LoadFile(strConfigFile, pError) || !config.Check(pError))
            return false;
        QString strPassword;
        if (!config.ReadPassword(&strPassword, pError))
            return false;
        if (!config.PublishesMqtt() && config.m_nMetricsPort == 0) {
            *pError = tr("%1 names no broker (mqtt-host) and no metrics port (metrics-port).").arg(strConfigFile);
            return false;
        }
        // The new configuration is tried before the old one goes.
        auto pReporter = std::make_unique<CMonitorReporter>(config, m_pDevice);
        if (!pReporter->Start(pError))
            return false;
        Stop();
        m_pReporter = std::move(pReporter);
        m_strConfiguredId = config.m_strDetectorId;
        m_strConfigFile = strConfigFile;
        m_bPublishes = config.PublishesMqtt();
        m_bMqttPending = m_bPublishes;
        m_pBrokerLabel->setToolTip(QString());
        connect(m_pReporter.get(), &CMonitorReporter::brokerChanged, this, &CMonitoringController::UpdateLabel);
        m_pFeed->Subscribe(m_pReporter.get());
    }
    QSettings settings;
    settings.setValue(QLatin1String(kEnabledKey), bOn);
    settings.setValue(QLatin1String(kConfigKey), strConfigFile);
    UpdateLabel();
    return true;
}

void CMonitoringController::Stop()
{
    if (!m_pReporter)
        return;
    m_pFeed->Unsubscribe(m_pReporter.get());
    m_pReporter->Stop();
    m_pReporter.reset();
    UpdateLabel();
}

void CMonitoringController::Tick(IDevice* pDevice, bool bConnected)
{
    if (!m_pReporter)
        return;
    // The detector's name in the topics is known once it answers.
    if (bConnected && m_bMqttPending) {
        m_bMqttPending = false;
        QString strId = m_strConfiguredId;
        if (strId.isEmpty())
            strId = CMonitorService::SanitisedId(pDevice->GetUsbSerial().isEmpty() ? pDevice->GetPortName()
                                                                                  : pDevice->GetUsbSerial());
        QString strError;
        // Not tried again at every poll: the label tells why, and switching
        // on again tries again.
        if (!m_pReporter->StartMqtt(strId, &strError))
            m_pBrokerLabel->setToolTip(strError);
    }
    m_pReporter->Tick(bConnected, bConnected && pDevice->GetLiveState().m_nAlarm != 0);
}

bool CMonitoringController::IsBrokerConnected() const
{
    return m_pReporter && m_pReporter->IsBrokerConnected();
}

void CMonitoringController::Retranslate()
{
    UpdateLabel();
}

void CMonitoringController::UpdateLabel()
{
    if (!m_pBrokerLabel)
        return;
    const bool bShown = m_pReporter && m_bPublishes;
    if (bShown)
        m_pBrokerLabel->setText(IsBrokerConnected() ? tr("Broker: connected") : tr("Broker: disconnected"));
    m_pBrokerLabel->setVisible(bShown);
}
