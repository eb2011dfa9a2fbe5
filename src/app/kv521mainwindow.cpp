#include "kv521mainwindow.h"

#include "appidentity.h"
#include "cataloguecontroller.h"
#include "sweepcontextbar.h"

#include "ui_mainwindow.h"
#include "windowplacement.h"

#include "alarmnotifier.h"
#include "clockcheck.h"
#include "connectioncontroller.h"
#include "devicefiles.h"
#include "devicerecord.h"
#include "devicewidget.h"
#include "kv520device.h"
#include "kv520menudialog.h"
#include "sessionactions.h"
#include "qvisitreportdialog.h"
#include "sidecar.h"
#include "language.h"
#include "linkstatusfield.h"
#include "logview.h"
#include "manualwindow.h"
#include "monitoringcontroller.h"
#include "oscilloscopewindow.h"
#include "pictureactions.h"
#include "preferencesdialog.h"
#include "qsearchpane.h"
#include "qdiagramwidget.h"
#include "realtimerecorder.h"
#include "realtimeview.h"
#include "recordingcontroller.h"
#include "reportexporter.h"
#include "statusmessage.h"
#include "storagebrowser.h"
#include "trayalarmoutput.h"
#include "windowstate.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTimer>

#include <utility>

namespace {

// Polls between two repaints of the realtime pane for new records (100 ms).
constexpr int kRepaintTicks = 4;

// The device object of the newest main window.
CKV520Device*& WindowDevice()
{
    static CKV520Device* pDevice = nullptr;
    return pDevice;
}

} // namespace

void CKV521MainWindow::SetDevicePort(const QString& strPort)
{
    CConnectionController::SetDevicePort(strPort);
}

void CKV521MainWindow::SetSimulated(bool bSimulated)
{
    CConnectionController::SetSimulated(bSimulated);
}

void CKV521MainWindow::SetPortEnumerator(std::shared_ptr<ISerialPortEnumerator> pEnumerator)
{
    CConnectionController::SetPortEnumerator(std::move(pEnumerator));
}

