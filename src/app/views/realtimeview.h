#pragma once

#include "devicerawrecord.h"
#include "diagramtype.h"
#include "irecordsink.h"

#include <QObject>

#include <cstdint>
#include <deque>

class CDeviceRecord;
class COscilloscopeWindow;
class CQDiagramWidget;
class IDevice;
class QMainWindow;
class QPushButton;

// The realtime pane: the feed's records drawn into the realtime diagram, the
// signals set up for the detector's mode, the option buttons beside it and
// the oscilloscope window that follows the newest record.
class CRealtimeView : public QObject, public IRecordSink
{
    Q_OBJECT
public:
    // The option buttons: Difference, Autoscroll, Oscilloscope.
    CRealtimeView(QMainWindow* pWindow, CQDiagramWidget* pDiagram, QPushButton* pDifferenceButton,
                  QPushButton* pAutoScrollButton, QPushButton* pOscilloscopeButton, QObject* pParent = nullptr);
    ~CRealtimeView() override;

    // Kept until the poll step of a connected detector in a known mode draws them.
    void OnRecords(int64_t nFirst, const DeviceRawRecord* pRecords, int nCount) override;
    void OnHistoryRestarted() override;

    // One poll step while the detector is connected: sets the signals up for
    // nMode and draws every record handed on since the last step. True when
    // the diagram changed.
    bool Tick(IDevice* pDevice, int32_t nMode);
    // As after a restart, and the diagram starts afresh (another port).
    void Restart();
    // Empties the diagram.
    void Clear();

    static void SetupSignals(CQDiagramWidget* pDiagram, int32_t nMode, bool bThresholds);
    // Adds one record; the oscilloscope window, when open, gets the detector's trace.
    void AddRecordToDiagram(CQDiagramWidget* pDiagram, const CDeviceRecord& record, bool bThresholds);

    COscilloscopeWindow* OscilloscopeWindow() const { return m_pOscWindow; }
    // Opens the oscilloscope window, or closes it when open.
    void ToggleOscilloscope();
    void CloseOscilloscope();
    bool IsDifference() const { return m_bDifference; }
    void OnDifferenceButton(bool bChecked);
    void OnAutoScrollButton(bool bChecked);
    void OnDiagramTypeChanged(DiagramType eType);
    void OnAutoScrollToggle(bool bEnabled);
    // After a change of language: the form's placeholders are put back.
    void Retranslate();

private:
    void OnOscWindowClosed();

    QMainWindow* m_pWindow;
    CQDiagramWidget* m_pDiagram;
    QPushButton* m_pDifferenceButton;
    QPushButton* m_pAutoScrollButton;
    QPushButton* m_pOscilloscopeButton;
    COscilloscopeWindow* m_pOscWindow = nullptr;
    // Handed on and not yet drawn; no more than the detector's ring holds.
    std::deque<DeviceRawRecord> m_Pending;
    // Nothing drawn since the history (re)started: the mode's signals are set up even without records.
    bool m_bFresh = true;
    int32_t m_nModeOnChange = -1;
    int32_t m_nModeOnData = -1;
    bool m_bDifference = false;
    // Time of the newest sample drawn, to notice the detector's clock going back.
    int64_t m_nLastSampleTime = 0;
};
