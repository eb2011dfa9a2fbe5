#include "kv521mainwindow.h"

#include "ui_mainwindow.h"
#include "windowplacement.h"

#include "devicerecord.h"
#include "devicewidget.h"
#include "kv520device.h"
#include "kv520menudialog.h"
#include "kv520protocol.h"
#include "language.h"
#include "logview.h"
#include "manualwindow.h"
#include "oscilloscopewindow.h"
#include "preferencesdialog.h"
#include "qdiagramwidget.h"
#include "recorddiagram.h"
#include "storagebrowser.h"

#include <QCloseEvent>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QThread>

#include <exception>

namespace {

QString& DevicePort()
{
    static QString strPort;
    return strPort;
}

} // namespace

void CKV521MainWindow::SetDevicePort(const QString& strPort)
{
    DevicePort() = strPort;
}

CKV521MainWindow::CKV521MainWindow(QWidget* pParent, Qt::WindowFlags flags)
    : QMainWindow(pParent, flags), m_pUi(new Ui::CMainWindowClass)
{
    QCoreApplication::setOrganizationName(QStringLiteral("Lumatrix"));
    QCoreApplication::setOrganizationDomain(QString());
    QCoreApplication::setApplicationName(QStringLiteral("KV521 Analyzer"));
    CLanguage::Instance().LoadStored();
    QCoreApplication::setApplicationVersion(tr("Version") + QStringLiteral(" 2.0.05"));

    // The device object lives until the process ends: the panel, the painter
    // and the dialogs reach it through the global at any time.
    auto* pDevice = new CKV520Device;
    if (!DevicePort().isEmpty())
        pDevice->SetPortOverride(DevicePort());
    g_pDevice = pDevice;

    // The panel's MENU key and File > Device Menu... open the settings dialog;
    // the panel has already checked the connection.
    CDeviceWidget::SetMenuOpener([](QWidget*) {
        CKV520MenuDialog dialog(nullptr);
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

    m_pUi->m_pOptButton1->hide();
    m_pUi->m_pOptButton2->hide();
    m_pUi->m_pOptButton3->setText(tr("Oscilloscope"));
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
    InitLogList();
    m_pManualWindow = new CManualWindow(&CLanguage::Instance());

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
        for (int i = 0; i < m_pUi->m_pLogListTree->columnCount(); ++i)
            settings.setValue(QStringLiteral("Window/Log/Column%1").arg(i), m_pUi->m_pLogListTree->columnWidth(i));
        settings.setValue(QStringLiteral("Window/Log/TabIndex"), m_pUi->m_pTabWidget->currentIndex());
        settings.setValue(QLatin1String(CLanguage::SettingsKey), CLanguage::Instance().Name());
    }
    delete m_pManualWindow;
}

void CKV521MainWindow::InitLayout()
{
    m_pUi->m_pDeviceFrame->setFixedSize(160, 303);
    SplitHalves();
    m_pUi->m_pRightSplitter->setStyleSheet(QStringLiteral("QSplitter::handle { background: lightGray; height: 3px } "));

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
    m_pLinkLabel = new QLabel(tr("Offline"));
    statusBar()->addWidget(m_pLinkLabel, 0);
    m_pStateLabel = new QLabel(tr("Normal"));
    statusBar()->addWidget(m_pStateLabel, 0);
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
    QRect geometry = settings.value(QStringLiteral("Window/Geometry"), QRect(50, 50, 600, 400)).toRect();
    if (!geometry.isValid())
        geometry = QRect(50, 50, 600, 400);
    geometry = CWindowPlacement::BroughtBack(geometry);
    setGeometry(geometry);
    setWindowState(settings.value(QStringLiteral("Window/Maximized"), false).toBool() ? Qt::WindowMaximized
                                                                                      : Qt::WindowNoState);
    if (!m_pUi->m_pRightSplitter->restoreState(settings.value(QStringLiteral("Window/Splitter")).toByteArray()))
        SplitHalves();
    for (int i = 0; i < m_pUi->m_pLogListTree->columnCount(); ++i)
        m_pUi->m_pLogListTree->setColumnWidth(i, settings.value(QStringLiteral("Window/Log/Column%1").arg(i), 75).toInt());
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
    if (strError == m_strShownLinkError)
        return;
    m_strShownLinkError = strError;
    if (strError.isEmpty())
        return;
    QString strText = tr("Cannot open the detector's port: %1").arg(strError);
#ifdef Q_OS_LINUX
    if (bPermission)
        strText += tr(" (add your user to the \"dialout\" group and log in again)");
#endif
    statusBar()->showMessage(strText);
}

void CKV521MainWindow::OnTimer()
{
    try {
        if (g_pDevice->IsConnected()) {
            m_pLinkLabel->setText(tr("Online"));
            if (!m_strShownLinkError.isEmpty()) {
                m_strShownLinkError.clear();
                statusBar()->clearMessage();
            }
            const int32_t nMode = g_pDevice->GetModeFlags();
            const int32_t nCount = g_pDevice->GetRecordCount();
            if (nMode != 0 && nCount != m_nLastRecordCount) {
                if (nMode != m_nModeOnChange) {
                    SetupSignals(m_pUi->m_pRealtimeGraphFrame, nMode, true);
                    m_nModeOnChange = nMode;
                }
                if (nCount == 0) {
                    m_nLastRecordCount = 0;
                } else {
                    if (nMode != m_nModeOnData) {
                        SetupSignals(m_pUi->m_pRealtimeGraphFrame, nMode, true);
                        m_nModeOnData = nMode;
                    }
                    const CDeviceRecord record = g_pDevice->GetLastRecord();
                    AddRecordToDiagram(nMode, m_pUi->m_pRealtimeGraphFrame, record, true);
                    m_nLastRecordCount = nCount;
                }
            }
            m_pUi->m_pRealtimeGraphFrame->update();
        } else if (g_pDevice->HasFailed()) {
            m_pLinkLabel->setText(tr("Error"));
            m_pReadyLabel->setText(QString());
            statusBar()->showMessage(tr("Device data exchange error occurred! Trying to restart exchange process..."));
            QThread::msleep(100);
            g_pDevice->Start();
        } else {
            m_pLinkLabel->setText(tr("Offline"));
            ShowLinkProblem();
        }
        if (++m_nTickCount > 4) {
            m_pUi->m_pDeviceFrame->update();
            m_pUi->m_pLogGraphFrame->update();
            m_nTickCount = 0;
        }
    } catch (...) {
        statusBar()->showMessage(tr("Device data processing error!"));
    }
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
    m_pStorage->OnRealtimeSaveButton();
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
    m_pUi->m_pOptButton3->setText(tr("Oscilloscope"));
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
                              QMessageBox::Yes | QMessageBox::No)
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
                           + QCoreApplication::applicationVersion() + QStringLiteral("<br>")
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
        m_pUi->m_pOptButton2->setText(tr("Autoscroll"));
        m_pUi->m_pOptButton2->show();
        m_pUi->m_pOptButton2->setChecked(m_pUi->m_pRealtimeGraphFrame->IsAutoScroll());
    } else if (nKind == 3) {
        m_pUi->m_pOptButton1->setText(tr("Difference"));
        m_pUi->m_pOptButton1->show();
        m_pUi->m_pOptButton2->hide();
    } else {
        m_pUi->m_pOptButton1->hide();
    }
}

void CKV521MainWindow::OnAutoScrollToggle(bool bEnabled)
{
    m_pUi->m_pOptButton2->setChecked(bEnabled);
}

void CKV521MainWindow::OnDeviceChannelChanged()
{
    m_pUi->m_pRealtimeGraphFrame->ClearAll(true);
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

void CKV521MainWindow::closeEvent(QCloseEvent* pEvent)
{
    g_pDevice->Stop();
    m_pManualWindow->close();
    pEvent->accept();
}