CKV521MainWindow::CKV521MainWindow(QWidget* pParent, Qt::WindowFlags flags)
    : QMainWindow(pParent, flags), m_pUi(new Ui::CMainWindowClass)
{
    CAppIdentity::Apply();
    CLanguage::Instance().LoadStored();
    QCoreApplication::setApplicationVersion(tr("Version") + QLatin1Char(' ') + CAppIdentity::Version());

    // The device object lives until the process ends: the panel, the painter
    // and the dialogs reach it through the global at any time.
    auto* pDevice = new CKV520Device;
    // Only a later main window replaces it (the tests build many, one after
    // another); the earlier window stopped it when it closed.
    delete std::exchange(WindowDevice(), pDevice);
    m_pDevice = pDevice;
    g_pDevice = m_pDevice;

    // The panel's MENU key and File > Device Menu... open the settings dialog;
    // the panel has already checked the connection.
    CDeviceWidget::SetMenuOpener([this](QWidget*) {
        CKV520MenuDialog dialog(nullptr);
        // Settings files go beside the storage folder, not among its data.
        const QString strStorage = m_pStorage ? m_pStorage->StorageFolder() : QString();
        if (!strStorage.isEmpty())
            dialog.SetDefaultFileFolder(QFileInfo(QDir::cleanPath(strStorage)).absolutePath());
        dialog.exec();
    });

    setWindowIcon(QIcon(QStringLiteral(":/CKV521MainWindow/Analyzer.ico")));
    m_pUi->setupUi(this);
    Ui::CMainWindowClass& ui = *m_pUi;
    m_pStorage = new CStorageBrowser(ui.m_pStorageTree, this, statusBar(), this);
    m_pStorage->SetStorageMenu(ui.menuTree);
    m_pLogView = new CLogView(ui.m_pLogGraphFrame, ui.m_pLogListTree, ui.m_pTabWidget, ui.m_pNumEventsLabel,
                              ui.m_pNumEventsEdit, this, statusBar(), this);
    m_pLogView->SetStorageBrowser(m_pStorage);
    connect(m_pStorage, &CStorageBrowser::FileLoaded, m_pLogView, &CLogView::ShowFile);
    connect(ui.m_pStorageExportCsvAction, &QAction::triggered, m_pStorage, &CStorageBrowser::OnExportCsvAction);
    auto* pVisitAction = new QAction(tr("Export &Report..."), this);
    ui.m_pFileMenu->insertAction(ui.m_pFileDeviceMenuAction, pVisitAction);
    connect(pVisitAction, &QAction::triggered, this, [this] { OpenVisitReportDialog(); });
    // The file just opened is the tree's current item: the report names it.
    auto* pReportAction = new QAction(this);
    ui.m_pFileMenu->insertAction(ui.m_pFileDeviceMenuAction, pReportAction);
    ui.m_pFileMenu->insertSeparator(ui.m_pFileDeviceMenuAction);
    m_pReportExporter = new CReportExporter(pReportAction, this, statusBar(), this);
    connect(m_pStorage, &CStorageBrowser::FileLoaded, m_pReportExporter,
            [this](const QList<CDeviceRecord>& records, int nVersion) {
                m_pReportExporter->OnFileShown(records, nVersion,
                                               m_pStorage->GetItemPath(m_pUi->m_pStorageTree->currentItem()));
            });

    m_pRealtime = new CRealtimeView(this, ui.m_pRealtimeGraphFrame, ui.m_pOptButton1, ui.m_pOptButton2,
                                    ui.m_pOptButton3, this);
    for (QWidget* pHidden : {static_cast<QWidget*>(ui.m_pOptionsButton), static_cast<QWidget*>(ui.m_pChannelDownButton),
                             static_cast<QWidget*>(ui.m_pChannelUpButton), static_cast<QWidget*>(ui.m_pModeButton),
                             static_cast<QWidget*>(ui.m_pModeLabel)})
        pHidden->hide();
    connect(ui.m_pOptionsButton, &QPushButton::clicked, this, &CKV521MainWindow::OnOptionsButton);
    connect(ui.m_pModeButton, &QPushButton::clicked, this, &CKV521MainWindow::OnModeButton);
    connect(ui.m_pChannelUpButton, &QPushButton::clicked, this, &CKV521MainWindow::OnChannelUpButton);
    connect(ui.m_pChannelDownButton, &QPushButton::clicked, this, &CKV521MainWindow::OnChannelDownButton);

    m_strDefaultStorage = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(m_strDefaultStorage);
    m_pStorage->SetDefaultStorage(m_strDefaultStorage);

    m_pWindowState = std::make_unique<CWindowState>(this, ui.m_pRightSplitter, ui.m_pLogListTree, ui.m_pTabWidget,
                                                    m_pLogView);
    InitLayout();
    InitKeyboard();
    InitSearch();
    m_pLogView->InitLogList();
    m_pManualWindow = new CManualWindow(&CLanguage::Instance());

    m_pAlarms = new CAlarmNotifier(std::make_unique<CTrayAlarmOutput>(), this);
    // Made before the recording: a child goes before those made after it.
    m_pCatalogue = new CCatalogueController([this] { return m_pStorage->StorageFolder(); }, statusBar(), this);
    m_pRecording = new CRecordingController(&m_RecordFeed, m_pStorage, ui.m_pStorageTree, ui.m_pRecordToFileAction,
                                            this, statusBar(), this);
    InitSweep();
    m_RecordFeed.Subscribe(m_pRealtime);
    m_RecordFeed.Subscribe(m_pClockCheck);
    m_RecordFeed.Subscribe(m_pAlarms);
    m_pMonitoring = new CMonitoringController(&m_RecordFeed, m_pDevice, statusBar(), this);
    if (QString strError; !m_pMonitoring->Restore(&strError))
        CStatusMessage::Show(statusBar(), tr("Monitoring is off: %1").arg(strError));
    m_pConnection->Start();

    connect(&m_PollTimer, &QTimer::timeout, this, &CKV521MainWindow::OnTimer);
    m_PollTimer.start(25);

    m_pStorage->FillStorageTree();
    m_pWindowState->Restore();
    // The form opens on the same tab that may be stored, which emits no
    // change: keep the Log menu's Diagram/List marks in step anyway.
    OnTabWidgetCurChanged(ui.m_pTabWidget->currentIndex());

    ui.m_pNumEventsLabel->setVisible(false);
    ui.m_pNumEventsEdit->setVisible(false);
    connect(ui.m_pDeviceFrame, &CDeviceWidget::deviceChannelChanged, this, &CKV521MainWindow::OnDeviceChannelChanged);
    setMouseTracking(true);
}

CKV521MainWindow::~CKV521MainWindow()
{
    m_PollTimer.stop();
    m_pRealtime->CloseOscilloscope();
    g_pDevice->Stop();
    m_pWindowState->Save();
    m_pMonitoring->Stop();
    m_RecordFeed.Unsubscribe(m_pRealtime);
    m_RecordFeed.Unsubscribe(m_pClockCheck);
    m_RecordFeed.Unsubscribe(m_pAlarms);
    m_RecordFeed.Unsubscribe(m_pRecording->Recorder());
    delete m_pManualWindow;
}

