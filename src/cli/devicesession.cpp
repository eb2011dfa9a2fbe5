#include "devicesession.h"

#include "kv520device.h"
#include "kv520protocol.h"
#include "kv521simulator.h"

#include <QDeadlineTimer>
#include <QThread>

#include <exception>

CDeviceSession::CDeviceSession()
    : m_pDevice(std::make_unique<CKV520Device>())
{
}

CDeviceSession::~CDeviceSession()
{
    // The worker first: it must not poll a simulator that is already gone.
    m_pDevice->Stop();
    if (m_pSimulator)
        m_pSimulator->Stop();
}

bool CDeviceSession::WaitUntil(const std::function<bool()>& bDone, int nTimeoutMs)
{
    const QDeadlineTimer deadline(nTimeoutMs);
    while (!bDone()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(10);
    }
    return true;
}

bool CDeviceSession::Open(const QString& strPort, bool bSimulate, bool bNeedData, int nTimeoutMs, QString* pError)
{
    QString strUse = strPort;
    if (bSimulate) {
        QString strError;
        m_pSimulator = CKV521Simulator::StartForUsers(&strError);
        if (!m_pSimulator) {
            *pError = tr("Cannot start the simulated detector: %1").arg(strError);
            return false;
        }
        strUse = m_pSimulator->SlavePath();
    }
    m_pDevice->SetPortOverride(strUse);
    try {
        m_pDevice->Start();
    } catch (const std::exception& e) {
        *pError = tr("Cannot start the link: %1").arg(QString::fromUtf8(e.what()));
        return false;
    }
    CKV520Device& device = *m_pDevice;
    // A port that cannot be opened will not open a moment later either: say
    // so at once instead of after the whole wait.
    const bool bUp = WaitUntil(
        [&device, bNeedData] {
            return (device.IsConnected() && (!bNeedData || device.GetRecordCount() > 0))
                || !device.GetLinkError().isEmpty();
        },
        nTimeoutMs);
    if (bUp && device.GetLinkError().isEmpty())
        return true;
    const QString strReason = device.GetLinkError();
    if (!strReason.isEmpty())
        *pError = strReason;
    else if (!strUse.isEmpty())
        *pError = tr("No detector answers on %1.").arg(strUse);
    else
        *pError = tr("No detector found. Plug it in or name its port with --port.");
    return false;
}

bool CDeviceSession::RunCommand(int nCommand, int nTimeoutMs)
{
    CKV520Device& device = *m_pDevice;
    device.SetCommand(nCommand);
    return WaitUntil([&device] { return device.PendingCommand() == KV520::kNoCommand; }, nTimeoutMs);
}
