#include "kv521mainwindow.h"

#include "appidentity.h"

#include "ui_mainwindow.h"
#include "windowplacement.h"

#include "alarmnotifier.h"
#include "devicerecord.h"
#include "devicewidget.h"
#include "kv520device.h"
#include "kv520menudialog.h"
#include "kv520menupositions.h"
#include "kv520protocol.h"
#include "language.h"
#include "linkstatusfield.h"
#include "logview.h"
#include "manualwindow.h"
#include "oscilloscopewindow.h"
#include "portchooserdialog.h"
#include "preferencesdialog.h"
#include "qtserialportenumerator.h"
#include "qdiagramwidget.h"
#include "realtimerecorder.h"
#include "recorddiagram.h"
#include "reportexporter.h"
#include "storagebrowser.h"
#ifdef KV521_HAVE_SIMULATOR
#include "kv521simulator.h"
#endif
#include "trayalarmoutput.h"
#include "widgetpicture.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QSettings>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QScreen>
#include <QStatusBar>
#include <QThread>
#include <QTimer>

#include <exception>
#include <utility>

namespace {

const char kRecordKey[] = "Realtime/RecordToFile";
// A detector clock this far from the PC's is worth telling the user about.
constexpr int64_t kClockToleranceSecs = 60;
// Polls between two repaints of the realtime pane for new records (100 ms).
constexpr int kRepaintTicks = 4;

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

// The device object of the newest main window.
CKV520Device*& WindowDevice()
{
    static CKV520Device* pDevice = nullptr;
    return pDevice;
}

} // namespace

void CKV521MainWindow::SetDevicePort(const QString& strPort)
{
    DevicePort() = strPort;
}

void CKV521MainWindow::SetSimulated(bool bSimulated)
{
    Simulated() = bSimulated;
}

void CKV521MainWindow::SetPortEnumerator(std::shared_ptr<ISerialPortEnumerator> pEnumerator)
{
    Enumerator() = pEnumerator ? std::move(pEnumerator) : std::make_shared<CQtSerialPortEnumerator>();
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
    m_pDevice->SetPortEnumerator(Enumerator());
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
    m_pStorage = new CStorageBrowser(m_pUi->m_pStorageTree, this, statusBar(), this);
    m_pStorage->SetStorageMenu(m_pUi->menuTree);
    m_pLogView = new CLogView(m_pUi->m_pLogGraphFrame, m_pUi->m_pLogListTree, m_pUi->m_pTabWidget,
                              m_pUi->m_pNumEventsLabel, m_pUi->m_pNumEventsEdit, this, statusBar(), this);
    m_pLogView->SetStorageBrowser(m_pStorage);
    connect(m_pStorage, &CStorageBrowser::FileLoaded, m_pLogView, &CLogView::ShowFile);
    connect(m_pUi->m_pStorageExportCsvAction, &QAction::triggered, m_pStorage, &CStorageBrowser::OnExportCsvAction);
    // The file just opened is the tree's current item: the report names it.
    auto* pReportAction = new QAction(this);
    m_pUi->m_pFileMenu->insertAction(m_pUi->m_pFileDeviceMenuAction, pReportAction);
    m_pUi->m_pFileMenu->insertSeparator(m_pUi->m_pFileDeviceMenuAction);
    m_pReportExporter = new CReportExporter(pReportAction, this, statusBar(), this);
    connect(m_pStorage, &CStorageBrowser::FileLoaded, m_pReportExporter,
            [this](const QList<CDeviceRecord>& records, int nVersion) {
                m_pReportExporter->OnFileShown(records, nVersion,
                                               m_pStorage->GetItemPath(m_pUi->m_pStorageTree->currentItem()));
            });

    m_pUi->m_pOptButton1->hide();
    m_pUi->m_pOptButton2->hide();
    m_pUi->m_pOptButton3->setText(tr("&Oscilloscope"));
    m_pUi->m_pOptButton3->show();
    m_pUi->m_pOptionsButton->hide();
    m_pUi->m_pChannelDownButton->hide();
    m_pUi->m_pChannelUpButton->hide();
    m_pUi->m_pModeButton->hide();
    m_pUi->m_pModeLabel->hide();

    connect(m_pUi->m_pOptionsButton, &QPushButton::clicked, this, &CKV521MainWindow::OnOptionsButton);
    connect(m_pUi->m_pModeButton, &QPushButton::clicked, this, &CKV521MainWindow::OnModeButton);
    connect(m_pUi->m_pChannelUpButton, &QPushButton::clicked, this, &CKV521MainWindow::OnChannelUpButton);
    connect(m_pUi->m_pChannelDownButton, &QPushButton::clicked, this, &CKV521MainWindow::OnChannelDownButton);
    connect(m_pUi->m_pOptButton1, &QPushButton::clicked, this, &CKV521MainWindow::OnOptButton1);
    connect(m_pUi->m_pOptButton2, &QPushButton::clicked, this, &CKV521MainWindow::OnOptButton2);
    connect(m_pUi->m_pOptButton3, &QPushButton::clicked, this, [this] { OnOptButton3(); });

    m_strDefaultStorage = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(m_strDefaultStorage);
    m_pStorage->SetDefaultStorage(m_strDefaultStorage);

    InitLayout();
    InitKeyboard();
    InitLogList();
    m_pManualWindow = new CManualWindow(&CLanguage::Instance());

    ApplyPortChoice(StartChoice());
    m_pAlarms = new CAlarmNotifier(std::make_unique<CTrayAlarmOutput>(), this);
    m_pRecorder = std::make_unique<CRealtimeRecorder>();
    {
        const bool bRecord = QSettings().value(QLatin1String(kRecordKey), true).toBool();
        m_pUi->m_pRecordToFileAction->setChecked(bRecord);
        m_pRecorder->SetEnabled(bRecord);
    }
    connect(m_pUi->m_pRecordToFileAction, &QAction::toggled, this, &CKV521MainWindow::OnRecordToFileAction);

    try {
        g_pDevice->Start();
    } catch (const std::exception& e) {
        m_pLinkLabel->setText(tr("Offline"));
        statusBar()->showMessage(tr("Failed to connect: ") + QString::fromUtf8(e.what()));
    }

    connect(&m_PollTimer, &QTimer::timeout, this, &CKV521MainWindow::OnTimer);
    m_PollTimer.start(25);

    FillStorageTree();
    RestoreSettings();

    m_pUi->m_pNumEventsLabel->setVisible(false);
    m_pUi->m_pNumEventsEdit->setVisible(false);

    // The live diagram keeps no more than the detector's own ring holds; a day
    // of polling would otherwise grow it without end.
    m_pUi->m_pRealtimeGraphFrame->SetSampleLimit(size_t(KV520::kHistorySize));
    connect(m_pUi->m_pRealtimeGraphFrame, &CQDiagramWidget::diagramTypeChanged, this,
            &CKV521MainWindow::OnDiagramTypeChanged);
    connect(m_pUi->m_pRealtimeGraphFrame, &CQDiagramWidget::autoScrollToggle, this,
            &CKV521MainWindow::OnAutoScrollToggle);
    connect(m_pUi->m_pDeviceFrame, &CDeviceWidget::deviceChannelChanged, this,
            &CKV521MainWindow::OnDeviceChannelChanged);
    setMouseTracking(true);
}