void CKV521MainWindow::InitLayout()
{
    m_pUi->m_pDeviceFrame->setFixedSize(160, 303);
    m_pWindowState->SplitHalves();
    m_pUi->m_pRightSplitter->setStyleSheet(QStringLiteral("QSplitter::handle { background: palette(mid); height: 3px } "));
    QTreeWidget* pTree = m_pUi->m_pStorageTree;
    pTree->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(pTree, &QTreeWidget::customContextMenuRequested, this, &CKV521MainWindow::OnStorageContextMenu);
    connect(pTree, &QTreeWidget::itemExpanded, this, &CKV521MainWindow::OnStorageItemExpanded);
    connect(pTree, &QTreeWidget::itemCollapsed, this, &CKV521MainWindow::OnStorageItemExpanded);
    connect(pTree, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* pItem, int) { OnStorageItemActivated(pItem); });

    Ui::CMainWindowClass& ui = *m_pUi;
    connect(ui.m_pFileDeviceMenuAction, &QAction::triggered, this, &CKV521MainWindow::OnFileDeviceMenuAction);
    connect(ui.m_pFilePreferencesAction, &QAction::triggered, this, &CKV521MainWindow::OnFilePreferencesAction);
    connect(ui.m_pFileDefaultsAction, &QAction::triggered, this, &CKV521MainWindow::OnFileResetToDefaults);
    connect(ui.m_pFileExitAction, &QAction::triggered, this, &QWidget::close);
    connect(ui.m_pHelpManualAction, &QAction::triggered, this, &CKV521MainWindow::OnHelpManualAction);
    connect(ui.m_pHelpAboutAction, &QAction::triggered, this, &CKV521MainWindow::OnHelpAboutAction);
    connect(ui.m_pMaxLogButton, &QPushButton::clicked, this, &CKV521MainWindow::OnLogMaximizeButton);
    connect(ui.m_pLogMaxAction, &QAction::triggered, this, &CKV521MainWindow::OnLogMaximizeButton);
    connect(ui.m_pMaxRealtimeButton, &QPushButton::clicked, this, &CKV521MainWindow::OnRealtimeMaximizeButton);
    connect(ui.m_pMaxRealtimeAction, &QAction::triggered, this, &CKV521MainWindow::OnRealtimeMaximizeButton);
    connect(ui.m_pRealtimeClearButton, &QPushButton::clicked, this, &CKV521MainWindow::OnRealtimeClearButton);
    connect(ui.m_pRealtimeClearAction, &QAction::triggered, this, &CKV521MainWindow::OnRealtimeClearButton);
    connect(ui.m_pRealtimeSaveButton, &QPushButton::clicked, this, &CKV521MainWindow::OnRealtimeSaveButton);
    connect(ui.m_pRealtimeSaveAction, &QAction::triggered, this, &CKV521MainWindow::OnRealtimeSaveButton);
    connect(ui.m_pBrowseButton, &QPushButton::clicked, this, &CKV521MainWindow::OnBrowseButton);
    connect(ui.m_pStorageFolderAction, &QAction::triggered, this, &CKV521MainWindow::OnFolderButton);
    connect(ui.m_pStorageRenameAction, &QAction::triggered, this, &CKV521MainWindow::OnRenameButton);
    connect(ui.m_pStorageDeleteAction, &QAction::triggered, this, &CKV521MainWindow::OnDeleteButton);
    connect(ui.m_pStorageDeleteAllAction, &QAction::triggered, this, &CKV521MainWindow::OnDeleteAllAction);
    connect(ui.m_pStorageExpandAllAction, &QAction::triggered, pTree, &QTreeWidget::expandAll);
    connect(ui.m_pStorageCollapseAllAction, &QAction::triggered, pTree, &QTreeWidget::collapseAll);
    connect(ui.m_pDownloadButton, &QPushButton::clicked, this, &CKV521MainWindow::OnDownloadButton);
    connect(ui.m_pLogDownloadAction, &QAction::triggered, this, &CKV521MainWindow::OnDownloadButton);
    connect(ui.m_pLogDiagramAction, &QAction::triggered, this, &CKV521MainWindow::OnLogDiagramAction);
    connect(ui.m_pLogListAction, &QAction::triggered, this, &CKV521MainWindow::OnLogListAction);
    connect(ui.m_pTabWidget, &QTabWidget::currentChanged, this, &CKV521MainWindow::OnTabWidgetCurChanged);

    m_pReadyLabel = new QLabel(tr("Ready"));
    statusBar()->addWidget(m_pReadyLabel, 1);
    m_pConnection = new CConnectionController(m_pDevice, statusBar(), m_pReadyLabel, this, this);
    connect(m_pConnection, &CConnectionController::portChoiceWanted, this, &CKV521MainWindow::OnFileConnectionAction);
    connect(ui.m_pFileConnectionAction, &QAction::triggered, this, &CKV521MainWindow::OnFileConnectionAction);
    m_pStateLabel = new QLabel(tr("Normal"));
    statusBar()->addWidget(m_pStateLabel, 0);
    m_pClockCheck = new CClockCheck(statusBar(), [this] { m_pRecording->PollFeed(); }, this);
    connect(statusBar(), &QStatusBar::messageChanged, m_pClockCheck, &CClockCheck::OnMessageChanged);
}

