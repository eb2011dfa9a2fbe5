#include "alarmnotifier.h"

#include "appidentity.h"

#include "idevice.h"
#include "kv520devicepaint.h"
#include "kv520menupositions.h"

#include <QCoreApplication>

#include <chrono>

CAlarmNotifier::CAlarmNotifier(std::unique_ptr<IAlarmOutput> pOutput, QObject* pParent)
    : QObject(pParent), m_pOutput(std::move(pOutput)), m_Clock([] {
        using namespace std::chrono;
        return int64_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    })
{
}

CAlarmNotifier::~CAlarmNotifier() = default;

void CAlarmNotifier::SetOutput(std::unique_ptr<IAlarmOutput> pOutput)
{
    m_pOutput = std::move(pOutput);
    m_nTrayState = -1;
}

void CAlarmNotifier::OnRecords(int64_t, const DeviceRawRecord* pRecords, int nCount)
{
    if (nCount <= 0)
        return;
    m_Newest = pRecords[nCount - 1];
    m_bHasNewest = true;
}

void CAlarmNotifier::OnHistoryRestarted()
{
    m_bHasNewest = false;
}

void CAlarmNotifier::SetTray(IAlarmOutput::TrayState eState)
{
    // Only on a change: the tray would otherwise be refreshed forty times a second.
    if (m_nTrayState == int(eState))
        return;
    m_nTrayState = int(eState);
    m_pOutput->SetTrayState(eState);
}

void CAlarmNotifier::Poll(IDevice* pDevice)
{
    if (!m_pOutput)
        return;
    if (!pDevice || !pDevice->IsConnected()) {
        // A link lost during an alarm ends the episode: the next alarm after
        // reconnecting is news again.
        m_bLastAlarmBit = false;
        m_bEpisode = false;
        m_bBalloonShown = false;
        m_nFlashBeeps = 0;
        m_nGroupCount = 0;
        return;
    }
    const CDeviceLiveState live = pDevice->GetLiveState();
    const bool bAlarmBit = live.m_nAlarm != 0;
    // The flash starts on every new alarm, and on the change byte where a
    // detector sets it, as on the panel.
    if ((bAlarmBit && !m_bLastAlarmBit) || (live.m_nChangeByte != 0 && live.m_nChangeByte != 100)) {
        m_nFlashBeeps = kFlashBeeps;
        m_nPollPhase = 0;
    }
    m_bLastAlarmBit = bAlarmBit;

    if (m_nFlashBeeps > 0) {
        if (m_nPollPhase == 0) {
            if (pDevice->GetMenuByte(KV520Menu::kDisplay))
                m_pOutput->Beep();
            --m_nFlashBeeps;
        }
        m_nPollPhase = (m_nPollPhase + 1) % kPollsPerBeep;
    }

    m_bEpisode = bAlarmBit || m_nFlashBeeps > 0;
    if (m_bEpisode) {
        SetTray(IAlarmOutput::TrayState::Alarm);
        const int64_t nNow = m_Clock();
        if (!m_bBalloonShown) {
            m_bBalloonShown = true;
            // A signal that comes and goes would otherwise raise a notification every few seconds.
            const bool bGrouped = m_nGroupCount > 0 && nNow - m_nLastAlarmMs <= kGroupMs;
            m_nGroupCount = bGrouped ? m_nGroupCount + 1 : 1;
            QString strText = CKV520DevicePaint::AlarmBalloonText(
                m_bHasNewest ? pDevice->RecordFromRaw(m_Newest) : CDeviceRecord());
            if (bGrouped)
                strText += QLatin1Char('\n') + tr("Alarms in a row: %1").arg(m_nGroupCount);
            m_pOutput->ShowBalloon(CAppIdentity::Name(), strText, bGrouped);
        }
        m_nLastAlarmMs = nNow;
        return;
    }
    m_bBalloonShown = false;
    // In search mode the user is at the detector; the tray has nothing to watch.
    SetTray((live.m_nModeFlags & 0x01) ? IAlarmOutput::TrayState::Hidden : IAlarmOutput::TrayState::Monitor);
}
