#pragma once

#include "clockcheck.h"
#include "connectioncontroller.h"
#include "diagramtype.h"
#include "portchoice.h"
#include "realtimeview.h"
#include "recordfeed.h"
#include "recordingcontroller.h"
#include "storagebrowser.h"

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
class CConnectionController;
class CClockCheck;
class CRecordingController;
class CRealtimeView;
class CWindowState;
class CPictureActions;
class CSweepContextBar;
class CCatalogueController;
class CMonitoringController;
class CQSearchPane;
class CSessionActions;
class CQVisitReportDialog;

// The program's one window: storage browser, front panel, log pane and the
// realtime pane, driven by a 25 ms poll of the device object. Its slots hand
// the work to the parts that own it: the connection, the clock check,
// recording, the realtime view, the storage browser and the log view.
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
    CPortChoice PortChoice() const { return m_pConnection->PortChoice(); }
    CLinkStatusField* LinkField() const { return m_pConnection->LinkField(); }

    static void SetupSignals(CQDiagramWidget* pDiagram, int32_t nMode, bool bThresholds);
    void AddRecordToDiagram(int32_t nUnused, CQDiagramWidget* pDiagram, const CDeviceRecord& record,
                            bool bThresholds);

    Ui::CMainWindowClass* Form() const { return m_pUi.get(); }
    QLabel* ReadyLabel() const { return m_pReadyLabel; }
    QLabel* LinkLabel() const { return m_pConnection->LinkLabel(); }
    QLabel* StateLabel() const { return m_pStateLabel; }
    COscilloscopeWindow* OscilloscopeWindow() const { return m_pRealtime->OscilloscopeWindow(); }
    CManualWindow* ManualWindow() const { return m_pManualWindow; }
    QString StorageFolder() const { return m_pStorage->StorageFolder(); }
    QString DefaultStorage() const { return m_strDefaultStorage; }
    bool IsDifference() const { return m_pRealtime->IsDifference(); }
    CAlarmNotifier* AlarmNotifier() const { return m_pAlarms; }
    CRealtimeRecorder* Recorder() const { return m_pRecording->Recorder(); }
    QPushButton* SetClockButton() const { return m_pClockCheck->SetClockButton(); }
    // Where recordings go: the "Recordings" folder of the storage folder.
    QString RecordingFolder() const { return m_pRecording->RecordingFolder(); }
    // Records collected that are neither recorded nor saved.
    bool HasUnsavedRecords() { return m_pRecording->HasUnsavedRecords(); }
    // How far the detector's clock is from the PC's, for the status bar;
    // empty within a minute.
    static QString ClockDifferenceText(int64_t nDetectorMinusPc)
    {
        return CClockCheck::ClockDifferenceText(nDetectorMinusPc);
    }
    CReportExporter* ReportExporter() const { return m_pReportExporter; }
    CSweepContextBar* ContextBar() const { return m_pContextBar; }
    CCatalogueController* Catalogue() const { return m_pCatalogue; }
    CMonitoringController* Monitoring() const { return m_pMonitoring; }
    CQSearchPane* SearchPane() const { return m_pSearch; }
    CSessionActions* SessionActions() const { return m_pSessionActions; }
    // File > "Export Report...": opens the visit report dialog (tests answer it).
    CQVisitReportDialog* OpenVisitReportDialog();
    // The sessions a visit report starts with: those of the site and day of strPath.
    QStringList VisitSessions(const QString& strPath) const;
    CLogView* LogView() const { return m_pLogView; }
    CStorageBrowser* StorageBrowser() const { return m_pStorage; }

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

private:
    void InitLayout();
    void InitKeyboard();
    // The sweep's context bar and the catalogue, tied to recording, saving and the log.
    void InitSweep();
    void InitSearch();
    // A search result: the file opened as from the tree, at record nPosition (-1: none).
    void OpenSearchResult(const QString& strPath, qint64 nPosition);

    std::unique_ptr<Ui::CMainWindowClass> m_pUi;
    QTimer m_PollTimer;
    QLabel* m_pReadyLabel = nullptr;
    // The real device object; g_pDevice may be swapped for a stand-in.
    CKV520Device* m_pDevice = nullptr;
    QLabel* m_pStateLabel = nullptr;
    CManualWindow* m_pManualWindow = nullptr;
    CStorageBrowser* m_pStorage = nullptr;
    CLogView* m_pLogView = nullptr;
    CReportExporter* m_pReportExporter = nullptr;
    CConnectionController* m_pConnection = nullptr;
    CClockCheck* m_pClockCheck = nullptr;
    CRecordingController* m_pRecording = nullptr;
    CRealtimeView* m_pRealtime = nullptr;
    std::unique_ptr<CWindowState> m_pWindowState;
    CAlarmNotifier* m_pAlarms = nullptr;
    // The one reader of the device's records: the realtime view, the
    // recorder, the clock check and the alarms are handed them from here.
    CRecordFeed m_RecordFeed;
    int32_t m_nTickCount = 0;
    bool m_bRepaintPending = false;
    int m_nTicksSinceRepaint = 0;
    QString m_strDefaultStorage;
    CPictureActions* m_pPictureActions = nullptr;
    CSweepContextBar* m_pContextBar = nullptr;
    CCatalogueController* m_pCatalogue = nullptr;
    CMonitoringController* m_pMonitoring = nullptr;
    CQSearchPane* m_pSearch = nullptr;
    CSessionActions* m_pSessionActions = nullptr;
};