void CKV521MainWindow::InitSweep()
{
    m_pContextBar = new CSweepContextBar(this);
    addToolBar(Qt::TopToolBarArea, m_pContextBar);
    connect(m_pContextBar, &CSweepContextBar::ContextChanged, m_pRecording, &CRecordingController::SetSweepContext);
    m_pRecording->SetSweepContext(m_pContextBar->Context());
    Recorder()->SetFileClosedHandler([pCatalogue = QPointer<CCatalogueController>(m_pCatalogue)](const QString& strPath) {
        if (pCatalogue)
            pCatalogue->IndexFile(strPath);
    });
    connect(m_pRecording, &CRecordingController::DataSaved, m_pCatalogue, &CCatalogueController::SyncSoon);
    connect(m_pLogView, &CLogView::LogDownloaded, m_pCatalogue, &CCatalogueController::IndexFiles);
    connect(m_pLogView, &CLogView::SessionPlaceChanged, m_pCatalogue, &CCatalogueController::IndexFile);
    connect(m_pCatalogue, &CCatalogueController::KnownValues, m_pContextBar, &CSweepContextBar::AddKnownValues);
    connect(m_pCatalogue, &CCatalogueController::CatalogueChanged, m_pSearch, &CQSearchPane::Refresh);
    connect(m_pStorage, &CStorageBrowser::FileLoaded, m_pLogView,
            [this] { m_pLogView->SetShownFile(m_pStorage->GetItemPath(m_pUi->m_pStorageTree->currentItem())); });
    m_pLogView->SetKnownValues([this] { return m_pContextBar->KnownValues(); });

    m_pSessionActions = new CSessionActions(m_pCatalogue, this, statusBar(), this);
    m_pSessionActions->AddTo(m_pUi->menuTree, [this] {
        const QTreeWidgetItem* pItem = m_pUi->m_pStorageTree->currentItem();
        return pItem && CStorageBrowser::ItemKind(pItem) != CStorageBrowser::KindFolder ? m_pStorage->GetItemPath(pItem)
                                                                                         : QString();
    });
    const auto fill = [pActions = m_pSessionActions](QMenu* pMenu, const QString& strPath) {
        pActions->FillMenu(pMenu, strPath);
    };
    m_pSearch->SetSessionMenu(fill);
    m_pLogView->SetSessionMenu(fill);
    connect(m_pCatalogue, &CCatalogueController::BaselinesChanged, this, [this] {
        m_pStorage->SetBaselines(m_pCatalogue->Baselines());
        m_pSearch->SetBaselines(m_pCatalogue->Baselines());
    });
    // Once the window runs: the first look at a large folder does not delay its opening.
    QTimer::singleShot(0, m_pCatalogue, &CCatalogueController::Start);
}

