#include "clockcheck.h"

#include "idevice.h"
#include "kv520menupositions.h"
#include "kv520protocol.h"

#include <QDateTime>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

#include <utility>

namespace {
// A detector clock this far from the PC's is worth telling the user about.
constexpr int64_t kClockToleranceSecs = 60;
} // namespace

CClockCheck::CClockCheck(QStatusBar* pBar, std::function<void()> pollFeed, QObject* pParent)
    : QObject(pParent), m_pBar(pBar), m_PollFeed(std::move(pollFeed)), m_Message(pBar)
{
    // Offered beside the message about a detector clock that is off.
    m_pSetClockButton = new QPushButton(tr("Set Detector Clock"));
    m_pSetClockButton->hide();
    m_pBar->addPermanentWidget(m_pSetClockButton, 0);
    connect(m_pSetClockButton, &QPushButton::clicked, this, &CClockCheck::OnSetClockButton);
}

void CClockCheck::OnRecords(int64_t nFirst, const DeviceRawRecord* pRecords, int nCount)
{
    if (nCount <= 0)
        return;
    m_Newest = pRecords[nCount - 1];
    m_nTotal = nFirst + nCount;
}

void CClockCheck::OnHistoryRestarted()
{
    m_nTotal = 0;
}

int64_t CClockCheck::NewestDifference(IDevice* pDevice) const
{
    return pDevice->RecordFromRaw(m_Newest).m_nTime - QDateTime::currentSecsSinceEpoch();
}

void CClockCheck::Tick(IDevice* pDevice, bool bNewRecords)
{
    if (m_bSetting) {
        CheckAfterSetting(pDevice);
    } else if (!m_bChecked && m_nTotal > 0) {
        m_bChecked = true;
        ShowClockMessage(ClockDifferenceText(NewestDifference(pDevice)));
    } else if (!m_Message.IsEmpty() && bNewRecords && m_nTotal > 0) {
        // Set some other way (the device menu): nothing left to offer.
        if (ClockDifferenceText(NewestDifference(pDevice)).isEmpty())
            ShowClockMessage(QString());
    }
}

void CClockCheck::Reset()
{
    m_bChecked = false;
    m_bSetting = false;
    m_pSetClockButton->hide();
    m_Message.Clear();
}

QString CClockCheck::ClockDifferenceText(int64_t nDetectorMinusPc)
{
    const int64_t a = nDetectorMinusPc < 0 ? -nDetectorMinusPc : nDetectorMinusPc;
    if (a <= kClockToleranceSecs)
        return QString();
    const int64_t nDays = a / 86400;
    const int nHours = int(a % 86400 / 3600);
    const int nMinutes = int(a % 3600 / 60);
    QString strSpan;
    if (nDays > 0)
        strSpan = tr("%1 d %2 h").arg(nDays).arg(nHours);
    else if (nHours > 0)
        strSpan = tr("%1 h %2 min").arg(nHours).arg(nMinutes);
    else
        strSpan = tr("%1 min").arg(nMinutes);
    return nDetectorMinusPc < 0 ? tr("The detector's clock is %1 behind the PC's").arg(strSpan)
                                : tr("The detector's clock is %1 ahead of the PC's").arg(strSpan);
}

void CClockCheck::ShowClockMessage(const QString& strText)
{
    if (strText.isEmpty()) {
        m_pSetClockButton->hide();
        m_Message.Clear();
        return;
    }
    m_Message.Show(strText);
    m_pSetClockButton->setEnabled(true);
    m_pSetClockButton->show();
}

void CClockCheck::OnMessageChanged(const QString& strMessage)
{
    if (m_Message.IsEmpty())
        return;
    // The button belongs beside its message: another message hides both for
    // a while, and the clock's comes back when that one has gone.
    if (strMessage.isEmpty())
        QTimer::singleShot(0, this, [this] {
            if (!m_Message.IsEmpty() && m_pBar->currentMessage().isEmpty())
                ShowClockMessage(m_Message.Text());
        });
    else
        m_pSetClockButton->setVisible(strMessage == m_Message.Text());
}

void CClockCheck::OnSetClockButton()
{
    if (!g_pDevice->IsConnected())
        return;
    // Exactly the device menu's "Sync with PC" and OK: the worker fills the
    // clock block from the PC's clock as the write goes out.
    g_pDevice->SetMenuByte(KV520Menu::kSyncPc, 1);
    g_pDevice->SetCommand(KV520::kCmdWriteMenu);
    // Whatever was stored before the click is counted before it.
    m_PollFeed();
    m_nSetTotal = m_nTotal;
    m_bSetting = true;
    m_pSetClockButton->setEnabled(false);
    m_Message.Show(tr("Setting the detector's clock..."));
}

void CClockCheck::CheckAfterSetting(IDevice* pDevice)
{
    // The frame the write answers is not stored, and one stored meanwhile may
    // still carry the old time: the second record after the click tells.
    if (m_nTotal < m_nSetTotal + 2)
        return;
    m_bSetting = false;
    const QString strLeft = ClockDifferenceText(NewestDifference(pDevice));
    if (strLeft.isEmpty()) {
        ShowClockMessage(QString());
        CStatusMessage::Show(m_pBar, tr("The detector's clock is set to the PC's"), 10000);
    } else {
        ShowClockMessage(tr("The detector did not take the PC's time. %1").arg(strLeft));
    }
}