CKV521MainWindow::~CKV521MainWindow()
{
    m_PollTimer.stop();
    if (m_pOscWindow)
        m_pOscWindow->close();
    g_pDevice->Stop();
    {
        QSettings settings;
        settings.setValue(QStringLiteral("Window/Maximized"), isMaximized());
        settings.setValue(QStringLiteral("Window/Geometry"), geometry());
        settings.setValue(QStringLiteral("Window/Splitter"), m_pUi->m_pRightSplitter->saveState());
        // Widths fitted to a list are not the user's: the next list fits its own.
        if (!m_pLogView->IsAutoColumnWidths())
            for (int i = 0; i < m_pUi->m_pLogListTree->columnCount(); ++i)
                settings.setValue(QStringLiteral("Window/Log/Column%1").arg(i),
                                  m_pUi->m_pLogListTree->columnWidth(i));
        settings.setValue(QStringLiteral("Window/Log/TabIndex"), m_pUi->m_pTabWidget->currentIndex());
        // The language is stored only when the user picks one: until then a
        // change of the desktop's language is followed.
    }
    delete m_pManualWindow;
}

void CKV521MainWindow::InitLayout()
{
    m_pUi->m_pDeviceFrame->setFixedSize(160, 303);
    SplitHalves();
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
    // Permanent, so that no status message ever hides the state of the link.
    m_pLinkField = new CLinkStatusField;
    m_pLinkLabel = m_pLinkField->StateLabel();
    m_pLinkLabel->setText(tr("Offline"));
    statusBar()->addPermanentWidget(m_pLinkField, 0);
    connect(m_pLinkField, &CLinkStatusField::clicked, this, &CKV521MainWindow::OnFileConnectionAction);
    connect(ui.m_pFileConnectionAction, &QAction::triggered, this, &CKV521MainWindow::OnFileConnectionAction);
    // A long link message does not fit the bar: its whole text is the bar's tooltip.
    statusBar()->installEventFilter(this);
    connect(statusBar(), &QStatusBar::messageChanged, this, [this](const QString& strMessage) {
        statusBar()->setToolTip(!strMessage.isEmpty() && strMessage == m_strLinkMessage ? strMessage : QString());
        ClockMessageChanged(strMessage);
    });
    m_pStateLabel = new QLabel(tr("Normal"));
    statusBar()->addWidget(m_pStateLabel, 0);
    // Offered beside the message about a detector clock that is off.
    m_pSetClockButton = new QPushButton(tr("Set Detector Clock"));
    m_pSetClockButton->hide();
    statusBar()->addPermanentWidget(m_pSetClockButton, 0);
    connect(m_pSetClockButton, &QPushButton::clicked, this, &CKV521MainWindow::OnSetClockButton);
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
    m_pLinkLabel->setAccessibleName(tr("Connection to the detector"));
    ui.m_pDeviceFrame->setAccessibleName(tr("Front panel"));
    ui.m_pLogGraphFrame->SetPictureNamer([this] {
        // The file shown, as the storage tree names it.
        const QTreeWidgetItem* pItem = m_pUi->m_pStorageTree->currentItem();
        return pItem && pItem->parent() ? pItem->text(0) : QString();
    });

    // Pictures of the view that has the keyboard focus.
    auto* pSaveImage = new QAction(this);
    auto* pCopyImage = new QAction(this);
    m_pSaveImageAction = pSaveImage;
    m_pCopyImageAction = pCopyImage;
    RetranslateImageActions();
    pSaveImage->setObjectName(QStringLiteral("m_pFileSaveImageAction"));
    pCopyImage->setObjectName(QStringLiteral("m_pFileCopyImageAction"));
    pCopyImage->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    QAction* pBefore = ui.m_pFileMenu->actions().value(ui.m_pFileMenu->actions().indexOf(ui.m_pFileExitAction) - 1);
    ui.m_pFileMenu->insertActions(pBefore ? pBefore : ui.m_pFileExitAction, {pSaveImage, pCopyImage});
    ui.m_pFileMenu->insertSeparator(pSaveImage);
    connect(pSaveImage, &QAction::triggered, this, [this] {
        QString strName;
        if (QWidget* pView = FocusedView(&strName))
            CWidgetPicture::SaveWithDialog(pView, strName);
    });
    connect(pCopyImage, &QAction::triggered, this, [this] {
        QString strName;
        if (QWidget* pView = FocusedView(&strName))
            CWidgetPicture::CopyToClipboard(pView, strName);
    });
}