void CKV521MainWindow::InitKeyboard()
{
    Ui::CMainWindowClass& ui = *m_pUi;
    // The platform's own keys where it has them; some platforms have none for
    // Quit or Preferences, and the program's own then stand in.
    const auto standard = [](QKeySequence::StandardKey eKey, const QKeySequence& fallback) {
        const QList<QKeySequence> keys = QKeySequence::keyBindings(eKey);
        return keys.isEmpty() ? QList<QKeySequence>{fallback} : keys;
    };
    ui.m_pFileExitAction->setShortcuts(standard(QKeySequence::Quit, QKeySequence(Qt::CTRL | Qt::Key_Q)));
    ui.m_pFilePreferencesAction->setShortcuts(
        standard(QKeySequence::Preferences, QKeySequence(Qt::CTRL | Qt::Key_Comma)));
    ui.m_pHelpManualAction->setShortcuts(standard(QKeySequence::HelpContents, QKeySequence(Qt::Key_F1)));
    ui.m_pRealtimeSaveAction->setShortcuts(standard(QKeySequence::Save, QKeySequence(Qt::CTRL | Qt::Key_S)));
    ui.m_pLogDownloadAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    ui.m_pRealtimeClearAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Delete));
    ui.m_pFileDeviceMenuAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    // Actions of the menu bar work while any part of the window has the focus.
    for (QAction* pAction : {ui.m_pFileExitAction, ui.m_pFilePreferencesAction, ui.m_pHelpManualAction,
                             ui.m_pRealtimeSaveAction, ui.m_pLogDownloadAction, ui.m_pRealtimeClearAction,
                             ui.m_pFileDeviceMenuAction})
        pAction->setShortcutContext(Qt::WindowShortcut);

    ui.m_pRealtimeGraphFrame->setAccessibleName(tr("Realtime diagram"));
    ui.m_pLogGraphFrame->setAccessibleName(tr("Log diagram"));
    ui.m_pLogListTree->setAccessibleName(tr("Log events"));
    ui.m_pStorageTree->setAccessibleName(tr("Storage content"));
    LinkLabel()->setAccessibleName(tr("Connection to the detector"));
    ui.m_pDeviceFrame->setAccessibleName(tr("Front panel"));
    ui.m_pLogGraphFrame->SetPictureNamer([this] {
        // The file shown, as the storage tree names it.
        const QTreeWidgetItem* pItem = m_pUi->m_pStorageTree->currentItem();
        return pItem && pItem->parent() ? pItem->text(0) : QString();
    });

    // Pictures of the view that has the keyboard focus.
    m_pPictureActions = new CPictureActions(ui.m_pFileMenu, ui.m_pFileExitAction, ui.m_pRealtimeGraphFrame,
                                            ui.m_pDeviceFrame, [this] { return OscilloscopeWindow(); }, this);
}

void CKV521MainWindow::InitSearch()
{
    // Hidden until asked for: the storage and log panes keep their room.
    m_pSearch = new CQSearchPane(this);
    addDockWidget(Qt::RightDockWidgetArea, m_pSearch);
    m_pSearch->hide();
    QAction* pShow = m_pSearch->toggleViewAction();
    pShow->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F));
    pShow->setShortcutContext(Qt::WindowShortcut);
    m_pUi->m_pViewMenu->addAction(pShow);
    m_pSearch->SetStorage(m_pStorage->StorageFolder());
    connect(m_pStorage, &CStorageBrowser::StorageChanged, m_pSearch, &CQSearchPane::SetStorage);
    connect(m_pSearch, &CQSearchPane::OpenRequested, this, &CKV521MainWindow::OpenSearchResult);
    // The window grows by the pane's width; on a small screen it would run off the edge.
    connect(m_pSearch, &QDockWidget::visibilityChanged, this, [this](bool bVisible) {
        // The catalogue may have been made since the pane last looked.
        if (bVisible)
            m_pSearch->Refresh();
        if (bVisible && !isMaximized() && !isFullScreen())
            QTimer::singleShot(0, this, [this] {
                if (const QScreen* pScreen = screen()) {
                    const QRect frame = frameGeometry();
                    const QRect kept = CWindowPlacement::KeptWithin(frame, pScreen->availableGeometry());
                    if (kept != frame)
                        setGeometry(geometry().adjusted(kept.left() - frame.left(), kept.top() - frame.top(),
                                                        kept.right() - frame.right(), kept.bottom() - frame.bottom()));
                }
            });
    });
}

