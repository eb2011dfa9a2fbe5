#pragma once

#include "diagramtype.h"
#include "portchoice.h"

#include <QMainWindow>
#include <QPoint>
#include <QString>
#include <QTimer>

#include <memory>

namespace Ui {
class CMainWindowClass;
}

class QLabel;
class CKV520Device;
class CKV521Simulator;
class CLinkStatusField;
class ISerialPortEnumerator;
class QPushButton;
class QTreeWidgetItem;
class CAlarmNotifier;
class CRealtimeRecorder;
class CDeviceRecord;
class CQDiagramWidget;
class CManualWindow;
class COscilloscopeWindow;
class CStorageBrowser;
class CLogView;
class CReportExporter;

// The program's one window: storage browser, front panel, log pane and the
// realtime pane, driven by a 25 ms poll of the device object.
class CKV521MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit CKV521MainWindow(QWidget* pParent = nullptr, Qt::WindowFlags flags = {});
    ~CKV521MainWindow() override;

    // Set before the window is built: the port the device object opens instead
    // of searching for the detector (command line, simulator).
    static void SetDevicePort(const QString& strPort);
    // Set before the window is built: start with the simulated detector for
    // this run (--simulate), whatever port is set above.
    static void SetSimulated(bool bSimulated);
    // Set before the window is built: where the port list comes from (tests give their own).
    static void SetPortEnumerator(std::shared_ptr<ISerialPortEnumerator> pEnumerator);

    // Stops the link, connects as chosen and starts it again, as a restart
    // does; the realtime diagram starts afresh. False (with a status message)
    // when the simulator cannot be started.
    bool SwitchPort(const CPortChoice& choice);
    CPortChoice PortChoice() const { return m_PortChoice; }
    CLinkStatusField* LinkField() const { return m_pLinkField; }

    static void SetupSignals(CQDiagramWidget* pDiagram, int32_t nMode, bool bThresholds);
    void AddRecordToDiagram(int32_t nUnused, CQDiagramWidget* pDiagram, const CDeviceRecord& record,
                            bool bThresholds);

    Ui::CMainWindowClass* Form() const { return m_pUi.get(); }
    QLabel* ReadyLabel() const { return m_pReadyLabel; }
    QLabel* LinkLabel() const { return m_pLinkLabel; }
    QLabel* StateLabel() const { return m_pStateLabel; }
    COscilloscopeWindow* OscilloscopeWindow() const { return m_pOscWindow; }
    CManualWindow* ManualWindow() const { return m_pManualWindow; }
    QString StorageFolder() const;
    QString DefaultStorage() const { return m_strDefaultStorage; }
    bool IsDifference() const { return m_bDifference; }
    CAlarmNotifier* AlarmNotifier() const { return m_pAlarms; }
    CRealtimeRecorder* Recorder() const { return m_pRecorder.get(); }
    QPushButton* SetClockButton() const { return m_pSetClockButton; }
    // Where recordings go: the "Recordings" folder of the storage folder.
    QString RecordingFolder() const;
    // Records collected that are neither recorded nor saved.
    bool HasUnsavedRecords();
    // How far the detector's clock is from the PC's, for the status bar;
    // empty within a minute.
    static QString ClockDifferenceText(int64_t nDetectorMinusPc);
    CReportExporter* ReportExporter() const { return m_pReportExporter; }

public Q_SLOTS:
    void OnTimer();
    void OnTimer2();
    void OnLogMaximizeButton();
    void OnRealtimeMaximizeButton();
    void OnRealtimeClearButton();
    void OnRealtimeSaveButton();
    void OnBrowseButton();
    void OnFolderButton();
    void OnRenameButton();
    void OnDeleteButton();
    void OnDeleteAllAction();
    void OnDownloadButton();
    void OnLogDiagramAction();
    void OnLogListAction();
    void OnTabWidgetCurChanged(int nIndex);
    void OnStorageContextMenu(QPoint pos);
    void OnStorageItemExpanded(QTreeWidgetItem* pItem);
    void OnStorageItemActivated(QTreeWidgetItem* pItem);
    void OnFileConnectionAction();
    void OnFileDeviceMenuAction();
    void OnFilePreferencesAction();
    void OnFileResetToDefaults();
    void OnHelpManualAction();
    void OnHelpAboutAction();
    void OnOptionsButton();
    void OnModeButton();
    void OnChannelUpButton();
    void OnChannelDownButton();
    virtual void OnOptButton1(bool bChecked);
    virtual void OnOptButton2(bool bChecked);
    virtual void OnOptButton3();
    void OnDiagramTypeChanged(int nArea, DiagramType eType);
    void OnAutoScrollToggle(bool bEnabled);
    void OnDeviceChannelChanged();
    void OnOscWindowClosed();
    void OnRecordToFileAction(bool bChecked);
    void OnSetClockButton();

