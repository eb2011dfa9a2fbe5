#pragma once

#include "diagramtype.h"

#include <QMainWindow>
#include <QPoint>
#include <QString>
#include <QTimer>

#include <memory>

namespace Ui {
class CMainWindowClass;
}

class QLabel;
class QTreeWidgetItem;
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

protected:
    void mouseReleaseEvent(QMouseEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;
    void closeEvent(QCloseEvent* pEvent) override;

private:
    void InitLayout();
    void InitLogList();
    void FillStorageTree();
    void RestoreSettings();
    void SplitHalves();
    void ShowLinkProblem();

    std::unique_ptr<Ui::CMainWindowClass> m_pUi;
    QTimer m_PollTimer;
    QLabel* m_pReadyLabel = nullptr;
    QLabel* m_pLinkLabel = nullptr;
    QLabel* m_pStateLabel = nullptr;
    CManualWindow* m_pManualWindow = nullptr;
    COscilloscopeWindow* m_pOscWindow = nullptr;
    CStorageBrowser* m_pStorage = nullptr;
    CLogView* m_pLogView = nullptr;
    CReportExporter* m_pReportExporter = nullptr;
    int32_t m_nTickCount = 0;
    int32_t m_nLastRecordCount = -1;
    int32_t m_nModeOnChange = -1;
    int32_t m_nModeOnData = -1;
    bool m_bDifference = false;
    QString m_strDefaultStorage;
    // The link problem last shown, so a port that keeps failing is reported
    // once instead of at every reconnection attempt.
    QString m_strShownLinkError;
};
