#pragma once

#include "devicerawrecord.h"
#include "irecordsink.h"
#include "statusmessage.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>

class IDevice;
class QPushButton;
class QStatusBar;

// Compares the detector's clock with the PC's once per connection and offers
// the button that sets it, beside its message. The newest record handed on by
// the feed tells the detector's time.
class CClockCheck : public QObject, public IRecordSink
{
    Q_OBJECT
public:
    // pollFeed hands on what is stored before a click is counted, so the
    // records that tell how the setting went are the ones stored after it.
    CClockCheck(QStatusBar* pBar, std::function<void()> pollFeed, QObject* pParent = nullptr);

    void OnRecords(int64_t nFirst, const DeviceRawRecord* pRecords, int nCount) override;
    void OnHistoryRestarted() override;

    // One poll step while the detector is connected; bNewRecords: the feed handed some on this step.
    void Tick(IDevice* pDevice, bool bNewRecords);
    // The link went down: the next connection may be another detector with another clock.
    void Reset();
    // The status bar's message changed.
    void OnMessageChanged(const QString& strMessage);
    void OnSetClockButton();

    QPushButton* SetClockButton() const { return m_pSetClockButton; }
    // How far the detector's clock is from the PC's, for the status bar;
    // empty within a minute.
    static QString ClockDifferenceText(int64_t nDetectorMinusPc);

private:
    int64_t NewestDifference(IDevice* pDevice) const;
    // The message about the detector's clock, with its button; empty takes both down.
    void ShowClockMessage(const QString& strText);
    void CheckAfterSetting(IDevice* pDevice);

    QStatusBar* m_pBar;
    std::function<void()> m_PollFeed;
    QPushButton* m_pSetClockButton;
    CStatusMessage m_Message;
    DeviceRawRecord m_Newest{};
    // Records stored by the device (its never-wrapping count) that were handed on.
    int64_t m_nTotal = 0;
    bool m_bChecked = false;
    // The clock was sent at this record count; the next records tell how it went.
    bool m_bSetting = false;
    int64_t m_nSetTotal = 0;
};