protected:
    void mouseReleaseEvent(QMouseEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;
    void closeEvent(QCloseEvent* pEvent) override;
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    void InitLayout();
    void InitKeyboard();
    // The File menu's entries that the form does not make.
    void RetranslateImageActions();
    // The view the File menu's picture entries act on, and its name.
    QWidget* FocusedView(QString* pName) const;
    void InitLogList();
    void FillStorageTree();
    void RestoreSettings();
    void SplitHalves();
    void ShowLinkProblem();
    void ShowLinkMessage(const QString& strText);
    void ClearLinkMessage();
    bool ApplyPortChoice(const CPortChoice& choice);
    void UpdateLinkPort();
    void ShowNoDataCause(int nCauses);
    // Adds every record stored since the last tick to the realtime diagram.
    void AddNewRecords(int32_t nMode, int64_t nTotal);
    void CheckDeviceClock(const CDeviceRecord& record);
    // The message about the detector's clock, with its button; empty takes both down.
    void ShowClockMessage(QString strText);
    void ClockMessageChanged(const QString& strMessage);
    void CheckClockAfterSetting(int64_t nTotal);
    void PollRecorder();
    // Save Data; true when a file was written.
    bool SaveCollectedData();
    // Asks strQuestion with Save / Discard / Cancel when collected records
    // would be lost; true when the caller may go on.
    bool SaveOrDiscardCollected(const QString& strQuestion);
    void RestoreOptionButtons();

    std::unique_ptr<Ui::CMainWindowClass> m_pUi;
    QTimer m_PollTimer;
    QLabel* m_pReadyLabel = nullptr;
    QLabel* m_pLinkLabel = nullptr;
    CLinkStatusField* m_pLinkField = nullptr;
    // The real device object; g_pDevice may be swapped for a stand-in.
    CKV520Device* m_pDevice = nullptr;
    CPortChoice m_PortChoice;
    // Shared only so the type may stay incomplete where no simulator is built.
    std::shared_ptr<CKV521Simulator> m_pSimulator;
    QLabel* m_pStateLabel = nullptr;
    CManualWindow* m_pManualWindow = nullptr;
    COscilloscopeWindow* m_pOscWindow = nullptr;
    CStorageBrowser* m_pStorage = nullptr;
    CLogView* m_pLogView = nullptr;
    CReportExporter* m_pReportExporter = nullptr;
    int32_t m_nTickCount = 0;
    // Records stored by the device (its never-wrapping count) that the
    // realtime diagram has seen.
    int64_t m_nLastRecordCount = -1;
    int32_t m_nModeOnChange = -1;
    int32_t m_nModeOnData = -1;
    bool m_bDifference = false;
    QString m_strDefaultStorage;
    // The link problem last shown, so a port that keeps failing is reported
    // once instead of at every reconnection attempt.
    QString m_strShownLinkError;
    // The link message on display now, taken down when the link comes up
    // unless another message has replaced it meanwhile.
    QString m_strLinkMessage;
    // The IDevice::NoData* causes already told in the status bar.
    int m_nShownNoDataCauses = 0;
    // The link field's state at the last tick: the diagram is repainted when
    // it changes, not at every tick.
    int m_nLinkState = -1;
    bool m_bRepaintPending = false;
    int m_nTicksSinceRepaint = 0;
    // Time of the newest sample drawn, to notice the detector's clock going back.
    int64_t m_nLastSampleTime = 0;
    bool m_bClockChecked = false;
    // The clock message on display while the detector's clock is off.
    QString m_strClockMessage;
    // The clock was sent at this record count; the next records tell how it went.
    bool m_bClockSetting = false;
    int64_t m_nClockSetTotal = 0;
    QPushButton* m_pSetClockButton = nullptr;
    QAction* m_pSaveImageAction = nullptr;
    QAction* m_pCopyImageAction = nullptr;
    CAlarmNotifier* m_pAlarms = nullptr;
    std::unique_ptr<CRealtimeRecorder> m_pRecorder;
    QString m_strRecordingFile;
    // Records up to this count are recorded or saved.
    int64_t m_nSavedTotal = 0;
};