void CKV521MainWindow::RetranslateImageActions()
{
    m_pSaveImageAction->setText(tr("Save &Image..."));
    m_pCopyImageAction->setText(tr("Cop&y Image"));
}

QWidget* CKV521MainWindow::FocusedView(QString* pName) const
{
    // The realtime diagram when no view has the focus: it is what the window is mostly about.
    for (QWidget* pWidget = QApplication::focusWidget(); pWidget; pWidget = pWidget->parentWidget()) {
        if (auto* pDiagram = qobject_cast<CQDiagramWidget*>(pWidget)) {
            *pName = pDiagram->PictureName();
            return pDiagram;
        }
        if (pWidget == m_pUi->m_pDeviceFrame) {
            *pName = pWidget->accessibleName();
            return pWidget;
        }
        if (m_pOscWindow && pWidget == m_pOscWindow) {
            *pName = m_pOscWindow->DiagramWidget()->PictureName();
            return m_pOscWindow->DiagramWidget();
        }
    }
    *pName = m_pUi->m_pRealtimeGraphFrame->PictureName();
    return m_pUi->m_pRealtimeGraphFrame;
}

void CKV521MainWindow::InitLogList()
{
    m_pLogView->InitLogList();
}

void CKV521MainWindow::FillStorageTree()
{
    m_pStorage->FillStorageTree();
}

void CKV521MainWindow::SplitHalves()
{
    const int h = height();
    m_pUi->m_pRightSplitter->setSizes({h / 2, h / 2});
}

void CKV521MainWindow::RestoreSettings()
{
    QSettings settings;
    const QScreen* pScreen = screen() ? screen() : QGuiApplication::primaryScreen();
    const QRect firstStart = pScreen ? CWindowPlacement::FirstStart(pScreen->availableGeometry())
                                     : QRect(50, 50, 600, 400);
    QRect geometry = settings.value(QStringLiteral("Window/Geometry"), firstStart).toRect();
    if (!geometry.isValid())
        geometry = firstStart;
    geometry = CWindowPlacement::BroughtBack(geometry);
    setGeometry(geometry);
    setWindowState(settings.value(QStringLiteral("Window/Maximized"), false).toBool() ? Qt::WindowMaximized
                                                                                      : Qt::WindowNoState);
    if (!m_pUi->m_pRightSplitter->restoreState(settings.value(QStringLiteral("Window/Splitter")).toByteArray()))
        SplitHalves();
    QList<int> widths;
    for (int i = 0; i < m_pUi->m_pLogListTree->columnCount(); ++i) {
        const QVariant vWidth = settings.value(QStringLiteral("Window/Log/Column%1").arg(i));
        if (!vWidth.isValid())
            break;
        widths << vWidth.toInt();
    }
    m_pLogView->RestoreColumnWidths(widths);
    m_pUi->m_pTabWidget->setCurrentIndex(settings.value(QStringLiteral("Window/Log/TabIndex"), 0).toInt());
    // The form opens on the same tab that may be stored, which emits no
    // change: keep the Log menu's Diagram/List marks in step anyway.
    OnTabWidgetCurChanged(m_pUi->m_pTabWidget->currentIndex());
}

