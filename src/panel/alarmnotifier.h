#pragma once

#include "devicerawrecord.h"
#include "ialarmoutput.h"
#include "irecordsink.h"

#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>

class IDevice;

// The alarm beyond the panel's display: the beep, the tray icon and its
// tooltip, and the balloon once per alarm episode. Driven by the main window's
// poll from the live state, so an alarm is raised while the window is hidden
// or minimized and nothing paints; the balloon tells the newest record the
// record feed handed on.
class CAlarmNotifier : public QObject, public IRecordSink
{
    Q_OBJECT
public:
    // Beeps of the flash that starts with an alarm, one per panel repaint step.
    static constexpr int kFlashBeeps = 7;
    // Polls between two beeps of the flash: the panel's repaint rate.
    static constexpr int kPollsPerBeep = 5;

    // Alarms this close after the last one are counted in its notification
    // instead of raising another.
    static constexpr int64_t kGroupMs = 30000;
    // Milliseconds from any fixed start.
    using Clock = std::function<int64_t()>;

    explicit CAlarmNotifier(std::unique_ptr<IAlarmOutput> pOutput, QObject* pParent = nullptr);
    void SetClock(Clock clock) { m_Clock = std::move(clock); }
    ~CAlarmNotifier() override;

    // One poll: reads the live state and raises or ends the alarm.
    void Poll(IDevice* pDevice);

    void OnRecords(int64_t nFirst, const DeviceRawRecord* pRecords, int nCount) override;
    void OnHistoryRestarted() override;

    bool IsAlarmEpisode() const { return m_bEpisode; }
    IAlarmOutput* Output() const { return m_pOutput.get(); }
    // Another output, for instance where the alarms are to be collected.
    void SetOutput(std::unique_ptr<IAlarmOutput> pOutput);

private:
    void SetTray(IAlarmOutput::TrayState eState);

    std::unique_ptr<IAlarmOutput> m_pOutput;
    bool m_bLastAlarmBit = false;
    bool m_bEpisode = false;
    bool m_bBalloonShown = false;
    int m_nFlashBeeps = 0;
    int m_nPollPhase = 0;
    int m_nTrayState = -1;
    Clock m_Clock;
    // Episodes in the notification shown last, and when the last one was on.
    int m_nGroupCount = 0;
    int64_t m_nLastAlarmMs = 0;
    // The newest record handed on, for the balloon's text.
    DeviceRawRecord m_Newest{};
    bool m_bHasNewest = false;
};