QStringList CKV521MainWindow::VisitSessions(const QString& strPath) const
{
    if (strPath.isEmpty())
        return {};
    // A visit: the same site on the same day. The first record dates a file
    // whatever it is called; the sidecar gives the site and the year.
    const auto dayOf = [](const QString& strFile, CSidecar& sidecar) {
        DeviceRawRecord first;
        if (!CSidecar::Read(strFile, sidecar) || !CDeviceFiles::ReadFirstRecord(strFile, first))
            return -1;
        return (sidecar.m_Capture.m_nYear * 100 + first.Month) * 100 + first.Day;
    };
    CSidecar anchor;
    const int nAnchorDay = dayOf(strPath, anchor);
    if (nAnchorDay < 0 || anchor.m_Context.Site().isEmpty())
        return {strPath};
    QStringList paths;
    QList<QTreeWidgetItem*> pending;
    if (QTreeWidgetItem* pRoot = m_pStorage->RootItem())
        pending << pRoot;
    while (!pending.isEmpty()) {
        QTreeWidgetItem* pItem = pending.takeLast();
        for (int i = 0; i < pItem->childCount(); ++i) {
            QTreeWidgetItem* pChild = pItem->child(i);
            if (CStorageBrowser::ItemKind(pChild) == CStorageBrowser::KindFolder) {
                pending << pChild;
                continue;
            }
            const QString strCandidate = m_pStorage->GetItemPath(pChild);
            CSidecar sidecar;
            if (dayOf(strCandidate, sidecar) == nAnchorDay
                && sidecar.m_Context.Site().compare(anchor.m_Context.Site(), Qt::CaseInsensitive) == 0)
                paths << strCandidate;
        }
    }
    if (!paths.contains(strPath))
        paths.prepend(strPath);
    std::sort(paths.begin(), paths.end(),
              [](const QString& a, const QString& b) { return QFileInfo(a).fileName() < QFileInfo(b).fileName(); });
    return paths;
}

CQVisitReportDialog* CKV521MainWindow::OpenVisitReportDialog()
{
    auto* pDialog = new CQVisitReportDialog(m_pStorage->StorageFolder(), this);
    pDialog->setAttribute(Qt::WA_DeleteOnClose);
    const QTreeWidgetItem* pItem = m_pUi->m_pStorageTree->currentItem();
    const QString strChosen =
        pItem && CStorageBrowser::ItemKind(pItem) != CStorageBrowser::KindFolder ? m_pStorage->GetItemPath(pItem) : QString();
    pDialog->SetSessions(VisitSessions(strChosen));
    const QString strName = strChosen.isEmpty() ? QStringLiteral("visit")
                                                : QFileInfo(strChosen).completeBaseName() + QStringLiteral("-visit");
    pDialog->SetOutput(QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                           .filePath(strName + QStringLiteral(".pdf")));
    connect(pDialog, &CQVisitReportDialog::Finished, this, [this](bool bOk, const QString& strText) {
        CStatusMessage::Show(statusBar(), strText, bOk ? 10000 : 0);
    });
    pDialog->show();
    return pDialog;
}

void CKV521MainWindow::OpenSearchResult(const QString& strPath, qint64 nPosition)
{
    if (m_pStorage->OpenPath(strPath) && nPosition >= 0)
        m_pLogView->ShowRecord(nPosition);
}

bool CKV521MainWindow::SwitchPort(const CPortChoice& choice)
{
    m_pConnection->Stop();
    // The old detector's last records end its recording; the next link starts a new file.
    m_pRecording->Finish(g_pDevice->IsConnected());
    // As after a restart: a trace from another detector must not run on into this one's.
    m_pRealtime->Restart();
    return m_pConnection->Reconnect(choice);
}

void CKV521MainWindow::OnFileConnectionAction()
{
    const std::optional<CPortChoice> choice = m_pConnection->ChoosePort();
    if (!choice)
        return;
    if (!m_pRecording->SaveOrDiscardCollected(
            tr("The collected data has not been saved. Save it before switching the port?")))
        return;
    {
        QSettings settings;
        choice->Save(settings);
    }
    SwitchPort(*choice);
}

void CKV521MainWindow::OnTimer()
{
    try {
        CConnectionController::LinkState eState = CConnectionController::LinkState::Offline;
        const bool bStateChanged = m_pConnection->Tick(&eState);
        const bool bConnected = eState == CConnectionController::LinkState::Online;
        if (bStateChanged && bConnected)
            m_pRecording->OnConnected();
        // Every consumer of the records is handed the new ones once, here.
        const bool bNewRecords = m_pRecording->PollFeed() > 0;
        bool bRepaint = false;
        if (bConnected) {
            m_pClockCheck->Tick(g_pDevice, bNewRecords);
            bRepaint = m_pRealtime->Tick(g_pDevice, g_pDevice->GetModeFlags());
        } else if (bStateChanged) {
            // The next connection may be another detector with another clock.
            m_pClockCheck->Reset();
        }
        m_pAlarms->Poll(g_pDevice);
        m_pMonitoring->Tick(g_pDevice, bConnected);
        m_pRecording->Poll(g_pDevice->IsConnected());
        m_pContextBar->SetRecording(Recorder()->IsWriting());
        // Drawn when something changed, not for nothing at every tick, and new
        // records at most every kRepaintTicks: ten pictures a second follow the
        // levels as well as one per frame did. The mouse, resizes and the
        // views' own actions ask for their repaints; the log diagram changes
        // only when the log view loads a file.
        m_bRepaintPending = m_bRepaintPending || bRepaint;
        ++m_nTicksSinceRepaint;
        if (bStateChanged || (m_bRepaintPending && m_nTicksSinceRepaint >= kRepaintTicks)) {
            m_pUi->m_pRealtimeGraphFrame->update();
            m_bRepaintPending = false;
            m_nTicksSinceRepaint = 0;
        }
        if (++m_nTickCount > 4) {
            m_pUi->m_pDeviceFrame->update();
            m_nTickCount = 0;
        }
    } catch (...) {
        CStatusMessage::Show(statusBar(), tr("Device data processing error!"));
    }
}