QString CKV521MainWindow::StorageFolder() const
{
    return m_pStorage->StorageFolder();
}

void CKV521MainWindow::ShowLinkProblem()
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
        ClearLinkMessage();
    else
        ShowLinkMessage(strText);
}

void CKV521MainWindow::ShowLinkMessage(const QString& strText)
{
    m_strLinkMessage = strText;
    statusBar()->showMessage(strText);
}

void CKV521MainWindow::ClearLinkMessage()
{
    // Only our own message: one the user caused meanwhile stays.
    if (!m_strLinkMessage.isEmpty() && statusBar()->currentMessage() == m_strLinkMessage)
        statusBar()->clearMessage();
    m_strLinkMessage.clear();
}

void CKV521MainWindow::UpdateLinkPort()
{
    m_pLinkField->SetPortName(m_PortChoice.GetKind() == CPortChoice::Kind::Simulated ? tr("simulated detector")
                                                                                     : g_pDevice->GetPortName());
}

bool CKV521MainWindow::ApplyPortChoice(const CPortChoice& choice)
{
    m_PortChoice = choice;
    CPortChoice link = choice;
    if (choice.GetKind() == CPortChoice::Kind::Simulated) {
#ifdef KV521_HAVE_SIMULATOR
        if (!m_pSimulator) {
            CKV521Simulator::Options options;
            options.bPace = true;
            auto pSimulator = std::make_shared<CKV521Simulator>(options);
            QString strError;
            if (!pSimulator->Open(&strError)) {
                ShowLinkMessage(tr("Cannot start the simulated detector: %1").arg(strError));
                m_pDevice->SetPortChoice(CPortChoice::Automatic());
                return false;
            }
            pSimulator->Start();
            m_pSimulator = std::move(pSimulator);
        }
        link = CPortChoice::Named(m_pSimulator->SlavePath());
#else
        ShowLinkMessage(tr("Cannot start the simulated detector: %1").arg(tr("not available on this system")));
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

bool CKV521MainWindow::SwitchPort(const CPortChoice& choice)
{
    m_pDevice->Stop();
    // The old detector's last records end its recording; the next link starts a new file.
    PollRecorder();
    m_pRecorder->Close();
    const bool bOk = ApplyPortChoice(choice);
    m_strShownLinkError.clear();
    if (bOk)
        ClearLinkMessage();
    // As after a restart: a trace from another detector must not run on into this one's.
    m_pUi->m_pRealtimeGraphFrame->ClearAll(true);
    m_pUi->m_pRealtimeGraphFrame->update();
    m_nLastRecordCount = -1;
    m_nModeOnChange = -1;
    m_nModeOnData = -1;
    m_pLinkLabel->setText(tr("Offline"));
    // Left on purpose: not a detector that stopped answering.
    m_nLinkState = -1;
    try {
        m_pDevice->Start();
    } catch (const std::exception& e) {
        ShowLinkMessage(tr("Failed to connect: ") + QString::fromUtf8(e.what()));
        return false;
    }
    UpdateLinkPort();
    return bOk;
}

void CKV521MainWindow::OnFileConnectionAction()
{
#ifdef KV521_HAVE_SIMULATOR
    const bool bSimulator = true;
#else
    const bool bSimulator = false;
#endif
    CPortChooserDialog dialog(Enumerator(), m_PortChoice, bSimulator, this,
                              g_pDevice->IsConnected() ? g_pDevice->GetPortName() : QString());
    if (dialog.exec() != QDialog::Accepted)
        return;
    const CPortChoice choice = dialog.Choice();
    // The same link again: restarting it would only throw the trace away.
    if (choice.GetKind() == m_PortChoice.GetKind() && choice.Port() == m_PortChoice.Port())
        return;
    if (!SaveOrDiscardCollected(tr("The collected data has not been saved. Save it before switching the port?")))
        return;
    {
        QSettings settings;
        choice.Save(settings);
    }
    SwitchPort(choice);
}

void CKV521MainWindow::ShowNoDataCause(int nCauses)
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
    ShowLinkMessage(tr("No usable data from the port: %1.").arg(causes.join(QStringLiteral(", "))));
}

void CKV521MainWindow::OnTimer()
{
    try {
        UpdateLinkPort();
        bool bRepaint = false;
        int nLinkState = 0;
        if (g_pDevice->IsConnected()) {
            nLinkState = 1;
            m_pLinkLabel->setText(tr("Online"));
            m_nShownNoDataCauses = 0;
            m_strShownLinkError.clear();
            ClearLinkMessage();
            const int32_t nMode = g_pDevice->GetModeFlags();
            const int64_t nTotal = g_pDevice->GetRecordTotal();
            if (m_bClockSetting)
                CheckClockAfterSetting(nTotal);
            else if (!m_bClockChecked && nTotal > 0)
                CheckDeviceClock(g_pDevice->GetLastRecord());
            else if (!m_strClockMessage.isEmpty() && nTotal != m_nLastRecordCount) {
                // Set some other way (the device menu): nothing left to offer.
                const CDeviceRecord last = g_pDevice->GetLastRecord();
                if (!last.IsEmpty()
                    && ClockDifferenceText(last.m_nTime - QDateTime::currentSecsSinceEpoch()).isEmpty())
                    ShowClockMessage(QString());
            }
            if (nMode != 0 && nTotal != m_nLastRecordCount) {
                if (nMode != m_nModeOnChange) {
                    SetupSignals(m_pUi->m_pRealtimeGraphFrame, nMode, true);
                    m_nModeOnChange = nMode;
                    bRepaint = true;
                }
                if (nTotal == 0) {
                    m_nLastRecordCount = 0;
                } else {
                    if (nMode != m_nModeOnData) {
                        SetupSignals(m_pUi->m_pRealtimeGraphFrame, nMode, true);
                        m_nModeOnData = nMode;
                    }
                    AddNewRecords(nMode, nTotal);
                    bRepaint = true;
                }
            }
        } else if (g_pDevice->HasFailed()) {
            nLinkState = 2;
            m_pLinkLabel->setText(tr("Error"));
            m_pReadyLabel->setText(QString());
            ShowLinkMessage(tr("Device data exchange error occurred! Trying to restart exchange process..."));
            QThread::msleep(100);
            g_pDevice->Start();
            // The restarted device counts its records from 0 again.
            m_nLastRecordCount = -1;
        } else if (const int nCauses = g_pDevice->GetNoDataCauses()) {
            nLinkState = 3;
            m_pLinkLabel->setText(tr("No data"));
            ShowNoDataCause(nCauses);
        } else {
            m_pLinkLabel->setText(tr("Offline"));
            ShowLinkProblem();
            // A link that was up and went quiet, with no other cause to tell.
            if (m_nLinkState == 1 && m_strLinkMessage.isEmpty())
                ShowLinkMessage(tr("The detector is not responding"));
        }
        bool bRepaintNow = false;
        if (nLinkState != m_nLinkState) {
            m_nLinkState = nLinkState;
            bRepaintNow = true;
            if (nLinkState != 1) {
                // The next connection may be another detector with another clock.
                m_bClockChecked = false;
                m_bClockSetting = false;
                const QString strClock = std::exchange(m_strClockMessage, QString());
                m_pSetClockButton->hide();
                if (!strClock.isEmpty() && statusBar()->currentMessage() == strClock)
                    statusBar()->clearMessage();
            }
        }
        m_pAlarms->Poll(g_pDevice);
        PollRecorder();
        // Drawn when something changed, not for nothing at every tick, and new
        // records at most every kRepaintTicks: ten pictures a second follow the
        // levels as well as one per frame did. The mouse, resizes and the
        // views' own actions ask for their repaints; the log diagram changes
        // only when the log view loads a file.
        m_bRepaintPending = m_bRepaintPending || bRepaint;
        ++m_nTicksSinceRepaint;
        if (bRepaintNow || (m_bRepaintPending && m_nTicksSinceRepaint >= kRepaintTicks)) {
            m_pUi->m_pRealtimeGraphFrame->update();
            m_bRepaintPending = false;
            m_nTicksSinceRepaint = 0;
        }
        if (++m_nTickCount > 4) {
            m_pUi->m_pDeviceFrame->update();
            m_nTickCount = 0;
        }
    } catch (...) {
        statusBar()->showMessage(tr("Device data processing error!"));
    }
}

void CKV521MainWindow::AddNewRecords(int32_t nMode, int64_t nTotal)
{
    // Every record since the last tick, not only the newest: a short strong
    // signal must show even when the interface was busy for a while. Records
    // older than the ring holds are gone; a count that went back means the
    // device started a new history.
    int64_t nFirst = (m_nLastRecordCount < 0 || nTotal < m_nLastRecordCount) ? 0 : m_nLastRecordCount;
    nFirst = qMax<int64_t>(nFirst, nTotal - KV520::kHistorySize);
    CQDiagramWidget* pDiagram = m_pUi->m_pRealtimeGraphFrame;
    for (int64_t k = nFirst; k < nTotal; ++k) {
        const CDeviceRecord record = g_pDevice->GetRecord(int(k % KV520::kHistorySize));
        if (record.IsEmpty())
            continue;
        // A detector clock set back (by the user, or a new battery) would
        // otherwise land before the window and never show again.
        if (m_nLastSampleTime != 0 && record.m_nTime < m_nLastSampleTime - kClockToleranceSecs)
            pDiagram->ClearAll(true);
        m_nLastSampleTime = record.m_nTime;
        // The oscilloscope gets one trace per tick, with the newest record.
        if (k == nTotal - 1)
            AddRecordToDiagram(nMode, pDiagram, record, true);
        else
            CRecordDiagram::AddRecord(pDiagram, record, true);
    }
    m_nLastRecordCount = nTotal;
}

QString CKV521MainWindow::ClockDifferenceText(int64_t nDetectorMinusPc)
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

void CKV521MainWindow::CheckDeviceClock(const CDeviceRecord& record)
{
    if (record.IsEmpty())
        return;
    m_bClockChecked = true;
    ShowClockMessage(ClockDifferenceText(record.m_nTime - QDateTime::currentSecsSinceEpoch()));
}

void CKV521MainWindow::ShowClockMessage(QString strText)
{
    const QString strOld = std::exchange(m_strClockMessage, strText);
    if (strText.isEmpty()) {
        m_pSetClockButton->hide();
        if (!strOld.isEmpty() && statusBar()->currentMessage() == strOld)
            statusBar()->clearMessage();
        return;
    }
    statusBar()->showMessage(strText);
    m_pSetClockButton->setEnabled(true);
    m_pSetClockButton->show();
}

void CKV521MainWindow::ClockMessageChanged(const QString& strMessage)
{
    if (m_strClockMessage.isEmpty())
        return;
    // The button belongs beside its message: another message hides both for
    // a while, and the clock's comes back when that one has gone.
    if (strMessage.isEmpty())
        QTimer::singleShot(0, this, [this] {
            if (!m_strClockMessage.isEmpty() && statusBar()->currentMessage().isEmpty())
                ShowClockMessage(m_strClockMessage);
        });
    else
        m_pSetClockButton->setVisible(strMessage == m_strClockMessage);
}

void CKV521MainWindow::OnSetClockButton()
{
    if (!g_pDevice->IsConnected())
        return;
    // Exactly the device menu's "Sync with PC" and OK: the worker fills the
    // clock block from the PC's clock as the write goes out.
    g_pDevice->SetMenuByte(KV520Menu::kSyncPc, 1);
    g_pDevice->SetCommand(KV520::kCmdWriteMenu);
    m_nClockSetTotal = g_pDevice->GetRecordTotal();
    m_bClockSetting = true;
    m_pSetClockButton->setEnabled(false);
    m_strClockMessage = tr("Setting the detector's clock...");
    statusBar()->showMessage(m_strClockMessage);
}

void CKV521MainWindow::CheckClockAfterSetting(int64_t nTotal)
{
    // The frame the write answers is not stored, and one stored meanwhile may
    // still carry the old time: the second record after the click tells.
    if (nTotal < m_nClockSetTotal + 2)
        return;
    const CDeviceRecord last = g_pDevice->GetLastRecord();
    if (last.IsEmpty())
        return;
    m_bClockSetting = false;
    const QString strLeft = ClockDifferenceText(last.m_nTime - QDateTime::currentSecsSinceEpoch());
    if (strLeft.isEmpty()) {
        ShowClockMessage(QString());
        statusBar()->showMessage(tr("The detector's clock is set to the PC's"), 10000);
    } else {
        ShowClockMessage(tr("The detector did not take the PC's time. %1").arg(strLeft));
    }
}

QString CKV521MainWindow::RecordingFolder() const
{
    return QDir(StorageFolder()).filePath(QStringLiteral("Recordings"));
}

void CKV521MainWindow::PollRecorder()
{
    // Taken when the next file begins; the storage folder may change meanwhile.
    if (!m_pRecorder->IsWriting())
        m_pRecorder->SetFolder(RecordingFolder());
    m_RecordFeed.SetDevice(g_pDevice);
    m_RecordFeed.Subscribe(m_pRecorder.get());
    m_RecordFeed.Poll();
    if (!m_pRecorder->Tick(g_pDevice->IsConnected())) {
        statusBar()->showMessage(tr("Recording stopped: %1").arg(m_pRecorder->Error()));
        // Off for this run only: the stored choice stays for the next start.
        const QSignalBlocker blocker(m_pUi->m_pRecordToFileAction);
        m_pUi->m_pRecordToFileAction->setChecked(false);
    }
    // The first recording in a storage folder makes its "Recordings" folder,
    // which the tree shows at once rather than at the next refill.
    const QString strFile = m_pRecorder->FilePath();
    if (!strFile.isEmpty() && strFile != m_strRecordingFile) {
        m_strRecordingFile = strFile;
        QTreeWidgetItem* pRoot = m_pUi->m_pStorageTree->topLevelItem(0);
        bool bShown = false;
        for (int i = 0; pRoot && i < pRoot->childCount() && !bShown; ++i)
            bShown = pRoot->child(i)->text(0) == QLatin1String("Recordings");
        if (pRoot && !bShown)
            FillStorageTree();
    }
    const int64_t nTotal = g_pDevice->GetRecordTotal();
    if (nTotal < m_nSavedTotal)
        m_nSavedTotal = 0;
    if (m_pRecorder->IsEnabled() && !m_pRecorder->HasFailed())
        m_nSavedTotal = nTotal;
}

bool CKV521MainWindow::HasUnsavedRecords()
{
    if (m_pRecorder->IsEnabled() && !m_pRecorder->HasFailed())
        return false;
    return g_pDevice->GetRecordTotal() > m_nSavedTotal;
}

void CKV521MainWindow::OnRecordToFileAction(bool bChecked)
{
    QSettings().setValue(QLatin1String(kRecordKey), bChecked);
    m_pRecorder->SetEnabled(bChecked);
    if (bChecked)
        statusBar()->showMessage(tr("Recording to %1").arg(QDir::toNativeSeparators(RecordingFolder())), 10000);
}

void CKV521MainWindow::OnTimer2()
{
}

void CKV521MainWindow::SetupSignals(CQDiagramWidget* pDiagram, int32_t nMode, bool bThresholds)
{
    CRecordDiagram::SetupSignals(pDiagram, nMode, bThresholds);
}

void CKV521MainWindow::AddRecordToDiagram(int32_t, CQDiagramWidget* pDiagram, const CDeviceRecord& record,
                                          bool bThresholds)
{
    CRecordDiagram::AddRecord(pDiagram, record, bThresholds);
    if (m_pOscWindow) {
        int nParam = 0;
        const QByteArray samples = g_pDevice->GetOscilloscopeSamples(&nParam);
        m_pOscWindow->SetFrame(samples, nParam);
    }
}

void CKV521MainWindow::OnLogMaximizeButton()
{
    const int h = height();
    const bool bMaximize = m_pUi->m_pRightSplitter->sizes().value(1) != 0;
    m_pUi->m_pRightSplitter->setSizes(bMaximize ? QList<int>{h, 0} : QList<int>{h / 2, h / 2});
    m_pUi->m_pLogMaxAction->setChecked(bMaximize);
    m_pUi->m_pMaxLogButton->setChecked(bMaximize);
}

void CKV521MainWindow::OnRealtimeMaximizeButton()
{
    const int h = height();
    const bool bMaximize = m_pUi->m_pRightSplitter->sizes().value(0) != 0;
    m_pUi->m_pRightSplitter->setSizes(bMaximize ? QList<int>{0, h} : QList<int>{h / 2, h / 2});
    m_pUi->m_pMaxRealtimeAction->setChecked(bMaximize);
    m_pUi->m_pMaxRealtimeButton->setChecked(bMaximize);
}

void CKV521MainWindow::OnRealtimeClearButton()
{
    m_pUi->m_pRealtimeGraphFrame->ClearAll(true);
    m_pUi->m_pRealtimeGraphFrame->update();
    statusBar()->showMessage(tr("Collected data cleared"), 10000);
}

void CKV521MainWindow::OnRealtimeSaveButton()
{
    SaveCollectedData();
}

bool CKV521MainWindow::SaveCollectedData()
{
    const int64_t nTotal = g_pDevice->GetRecordTotal();
    m_pStorage->OnRealtimeSaveButton();
    if (!g_pDevice->GetLastFileError().isEmpty())
        return false;
    // The save takes its snapshot after this count was read, so at least
    // these records are in the file.
    m_nSavedTotal = qMax(m_nSavedTotal, nTotal);
    return true;
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
    RetranslateImageActions();
    m_pUi->m_pOptButton3->setText(tr("&Oscilloscope"));
    RestoreOptionButtons();
    m_pReadyLabel->setText(tr("Ready"));
    m_pStateLabel->setText(tr("Normal"));
    InitLogList();
    setWindowTitle(QCoreApplication::applicationName());
    // Renamed in place rather than rebuilt, which would throw away the trace
    // collected so far.
    CRecordDiagram::RetranslateSignals(m_pUi->m_pRealtimeGraphFrame);
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
    RestoreSettings();
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
    const int nKind = m_pUi->m_pRealtimeGraphFrame->GetDiagramType(0);
    if (nKind == 0 || nKind == 1 || nKind == 3)
        m_bDifference = bChecked;
}

void CKV521MainWindow::OnOptButton2(bool bChecked)
{
    const int nKind = m_pUi->m_pRealtimeGraphFrame->GetDiagramType(0);
    if (nKind == 0 || nKind == 1)
        m_pUi->m_pRealtimeGraphFrame->SetAutoScroll(bChecked);
}

void CKV521MainWindow::OnOptButton3()
{
    if (m_pOscWindow) {
        removeDockWidget(m_pOscWindow);
        disconnect(m_pOscWindow, &COscilloscopeWindow::closed, this, &CKV521MainWindow::OnOscWindowClosed);
        // Closing first stores the window's geometry.
        m_pOscWindow->close();
        delete m_pOscWindow;
        m_pOscWindow = nullptr;
        return;
    }
    m_pOscWindow = new COscilloscopeWindow(this);
    m_pOscWindow->SetTimeRange(0, 5120);
    m_pOscWindow->SetLevelRange(0, 256);
    connect(m_pOscWindow, &COscilloscopeWindow::closed, this, &CKV521MainWindow::OnOscWindowClosed);
    // Qt 6 refuses "no dock area"; the window's form makes it a free-floating
    // dock that may not be docked, which is what that area meant.
    m_pOscWindow->show();
    m_pOscWindow->activateWindow();
}

void CKV521MainWindow::OnDiagramTypeChanged(int, DiagramType eType)
{
    const int nKind = eType;
    if (nKind == 0 || nKind == 1) {
        m_pUi->m_pOptButton2->setText(tr("&Autoscroll"));
        m_pUi->m_pOptButton2->show();
        m_pUi->m_pOptButton2->setChecked(m_pUi->m_pRealtimeGraphFrame->IsAutoScroll());
    } else if (nKind == 3) {
        m_pUi->m_pOptButton1->setText(tr("D&ifference"));
        m_pUi->m_pOptButton1->show();
        m_pUi->m_pOptButton2->hide();
    } else {
        m_pUi->m_pOptButton1->hide();
    }
}

void CKV521MainWindow::RestoreOptionButtons()
{
    // Retranslating puts back the form's placeholders; these are the only
    // texts the diagram kinds ever give the buttons, and whether a button shows
    // is left as the kind decided.
    m_pUi->m_pOptButton1->setText(tr("D&ifference"));
    m_pUi->m_pOptButton2->setText(tr("&Autoscroll"));
}

void CKV521MainWindow::OnAutoScrollToggle(bool bEnabled)
{
    m_pUi->m_pOptButton2->setChecked(bEnabled);
}

void CKV521MainWindow::OnDeviceChannelChanged()
{
    m_pUi->m_pRealtimeGraphFrame->ClearAll(true);
    m_pUi->m_pRealtimeGraphFrame->update();
}

void CKV521MainWindow::OnOscWindowClosed()
{
    // The signal comes from inside the window's own close handling: delete it
    // once that has returned.
    if (m_pOscWindow)
        m_pOscWindow->deleteLater();
    m_pOscWindow = nullptr;
}

void CKV521MainWindow::mouseReleaseEvent(QMouseEvent* pEvent)
{
    pEvent->ignore();
}

void CKV521MainWindow::mouseMoveEvent(QMouseEvent* pEvent)
{
    pEvent->ignore();
}

bool CKV521MainWindow::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    // "No detector found — choose its port": the message itself leads to the
    // chooser. On the press: the bar does not take presses, so the release
    // would go elsewhere.
    if (pWatched == statusBar() && pEvent->type() == QEvent::MouseButtonPress
        && static_cast<QMouseEvent*>(pEvent)->button() == Qt::LeftButton && !m_strLinkMessage.isEmpty()
        && statusBar()->currentMessage() == m_strLinkMessage && g_pDevice->NeedsPortChoice()) {
        QTimer::singleShot(0, this, &CKV521MainWindow::OnFileConnectionAction);
        return true;
    }
    return QMainWindow::eventFilter(pWatched, pEvent);
}

bool CKV521MainWindow::SaveOrDiscardCollected(const QString& strQuestion)
{
    if (!HasUnsavedRecords())
        return true;
    QMessageBox box(QMessageBox::Question, QCoreApplication::applicationName(), strQuestion,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    const int nAnswer = box.exec();
    if (nAnswer == QMessageBox::Save)
        return SaveCollectedData();
    return nAnswer == QMessageBox::Discard;
}

void CKV521MainWindow::closeEvent(QCloseEvent* pEvent)
{
    if (!SaveOrDiscardCollected(tr("The collected data has not been saved. Save it before closing?"))) {
        pEvent->ignore();
        return;
    }
    g_pDevice->Stop();
    // What the worker stored last goes into the recording before it ends.
    PollRecorder();
    m_pRecorder->Close();
    m_pManualWindow->close();
    pEvent->accept();
}
