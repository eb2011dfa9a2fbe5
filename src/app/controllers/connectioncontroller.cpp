#include "connectioncontroller.h"

#include "kv520device.h"
#include "linkstatusfield.h"
#include "portchooserdialog.h"
#include "qtserialportenumerator.h"
#ifdef KV521_HAVE_SIMULATOR
#include "kv521simulator.h"
#endif

#include <QDialog>
#include <QLabel>
#include <QMouseEvent>
#include <QSettings>
#include <QStatusBar>
#include <QThread>
#include <QTimer>

#include <exception>
#include <utility>

namespace {

QString& DevicePort()
{
    static QString strPort;
    return strPort;
}

bool& Simulated()
{
    static bool bSimulated = false;
    return bSimulated;
}

std::shared_ptr<ISerialPortEnumerator>& Enumerator()
{
    static std::shared_ptr<ISerialPortEnumerator> pEnumerator = std::make_shared<CQtSerialPortEnumerator>();
    return pEnumerator;
}

// The simulator flag or a port from the command line holds for this run only;
// otherwise the choice made in the chooser last time.
CPortChoice StartChoice()
{
    if (Simulated())
        return CPortChoice::Simulated();
    if (!DevicePort().isEmpty())
        return CPortChoice::Named(DevicePort());
    return CPortChoice::Load(QSettings());
}

} // namespace

void CConnectionController::SetDevicePort(const QString& strPort)
{
    DevicePort() = strPort;
}

void CConnectionController::SetSimulated(bool bSimulated)
{
    Simulated() = bSimulated;
}

void CConnectionController::SetPortEnumerator(std::shared_ptr<ISerialPortEnumerator> pEnumerator)
{
    Enumerator() = pEnumerator ? std::move(pEnumerator) : std::make_shared<CQtSerialPortEnumerator>();
}

CConnectionController::CConnectionController(CKV520Device* pDevice, QStatusBar* pBar, QLabel* pReadyLabel,
                                             QWidget* pDialogParent, QObject* pParent)
    : QObject(pParent)
    , m_pDevice(pDevice)
    , m_pBar(pBar)
    , m_pReadyLabel(pReadyLabel)
    , m_pDialogParent(pDialogParent)
    , m_LinkMessage(pBar)
{
    m_pDevice->SetPortEnumerator(Enumerator());
    // Permanent, so that no status message ever hides the state of the link.
    m_pLinkField = new CLinkStatusField;
    m_pLinkField->StateLabel()->setText(tr("Offline"));
    m_pBar->addPermanentWidget(m_pLinkField, 0);
    connect(m_pLinkField, &CLinkStatusField::clicked, this, &CConnectionController::portChoiceWanted);
    // A long link message does not fit the bar: its whole text is the bar's tooltip.
    m_pBar->installEventFilter(this);
    connect(m_pBar, &QStatusBar::messageChanged, this, [this](const QString& strMessage) {
        m_pBar->setToolTip(!strMessage.isEmpty() && strMessage == m_LinkMessage.Text() ? strMessage : QString());
    });
}

CConnectionController::~CConnectionController() = default;

QLabel* CConnectionController::LinkLabel() const
{
    return m_pLinkField->StateLabel();
}

void CConnectionController::Start()
{
    ApplyPortChoice(StartChoice());
    try {
        m_pDevice->Start();
    } catch (const std::exception& e) {
        LinkLabel()->setText(tr("Offline"));
        CStatusMessage::Show(m_pBar, tr("Failed to connect: ") + QString::fromUtf8(e.what()));
    }
}

void CConnectionController::Stop()
{
    m_pDevice->Stop();
}

void CConnectionController::UpdateLinkPort()
{
    m_pLinkField->SetPortName(m_PortChoice.GetKind() == CPortChoice::Kind::Simulated ? tr("simulated detector")
                                                                                     : g_pDevice->GetPortName());
}

bool CConnectionController::ApplyPortChoice(const CPortChoice& choice)
{
    m_PortChoice = choice;
    CPortChoice link = choice;
    if (choice.GetKind() == CPortChoice::Kind::Simulated) {
#ifdef KV521_HAVE_SIMULATOR
        if (!m_pSimulator) {
            QString strError;
            m_pSimulator = CKV521Simulator::StartForUsers(&strError);
            if (!m_pSimulator) {
                m_LinkMessage.Show(tr("Cannot start the simulated detector: %1").arg(strError));
                m_pDevice->SetPortChoice(CPortChoice::Automatic());
                return false;
            }
        }
        link = CPortChoice::Named(m_pSimulator->SlavePath());
#else
        m_LinkMessage.Show(tr("Cannot start the simulated detector: %1").arg(tr("not available on this system")));
        m_pDevice->SetPortChoice(CPortChoice::Automatic());
        return false;
#endif
    } else if (m_pSimulator) {
        // The link is stopped: nobody reads from the simulator any more.
        m_pSimulator->Stop();
        m_pSimulator.reset();
    }
    m_pDevice->SetPortChoice(link);
    return true;
}