void CKV521MainWindow::OnRecordToFileAction(bool bChecked)
{
    m_pRecording->OnRecordToFileAction(bChecked);
}

void CKV521MainWindow::OnSetClockButton()
{
    m_pClockCheck->OnSetClockButton();
}

void CKV521MainWindow::OnTimer2()
{
}

void CKV521MainWindow::SetupSignals(CQDiagramWidget* pDiagram, int32_t nMode, bool bThresholds)
{
    CRealtimeView::SetupSignals(pDiagram, nMode, bThresholds);
}

void CKV521MainWindow::AddRecordToDiagram(int32_t, CQDiagramWidget* pDiagram, const CDeviceRecord& record,
                                          bool bThresholds)
{
    m_pRealtime->AddRecordToDiagram(pDiagram, record, bThresholds);
}

void CKV521MainWindow::OnLogMaximizeButton()
{
    const bool bMaximized = m_pWindowState->ToggleMaximized(0);
    m_pUi->m_pLogMaxAction->setChecked(bMaximized);
    m_pUi->m_pMaxLogButton->setChecked(bMaximized);
}

void CKV521MainWindow::OnRealtimeMaximizeButton()
{
    const bool bMaximized = m_pWindowState->ToggleMaximized(1);
    m_pUi->m_pMaxRealtimeAction->setChecked(bMaximized);
    m_pUi->m_pMaxRealtimeButton->setChecked(bMaximized);
}

void CKV521MainWindow::OnRealtimeClearButton()
{
    m_pRealtime->Clear();
    CStatusMessage::Show(statusBar(), tr("Collected data cleared"), 10000);
}

void CKV521MainWindow::OnRealtimeSaveButton()
{
    m_pRecording->SaveCollectedData();
}

void CKV521MainWindow::OnBrowseButton()
{
    m_pStorage->OnBrowseButton();
}

void CKV521MainWindow::OnFolderButton()
{
    m_pStorage->OnFolderButton();
}

void CKV521MainWindow::OnRenameButton()
{
    m_pStorage->OnRenameButton();
}

void CKV521MainWindow::OnDeleteButton()
{
    m_pStorage->OnDeleteButton();
}

void CKV521MainWindow::OnDeleteAllAction()
{
    m_pStorage->OnDeleteAllAction();
}

void CKV521MainWindow::OnDownloadButton()
{
    m_pLogView->OnDownloadButton();
}

void CKV521MainWindow::OnLogDiagramAction()
{
    m_pUi->m_pTabWidget->setCurrentIndex(0);
    m_pUi->m_pLogListAction->setChecked(false);
}

void CKV521MainWindow::OnLogListAction()
{
    m_pUi->m_pTabWidget->setCurrentIndex(1);
    m_pUi->m_pLogDiagramAction->setChecked(false);
}

void CKV521MainWindow::OnTabWidgetCurChanged(int nIndex)
{
    m_pUi->m_pLogDiagramAction->setChecked(nIndex == 0);
    m_pUi->m_pLogListAction->setChecked(nIndex != 0);
}

void CKV521MainWindow::OnStorageContextMenu(QPoint pos)
{
    m_pStorage->OnStorageContextMenu(pos);
}

void CKV521MainWindow::OnStorageItemExpanded(QTreeWidgetItem* pItem)
{
    m_pStorage->OnStorageItemExpanded(pItem);
}

void CKV521MainWindow::OnStorageItemActivated(QTreeWidgetItem* pItem)
{
    m_pStorage->OnStorageItemActivated(pItem);
}

void CKV521MainWindow::OnFileDeviceMenuAction()
{
    m_pUi->m_pDeviceFrame->OpenDeviceMenu();
}

void CKV521MainWindow::OnFilePreferencesAction()
{
    CPreferencesDialog dialog(CLanguage::Instance().Name() == QLatin1String("ru_RU") ? 1 : 0, this);
    dialog.SetMonitoring(m_pMonitoring->IsOn(),
                         QSettings().value(QLatin1String(CMonitoringController::kConfigKey)).toString(),
                         [this](bool bOn, const QString& strFile, QString* pError) {
                             return m_pMonitoring->Apply(bOn, strFile, pError);
                         });
    if (dialog.exec() != QDialog::Accepted)
        return;
    switch (dialog.GetLanguage()) {
    case 0:
        CLanguage::Instance().Load(QStringLiteral("en_US"));
        break;
    case 1:
        CLanguage::Instance().Load(QStringLiteral("ru_RU"));
        break;
    default:
        break;
    }
    // Kept at once, not only when the window closes: a program that is killed
    // or crashes later still starts in the chosen language.
    QSettings().setValue(QLatin1String(CLanguage::SettingsKey), CLanguage::Instance().Name());
    m_pUi->retranslateUi(this);
    m_pPictureActions->Retranslate();
    m_pRealtime->Retranslate();
    m_pContextBar->Retranslate();
    m_pReadyLabel->setText(tr("Ready"));
    m_pStateLabel->setText(tr("Normal"));
    m_pMonitoring->Retranslate();
    m_pLogView->InitLogList();
    setWindowTitle(QCoreApplication::applicationName());
    if (QTreeWidgetItem* pItem = m_pUi->m_pStorageTree->currentItem())
        OnStorageItemActivated(pItem);
}

void CKV521MainWindow::OnFileResetToDefaults()
{
    if (QMessageBox::question(this, QCoreApplication::applicationName(),
                              tr("Do you really want to reset program settings to defaults?"),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        != QMessageBox::Yes)
        return;
    {
        QSettings settings;
        settings.clear();
    }
    m_pWindowState->Restore();
    OnTabWidgetCurChanged(m_pUi->m_pTabWidget->currentIndex());
}

void CKV521MainWindow::OnHelpManualAction()
{
    m_pManualWindow->setVisible(!m_pManualWindow->isVisible());
}

void CKV521MainWindow::OnHelpAboutAction()
{
    QMessageBox::about(this, tr("About"),
                       QCoreApplication::applicationName() + QStringLiteral("<br>")
                           // In the language of now, not of the start: the user may have switched since.
                           + tr("Version") + QLatin1Char(' ') + CAppIdentity::Version() + QStringLiteral("<br>")
                           + tr("Copyright &copy; Lumatrix. ") + tr("All rights reserved."));
}

void CKV521MainWindow::OnOptionsButton()
{
}

void CKV521MainWindow::OnModeButton()
{
    g_pDevice->PressKey(4);
}

void CKV521MainWindow::OnChannelUpButton()
{
    g_pDevice->PressKey(2);
    OnRealtimeClearButton();
}

void CKV521MainWindow::OnChannelDownButton()
{
    g_pDevice->PressKey(3);
    OnRealtimeClearButton();
}

void CKV521MainWindow::OnOptButton1(bool bChecked)
{
    m_pRealtime->OnDifferenceButton(bChecked);
}

void CKV521MainWindow::OnOptButton2(bool bChecked)
{
    m_pRealtime->OnAutoScrollButton(bChecked);
}

void CKV521MainWindow::OnOptButton3()
{
    m_pRealtime->ToggleOscilloscope();
}

void CKV521MainWindow::OnDiagramTypeChanged(int, DiagramType eType)
{
    m_pRealtime->OnDiagramTypeChanged(eType);
}

void CKV521MainWindow::OnAutoScrollToggle(bool bEnabled)
{
    m_pRealtime->OnAutoScrollToggle(bEnabled);
}

void CKV521MainWindow::OnDeviceChannelChanged()
{
    m_pRealtime->Clear();
}

void CKV521MainWindow::OnOscWindowClosed()
{
}

void CKV521MainWindow::mouseReleaseEvent(QMouseEvent* pEvent)
{
    pEvent->ignore();
}

void CKV521MainWindow::mouseMoveEvent(QMouseEvent* pEvent)
{
    pEvent->ignore();
}

void CKV521MainWindow::closeEvent(QCloseEvent* pEvent)
{
    if (!m_pRecording->SaveOrDiscardCollected(tr("The collected data has not been saved. Save it before closing?"))) {
        pEvent->ignore();
        return;
    }
    g_pDevice->Stop();
    // What the worker stored last goes into the recording before it ends.
    m_pRecording->Finish(g_pDevice->IsConnected());
    m_pManualWindow->close();
    pEvent->accept();
}