bool CConnectionController::Reconnect(const CPortChoice& choice)
{
    const bool bOk = ApplyPortChoice(choice);
    m_strShownLinkError.clear();
    if (bOk)
        m_LinkMessage.Clear();
    LinkLabel()->setText(tr("Offline"));
    // Left on purpose: not a detector that stopped answering.
    m_nLinkState = -1;
    try {
        m_pDevice->Start();
    } catch (const std::exception& e) {
        m_LinkMessage.Show(tr("Failed to connect: ") + QString::fromUtf8(e.what()));
        return false;
    }
    UpdateLinkPort();
    return bOk;
}

std::optional<CPortChoice> CConnectionController::ChoosePort()
{
#ifdef KV521_HAVE_SIMULATOR
    const bool bSimulator = true;
#else
    const bool bSimulator = false;
#endif
    CPortChooserDialog dialog(Enumerator(), m_PortChoice, bSimulator, m_pDialogParent,
                              g_pDevice->IsConnected() ? g_pDevice->GetPortName() : QString());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const CPortChoice choice = dialog.Choice();
    // The same link again: restarting it would only throw the trace away.
    if (choice.GetKind() == m_PortChoice.GetKind() && choice.Port() == m_PortChoice.Port())
        return std::nullopt;
    return choice;
}

void CConnectionController::ShowLinkProblem()
{
    bool bPermission = false;
    const QString strError = g_pDevice->GetLinkError(&bPermission);
    QString strText;
    if (!strError.isEmpty()) {
        strText = tr("Cannot open the detector's port: %1").arg(strError);
#ifdef Q_OS_LINUX
        if (bPermission)
            strText += tr(" (add your user to the \"dialout\" group and log in again, or install the program's udev "
                          "rule and plug the detector in again)");
#else
        Q_UNUSED(bPermission)
#endif
    } else if (g_pDevice->NeedsPortChoice()) {
        strText = tr("No detector found \u2014 choose its port");
    }
    if (strText == m_strShownLinkError)
        return;
    m_strShownLinkError = strText;
    // A problem that went away (the port opened) takes its message with it.
    if (strText.isEmpty())
        m_LinkMessage.Clear();
    else
        m_LinkMessage.Show(strText);
}

void CConnectionController::ShowNoDataCause(int nCauses)
{
    // Once per kind of trouble, not at every tick.
    if ((nCauses & ~m_nShownNoDataCauses) == 0)
        return;
    m_nShownNoDataCauses |= nCauses;
    QStringList causes;
    if (nCauses & IDevice::NoDataBadChecksum)
        causes << tr("frames with bad checksums");
    if (nCauses & IDevice::NoDataShortFrame)
        causes << tr("short frames");
    m_LinkMessage.Show(tr("No usable data from the port: %1.").arg(causes.join(QStringLiteral(", "))));
}

bool CConnectionController::Tick(LinkState* pState)
{
    UpdateLinkPort();
    LinkState eState = LinkState::Offline;
    if (g_pDevice->IsConnected()) {
        eState = LinkState::Online;
        LinkLabel()->setText(tr("Online"));
        m_nShownNoDataCauses = 0;
        m_strShownLinkError.clear();
        m_LinkMessage.Clear();
    } else if (g_pDevice->HasFailed()) {
        eState = LinkState::Failed;
        LinkLabel()->setText(tr("Error"));
        m_pReadyLabel->setText(QString());
        m_LinkMessage.Show(tr("Device data exchange error occurred! Trying to restart exchange process..."));
        QThread::msleep(100);
        g_pDevice->Start();
    } else if (const int nCauses = g_pDevice->GetNoDataCauses()) {
        eState = LinkState::NoData;
        LinkLabel()->setText(tr("No data"));
        ShowNoDataCause(nCauses);
    } else {
        LinkLabel()->setText(tr("Offline"));
        ShowLinkProblem();
        // A link that was up and went quiet, with no other cause to tell.
        if (m_nLinkState == int(LinkState::Online) && m_LinkMessage.IsEmpty())
            m_LinkMessage.Show(tr("The detector is not responding"));
    }
    *pState = eState;
    if (int(eState) == m_nLinkState)
        return false;
    m_nLinkState = int(eState);
    return true;
}

bool CConnectionController::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    // "No detector found — choose its port": the message itself leads to the
    // chooser. On the press: the bar does not take presses, so the release
    // would go elsewhere.
    if (pWatched == m_pBar && pEvent->type() == QEvent::MouseButtonPress
        && static_cast<QMouseEvent*>(pEvent)->button() == Qt::LeftButton && m_LinkMessage.IsShown()
        && g_pDevice->NeedsPortChoice()) {
        QTimer::singleShot(0, this, &CConnectionController::portChoiceWanted);
        return true;
    }
    return QObject::eventFilter(pWatched, pEvent);
}
