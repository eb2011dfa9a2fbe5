#include "kv521mainwindow.h"
#include "ui_mainwindow.h"

#include "devicerecord.h"
#include "idevice.h"
#include "isolatedhome.h"
#include "kv520device.h"
#include "kv520menudialog.h"
#include "kv520menupositions.h"
#include "kv520protocol.h"
#include "manualwindow.h"
#include "oscilloscopewindow.h"
#include "kv521simulator.h"
#include "logview.h"
#include "windowplacement.h"
#include "qdiagramwidget.h"
#include "recorddiagram.h"
#include "diagrampalette.h"
#include "dialoganswerer.h"

#include "../panel/countingalarmoutput.h"
#include "../panel/fakedevice.h"
#include "alarmnotifier.h"
#include "catalogue.h"
#include "cataloguecontroller.h"
#include "realtimerecorder.h"
#include "sidecar.h"
#include "storagebrowser.h"
#include "sweepcontextbar.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPointer>
#include <QScreen>
#include <QSet>
#include <QPushButton>
#include <QLabel>
#include <QMessageBox>
#include <QSettings>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>
#include <stdexcept>

namespace {

// Answers the next modal message box with the given button; NoButton: its
// default button, as Enter does.
void AnswerNextMessageBox(QMessageBox::StandardButton eButton)
{
    QTimer::singleShot(0, [eButton] {
        auto* pBox = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (pBox)
            (eButton == QMessageBox::NoButton ? pBox->defaultButton() : pBox->button(eButton))->click();
        else
            AnswerNextMessageBox(eButton);
    });
}

CDeviceRecord MakeRecord(int nBandMask, int64_t nTime, QList<int> kinds = {})
{
    CDeviceRecord record;
    record.m_nBandMask = nBandMask;
    record.m_nTime = nTime;
    for (int i = 0; i < 6; ++i) {
        CDeviceLevel level;
        level.m_dLevel = 10 + i;
        level.m_dThreshold = 30 + i;
        level.m_nSignal = i < kinds.size() ? kinds[i] : 0;
        record.m_Levels.append(level);
    }
    return record;
}

int SampleCount(CQDiagramWidget& diagram, int nArea, int nSignal)
{
    CDiagramSignal* pSignal = diagram.Signal(nArea, nSignal);
    return pSignal ? static_cast<int>(pSignal->m_samples.size()) : -1;
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void firstStartDefaults();
    void settingsSurviveARun();
    void resetToDefaults();
    void offScreenGeometryIsBroughtBack();
    void unopenablePortIsReportedOnce();
    void recordsFeedTheRightSignals();
    void optionButtonsFollowTheDiagramKind();
    void maximizeTogglesThePanes();
    void liveRecordsFromTheSimulator();
    void languageSwitch();
    void modeZeroDrawsNothing();
    void oscilloscopeOpensAndCloses();
    void manualToggles();
    void pollRestartsAFailedWorkerAndSurvivesFaults();
    void downloadedLogOpensFromTheTree();
    void everyRecordReachesTheDiagramAtTheDetectorsTime();
    void liveLevelsShowWithADetectorClockMonthsBehind();
    void clockButtonAndDeviceMenuSendTheSameClock();
    void clockDifferenceTexts();
    void traceColoursStandOutOnADarkPalette();
    void clockMessageGoesWithItsState();
    void alarmWithTheWindowHiddenShowsOneBalloon();
    void closingAsksWhenDataIsNeitherRecordedNorSaved();
    void recordsStoredWhileTheLinkIsDownAreDrawnWhenItReturns();
    void shortcutsTriggerTheirActions();
    void eachRoomVisitIsRecordedAndCataloguedOnItsOwn();
    void aCatalogueThatCannotBeUsedIsToldOnceAndRecordingGoesOn();
};

void TestMainWindow::init()
{
    QSettings().clear();
    CKV521MainWindow::SetDevicePort(QStringLiteral("/nonexistent/kv521-port"));
}

void TestMainWindow::firstStartDefaults()
{
    CKV521MainWindow window;
    Ui::CMainWindowClass& ui = *window.Form();
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    QCOMPARE(window.geometry(), CWindowPlacement::FirstStart(available));
    QVERIFY(!window.isMaximized());
    const QList<int> sizes = ui.m_pRightSplitter->sizes();
    QCOMPARE(sizes.size(), 2);
    QVERIFY(qAbs(sizes[0] - sizes[1]) <= 1);
    QCOMPARE(ui.m_pLogListTree->columnCount(), 11);
    QVERIFY(window.findChild<CLogView*>()->IsAutoColumnWidths());
    QCOMPARE(ui.m_pTabWidget->currentIndex(), 0);
    QVERIFY(ui.m_pLogDiagramAction->isChecked());
    QVERIFY(!ui.m_pLogListAction->isChecked());
    QCOMPARE(window.ReadyLabel()->text(), QStringLiteral("Ready"));
    QCOMPARE(window.StateLabel()->text(), QStringLiteral("Normal"));
    QVERIFY(ui.m_pOptButton3->isVisibleTo(&window));
    QVERIFY(!ui.m_pOptButton1->isVisibleTo(&window));
    QVERIFY(!ui.m_pOptButton2->isVisibleTo(&window));
    QVERIFY(!ui.m_pModeButton->isVisibleTo(&window));
    QVERIFY(!ui.m_pNumEventsEdit->isVisibleTo(&window));
    QCOMPARE(ui.m_pDeviceFrame->size(), QSize(160, 303));
    QVERIFY(QDir(window.DefaultStorage()).exists());
    QCOMPARE(window.StorageFolder(), window.DefaultStorage());
}

void TestMainWindow::settingsSurviveARun()
{
    {
        CKV521MainWindow window;
        window.setGeometry(QRect(70, 80, 900, 700));
        window.Form()->m_pLogListTree->setColumnWidth(3, 140);
        window.Form()->m_pTabWidget->setCurrentIndex(1);
    }
    QSettings settings;
    QCOMPARE(settings.value("Window/Log/Column3").toInt(), 140);
    QCOMPARE(settings.value("Window/Log/TabIndex").toInt(), 1);
    QVERIFY(settings.contains("Window/Splitter"));
    // Not picked, so not stored: the desktop's language is followed next time.
    QVERIFY(!settings.contains("General/Language"));

    CKV521MainWindow window;
    QCOMPARE(window.geometry(), QRect(70, 80, 900, 700));
    QCOMPARE(window.Form()->m_pLogListTree->columnWidth(3), 140);
    QCOMPARE(window.Form()->m_pTabWidget->currentIndex(), 1);
    QVERIFY(window.Form()->m_pLogListAction->isChecked());
}

void TestMainWindow::resetToDefaults()
{
    CKV521MainWindow window;
    window.setGeometry(QRect(120, 130, 800, 650));
    QSettings().setValue("Oscilloscope/Geometry", QRect(1, 2, 3, 4));

    AnswerNextMessageBox(QMessageBox::NoButton); // Enter keeps the settings
    window.OnFileResetToDefaults();
    QCOMPARE(window.geometry(), QRect(120, 130, 800, 650));
    QVERIFY(QSettings().contains("Oscilloscope/Geometry"));

    AnswerNextMessageBox(QMessageBox::Yes);
    window.OnFileResetToDefaults();
    QCOMPARE(window.geometry(), CWindowPlacement::FirstStart(QGuiApplication::primaryScreen()->availableGeometry()));
    QVERIFY(!QSettings().contains("Oscilloscope/Geometry"));
    // However small the defaults leave the window, the level plot stays readable.
    window.show();
    CRecordDiagram::SetupSignals(window.Form()->m_pRealtimeGraphFrame, 1, true);
    window.resize(window.minimumSize());
    QApplication::processEvents();
    window.Form()->m_pRealtimeGraphFrame->update();
    QVERIFY(window.Form()->m_pRealtimeGraphFrame->Area(0)->PlotRect().height() >= CQDiagramWidget::kMinPlotHeight);
}

void TestMainWindow::offScreenGeometryIsBroughtBack()
{
    QSettings().setValue("Window/Geometry", QRect(-30000, 40000, 700, 500));
    CKV521MainWindow window;
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY2(screen.intersects(window.geometry()), "window placed off every screen");
}

void TestMainWindow::unopenablePortIsReportedOnce()
{
    CKV521MainWindow window;
    QTRY_VERIFY_WITH_TIMEOUT(window.statusBar()->currentMessage().contains("/nonexistent/kv521-port")
                                 || !window.statusBar()->currentMessage().isEmpty(),
                             3000);
    QCOMPARE(window.LinkLabel()->text(), QStringLiteral("Offline"));
    // After the user dismissed the message it must not come back with every
    // reconnection attempt.
    window.statusBar()->clearMessage();
    QTest::qWait(800);
    QVERIFY(window.statusBar()->currentMessage().isEmpty());
}

void TestMainWindow::recordsFeedTheRightSignals()
{
    CQDiagramWidget diagram;
    CRecordDiagram::SetupSignals(&diagram, 1, true);
    QCOMPARE(diagram.AreaCount(), 2);
    QCOMPARE(diagram.GetDiagramType(0), DT_TimeLines);
    QCOMPARE(diagram.GetDiagramType(1), DT_TimeRects);
    QCOMPARE(diagram.Area(0)->m_signals.size(), 8);
    QCOMPARE(diagram.Area(1)->m_signals.size(), 6);

    // The time window starts when the signals are built.
    const int64_t t0 = QDateTime::currentSecsSinceEpoch() + 5;
    // Bands 1 and 2 both feed the B1 signals, band 1 first.
    CRecordDiagram::AddRecord(&diagram, MakeRecord(0x03, t0, {0, 4, 4, 0, 2, 0}), true);
    QCOMPARE(SampleCount(diagram, 0, 0), 2);
    QCOMPARE(SampleCount(diagram, 0, 1), 2);
    QCOMPARE(SampleCount(diagram, 0, 4), 2);
    QCOMPARE(SampleCount(diagram, 0, 2), 0);
    QCOMPARE(diagram.Signal(0, 0)->m_samples[0].YValue(), 10.0);
    QCOMPARE(diagram.Signal(0, 0)->m_samples[1].YValue(), 12.0);
    QCOMPARE(diagram.Signal(0, 5)->m_samples[1].YValue(), 33.0);
    // A kind carried twice gives one presence mark.
    QCOMPARE(SampleCount(diagram, 1, 3), 1);
    QCOMPARE(SampleCount(diagram, 1, 1), 1);
    QCOMPARE(SampleCount(diagram, 1, 0), 0);

    // Band mask 0 only marks the lanes; band 3 feeds B2.
    CRecordDiagram::AddRecord(&diagram, MakeRecord(0x00, t0 + 1, {6}), true);
    QCOMPARE(SampleCount(diagram, 0, 0), 2);
    QCOMPARE(SampleCount(diagram, 1, 5), 1);
    CRecordDiagram::AddRecord(&diagram, MakeRecord(0x04, t0 + 2), false);
    QCOMPARE(SampleCount(diagram, 0, 2), 1);
    QCOMPARE(SampleCount(diagram, 0, 6), 0);

    // A damaged record without its six entries adds nothing.
    CDeviceRecord broken;
    broken.m_nBandMask = 0x07;
    CRecordDiagram::AddRecord(&diagram, broken, true);
    QCOMPARE(SampleCount(diagram, 0, 0), 2);

    CRecordDiagram::SetupSignals(&diagram, 2, false);
    QCOMPARE(diagram.GetDiagramType(0), DT_TimeLevelRects);
    QCOMPARE(diagram.Area(0)->m_signals.size(), 4);
}

void TestMainWindow::optionButtonsFollowTheDiagramKind()
{
    CKV521MainWindow window;
    Ui::CMainWindowClass& ui = *window.Form();
    CQDiagramWidget* pDiagram = ui.m_pRealtimeGraphFrame;

    CKV521MainWindow::SetupSignals(pDiagram, 2, true);
    // Area 1 reports its lanes kind after area 0, so Autoscroll shows even
    // though area 0 holds bars.
    QVERIFY(ui.m_pOptButton2->isVisibleTo(&window));
    QCOMPARE(ui.m_pOptButton2->text(), QStringLiteral("&Autoscroll"));
    pDiagram->SetAutoScroll(true);
    window.OnOptButton2(false);
    QVERIFY(pDiagram->IsAutoScroll());

    CKV521MainWindow::SetupSignals(pDiagram, 1, true);
    window.OnOptButton2(false);
    QVERIFY(!pDiagram->IsAutoScroll());
    emit pDiagram->autoScrollToggle(true);
    QVERIFY(ui.m_pOptButton2->isChecked());

    window.OnDiagramTypeChanged(0, static_cast<DiagramType>(3));
    QVERIFY(ui.m_pOptButton1->isVisibleTo(&window));
    QVERIFY(!ui.m_pOptButton2->isVisibleTo(&window));
    window.OnOptButton1(true);
    QVERIFY(window.IsDifference());
    window.OnDiagramTypeChanged(0, DT_TimeLevelRects);
    QVERIFY(!ui.m_pOptButton1->isVisibleTo(&window));
}

void TestMainWindow::maximizeTogglesThePanes()
{
    CKV521MainWindow window;
    window.show();
    Ui::CMainWindowClass& ui = *window.Form();
    window.OnRealtimeMaximizeButton();
    QCOMPARE(ui.m_pRightSplitter->sizes().value(0), 0);
    QVERIFY(ui.m_pMaxRealtimeButton->isChecked() && ui.m_pMaxRealtimeAction->isChecked());
    window.OnRealtimeMaximizeButton();
    QVERIFY(ui.m_pRightSplitter->sizes().value(0) > 0);
    QVERIFY(!ui.m_pMaxRealtimeButton->isChecked());

    window.OnLogMaximizeButton();
    QCOMPARE(ui.m_pRightSplitter->sizes().value(1), 0);
    QVERIFY(ui.m_pMaxLogButton->isChecked() && ui.m_pLogMaxAction->isChecked());
    window.OnLogMaximizeButton();
    QVERIFY(ui.m_pRightSplitter->sizes().value(1) > 0);
}

void TestMainWindow::liveRecordsFromTheSimulator()
{
    CKV521Simulator simulator;
    QString strError;
    QVERIFY2(simulator.Open(&strError), qPrintable(strError));
    simulator.Start();
    CKV521MainWindow::SetDevicePort(simulator.SlavePath());
    {
        CKV521MainWindow window;
        window.show();
        QTRY_COMPARE_WITH_TIMEOUT(window.LinkLabel()->text(), QStringLiteral("Online"), 5000);
        CQDiagramWidget* pDiagram = window.Form()->m_pRealtimeGraphFrame;
        QTRY_VERIFY_WITH_TIMEOUT(pDiagram->AreaCount() == 2 && SampleCount(*pDiagram, 0, 0) > 3, 5000);

        // Clearing keeps the signals and the next record shows alone.
        window.OnRealtimeClearButton();
        QCOMPARE(pDiagram->AreaCount(), 2);
        QVERIFY(SampleCount(*pDiagram, 0, 0) <= 2);
        QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("Collected data cleared"));
        QTRY_VERIFY_WITH_TIMEOUT(SampleCount(*pDiagram, 0, 0) >= 1, 3000);

        QElapsedTimer timer;
        timer.start();
        window.close();
        QVERIFY2(timer.elapsed() < 1500, "closing while connected took too long");
    }
    simulator.Stop();
}

void TestMainWindow::modeZeroDrawsNothing()
{
    CKV521Simulator simulator;
    QVERIFY(simulator.Open());
    simulator.SetFrameOverride([](uint8_t* pFrame) { pFrame[KV520::kModeFlags] = 0; });
    simulator.Start();
    CKV521MainWindow::SetDevicePort(simulator.SlavePath());
    {
        CKV521MainWindow window;
        QTRY_COMPARE_WITH_TIMEOUT(window.LinkLabel()->text(), QStringLiteral("Online"), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(g_pDevice->GetRecordCount() > 3, 5000);
        QTest::qWait(100);
        CQDiagramWidget* pDiagram = window.Form()->m_pRealtimeGraphFrame;
        QCOMPARE(pDiagram->AreaCount(), 1);
        QCOMPARE(SampleCount(*pDiagram, 0, 0), -1);
    }
    simulator.Stop();
}

void TestMainWindow::oscilloscopeOpensAndCloses()
{
    CKV521MainWindow window;
    window.show();
    window.OnOptButton3();
    QPointer<COscilloscopeWindow> pScope = window.OscilloscopeWindow();
    QVERIFY(pScope);
    QVERIFY(pScope->isVisible());
    window.OnOptButton3();
    QVERIFY(!pScope);
    QVERIFY(!window.OscilloscopeWindow());
    QVERIFY(QSettings().contains("Oscilloscope/Geometry"));

    // Closed from its own title bar: the window goes once its close is over.
    window.OnOptButton3();
    pScope = window.OscilloscopeWindow();
    pScope->close();
    QVERIFY(!window.OscilloscopeWindow());
    QTRY_VERIFY(!pScope);

    // A record drawn while it is open hands it the trace, also from files.
    window.OnOptButton3();
    CQDiagramWidget diagram;
    CRecordDiagram::SetupSignals(&diagram, 1, true);
    window.AddRecordToDiagram(0, &diagram, MakeRecord(0x01, QDateTime::currentSecsSinceEpoch() + 1), true);
    QVERIFY(window.OscilloscopeWindow());
}

void TestMainWindow::manualToggles()
{
    {
        CKV521MainWindow window;
        window.show();
        QVERIFY(!window.ManualWindow()->isVisible());
        window.OnHelpManualAction();
        QVERIFY(window.ManualWindow()->isVisible());
        window.OnHelpManualAction();
        QVERIFY(!window.ManualWindow()->isVisible());
        window.OnHelpManualAction();
        window.close();
        QVERIFY(!window.ManualWindow()->isVisible());
    }
    QVERIFY(QSettings().contains("Manual/Geometry"));
}

namespace {

// A detector whose worker has failed, or whose answers throw, or which changes mode.
class CPolledDevice : public CFakeDevice
{
public:
    bool m_bFailed = false;
    bool m_bThrow = false;
    int m_nStarts = 0;
    int m_nRecords = 0;

    void Start() override
    {
        ++m_nStarts;
        m_bFailed = false;
    }
    bool IsConnected() override
    {
        if (m_bThrow)
            throw std::runtime_error("damaged frame");
        return m_bConnected;
    }
    bool HasFailed() override { return m_bFailed; }
    int GetRecordCount() override { return m_nRecords; }
    int m_nNoData = 0;
    int GetNoDataCauses() override { return m_nNoData; }
};

} // namespace

void TestMainWindow::pollRestartsAFailedWorkerAndSurvivesFaults()
{
    CKV521MainWindow window;
    IDevice* pReal = g_pDevice;
    CPolledDevice device;
    g_pDevice = &device;
    QStatusBar* pStatus = window.statusBar();

    device.m_bConnected = false;
    device.m_bFailed = true;
    window.OnTimer();
    QCOMPARE(window.LinkLabel()->text(), QStringLiteral("Error"));
    QCOMPARE(pStatus->currentMessage(),
             QStringLiteral("Device data exchange error occurred! Trying to restart exchange process..."));
    QCOMPARE(device.m_nStarts, 1);
    window.OnTimer();
    QCOMPARE(window.LinkLabel()->text(), QStringLiteral("Offline"));
    QCOMPARE(device.m_nStarts, 1);

    // Answers that all fail their checksum: not online, and the reason told once.
    device.m_nNoData = IDevice::NoDataBadChecksum;
    window.OnTimer();
    QCOMPARE(window.LinkLabel()->text(), QStringLiteral("No data"));
    QVERIFY(pStatus->currentMessage().contains(QStringLiteral("frames with bad checksums")));
    pStatus->clearMessage();
    window.OnTimer();
    QVERIFY(pStatus->currentMessage().isEmpty());
    device.m_nNoData |= IDevice::NoDataShortFrame;
    window.OnTimer();
    QVERIFY(pStatus->currentMessage().contains(QStringLiteral("short frames")));
    device.m_nNoData = 0;
    window.OnTimer();
    QCOMPARE(window.LinkLabel()->text(), QStringLiteral("Offline"));

    // A mode change rebuilds the realtime diagram for the new kind.
    CQDiagramWidget* pDiagram = window.Form()->m_pRealtimeGraphFrame;
    device.m_bConnected = true;
    device.m_Live.m_nModeFlags = 1;
    device.m_LastRecord = MakeRecord(0x01, QDateTime::currentSecsSinceEpoch());
    device.m_nRecords = 1;
    window.OnTimer();
    QCOMPARE(window.LinkLabel()->text(), QStringLiteral("Online"));
    QCOMPARE(pDiagram->GetDiagramType(0), DT_TimeLines);
    device.m_Live.m_nModeFlags = 2;
    device.m_nRecords = 2;
    window.OnTimer();
    QCOMPARE(pDiagram->GetDiagramType(0), DT_TimeLevelRects);

    // Whatever the device object throws stays inside the poll.
    device.m_bThrow = true;
    window.OnTimer();
    QCOMPARE(pStatus->currentMessage(), QStringLiteral("Device data processing error!"));
    g_pDevice = pReal;
}

void TestMainWindow::downloadedLogOpensFromTheTree()
{
    CKV521Simulator::Options options;
    options.bDeterministic = true;
    CKV521Simulator simulator(options);
    QVERIFY(simulator.Open());
    simulator.Start();
    CKV521MainWindow::SetDevicePort(simulator.SlavePath());
    {
        CKV521MainWindow window;
        window.resize(1000, 700);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_COMPARE_WITH_TIMEOUT(window.LinkLabel()->text(), QStringLiteral("Online"), 5000);

        {
            DialogAnswerer answers;
            answers.Button(QMessageBox::Ok);
            window.Form()->m_pDownloadButton->click();
            QCOMPARE(answers.m_Seen, QStringList({"The log has been successfully read!"}));
        }
        QTreeWidget* pTree = window.Form()->m_pStorageTree;
        QTreeWidgetItem* pRoot = pTree->topLevelItem(0);
        // The log files beside the folder of the session's recording.
        QList<QTreeWidgetItem*> logFiles;
        for (int i = 0; i < pRoot->childCount(); ++i)
            if (pRoot->child(i)->text(0).startsWith(QStringLiteral("log_")))
                logFiles.append(pRoot->child(i));
        QCOMPARE(logFiles.size(), 3);

        // A click on a session file, as the user does it, shows it as diagram and list.
        QTreeWidgetItem* pFile = logFiles.first();
        pTree->scrollToItem(pFile);
        const QRect rect = pTree->visualItemRect(pFile);
        QVERIFY(!rect.isEmpty());
        QTest::mouseClick(pTree->viewport(), Qt::LeftButton, {}, rect.center());
        QTRY_COMPARE(window.Form()->m_pLogListTree->topLevelItemCount(), 10);
        QCOMPARE(window.Form()->m_pNumEventsEdit->text(), QStringLiteral("10"));
        QCOMPARE(SampleCount(*window.Form()->m_pLogGraphFrame, 0, 0) > 0, true);
    }
    simulator.Stop();
}

namespace {

void ChooseLanguageInNextPreferences(int nIndex)
{
    QTimer::singleShot(0, [nIndex] {
        QWidget* pDialog = QApplication::activeModalWidget();
        auto* pCombo = pDialog ? pDialog->findChild<QComboBox*>(QStringLiteral("m_pLanguageCombo")) : nullptr;
        if (!pCombo) {
            ChooseLanguageInNextPreferences(nIndex);
            return;
        }
        pCombo->setCurrentIndex(nIndex);
        pDialog->findChild<QPushButton*>(QStringLiteral("m_pOkButton"))->click();
    });
}

} // namespace

void TestMainWindow::languageSwitch()
{
    QSettings().setValue("General/Language", "de_DE");
    CKV521MainWindow window;
    // A language without a catalogue keeps the English texts.
    QCOMPARE(window.Form()->m_pDownloadButton->text(), QStringLiteral("&Download"));
    window.setWindowTitle("KV521 Analyzer - Version 2.0.05");

    // What the realtime pane shows survives the switch, under translated names.
    CQDiagramWidget* pRealtime = window.Form()->m_pRealtimeGraphFrame;
    CRecordDiagram::SetupSignals(pRealtime, 1, true);
    const int64_t nNow = QDateTime::currentSecsSinceEpoch();
    for (int i = 0; i < 5; ++i)
        CRecordDiagram::AddRecord(pRealtime, MakeRecord(0x01, nNow + i), true);

    // Lines above, lanes below: Autoscroll shows, Difference does not.
    QVERIFY(window.Form()->m_pOptButton2->isVisibleTo(&window));
    ChooseLanguageInNextPreferences(1);
    window.OnFilePreferencesAction();
    QCOMPARE(window.Form()->m_pOptButton2->text(), QStringLiteral("&Автопрокрутка"));
    QVERIFY(window.Form()->m_pOptButton2->isVisibleTo(&window));
    QVERIFY(!window.Form()->m_pOptButton1->isVisibleTo(&window));
    QVERIFY(!window.Form()->m_pOptButton1->text().contains('<'));
    QCOMPARE(SampleCount(*pRealtime, 0, 0), 5);
    QCOMPARE(pRealtime->Signal(0, 4)->m_sName, QStringLiteral("B1 DC порог"));
    QCOMPARE(QSettings().value("General/Language").toString(), QStringLiteral("ru_RU"));
    QCOMPARE(window.windowTitle(), QStringLiteral("KV521 Analyzer"));
    QCOMPARE(window.Form()->m_pDownloadButton->text(), QStringLiteral("&Загрузить"));
    QCOMPARE(window.ReadyLabel()->text(), QStringLiteral("Готово"));
    QCOMPARE(window.Form()->m_pOptButton3->text(), QStringLiteral("Осци&ллограф"));
    QCOMPARE(window.Form()->m_pLogListTree->columnCount(), 11);
    QCOMPARE(window.findChild<QAction*>("m_pFileSaveImageAction")->text(), QStringLiteral("Сохранить &изображение..."));
    QCOMPARE(window.findChild<QAction*>("m_pFileCopyImageAction")->text(), QStringLiteral("&Копировать изображение"));

    ChooseLanguageInNextPreferences(0);
    window.OnFilePreferencesAction();
    QCOMPARE(window.Form()->m_pDownloadButton->text(), QStringLiteral("&Download"));
    QCOMPARE(window.StateLabel()->text(), QStringLiteral("Normal"));
    QCOMPARE(window.Form()->m_pOptButton2->text(), QStringLiteral("&Autoscroll"));
}

void TestMainWindow::shortcutsTriggerTheirActions()
{
    CKV521MainWindow window;
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    Ui::CMainWindowClass& ui = *window.Form();
    // Every action a person uses often has its own key, and no two share one.
    QSet<QString> keys;
    for (QAction* pAction : {ui.m_pFileExitAction, ui.m_pFilePreferencesAction, ui.m_pHelpManualAction,
                             ui.m_pRealtimeSaveAction, ui.m_pLogDownloadAction, ui.m_pRealtimeClearAction,
                             ui.m_pFileDeviceMenuAction}) {
        QVERIFY2(!pAction->shortcut().isEmpty(), qPrintable(pAction->text()));
        keys.insert(pAction->shortcut().toString());
    }
    QCOMPARE(keys.size(), 7);
    QCOMPARE(ui.m_pHelpManualAction->shortcut(), QKeySequence(Qt::Key_F1));

    // Pressed with the focus deep inside the window, they still reach the action.
    ui.m_pStorageTree->setFocus();
    QSignalSpy cleared(ui.m_pRealtimeClearAction, &QAction::triggered);
    QTest::keySequence(QApplication::focusWidget(), ui.m_pRealtimeClearAction->shortcut());
    QCOMPARE(cleared.size(), 1);
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("Collected data cleared"));
    QTest::keySequence(QApplication::focusWidget(), QKeySequence(Qt::Key_F1));
    QVERIFY(window.ManualWindow()->isVisible());
    window.ManualWindow()->hide();

    // The diagrams take the keyboard focus, and zoom and pan by keys.
    CQDiagramWidget* pDiagram = ui.m_pRealtimeGraphFrame;
    CRecordDiagram::SetupSignals(pDiagram, 1, true);
    const qulonglong nStart = 1700000000;
    pDiagram->SetXRange(QVariant::fromValue(nStart), QVariant::fromValue(nStart + 3600), 1.0, true);
    pDiagram->setFocus();
    QVERIFY(pDiagram->hasFocus());
    QTest::keySequence(pDiagram, QKeySequence(QKeySequence::ZoomIn));
    const qulonglong nZoomedMin = pDiagram->Axis().m_vVisibleMin.toULongLong();
    const qulonglong nZoomedMax = pDiagram->Axis().m_vVisibleMax.toULongLong();
    QVERIFY(nZoomedMin > nStart && nZoomedMax < nStart + 3600);
    QVERIFY(!pDiagram->IsAutoScroll());
    QTest::keyClick(pDiagram, Qt::Key_Left);
    QVERIFY(pDiagram->Axis().m_vVisibleMin.toULongLong() < nZoomedMin);
    QCOMPARE(pDiagram->Axis().m_vVisibleMax.toULongLong() - pDiagram->Axis().m_vVisibleMin.toULongLong(),
             nZoomedMax - nZoomedMin);
    QTest::keyClick(pDiagram, Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(pDiagram->Axis().m_vVisibleMin.toULongLong(), nStart);
    QCOMPARE(pDiagram->Axis().m_vVisibleMax.toULongLong(), nStart + 3600);
}

int main(int argc, char** argv)
{
    const CIsolatedHome home;
    QApplication app(argc, argv);
    TestMainWindow test;
    return QTest::qExec(&test, argc, argv);
}

namespace {

// A detector whose history the test writes: the records, in order, with a
// count that never wraps.
class CHistoryDevice : public CFakeDevice
{
public:
    QList<CDeviceRecord> m_Records;
    QList<int> m_Commands;
    QDateTime m_SetTime;

    int GetRecordCount() override { return int(m_Records.size() % KV520::kHistorySize); }
    int64_t GetRecordTotal() override { return m_Records.size(); }
    CDeviceRecord GetRecord(int nIndex) override
    {
        return nIndex >= 0 && nIndex < m_Records.size() ? m_Records[nIndex] : CDeviceRecord();
    }
    CDeviceRecord GetLastRecord() override { return m_Records.isEmpty() ? CDeviceRecord() : m_Records.last(); }
    void SetCommand(int nCommand) override { m_Commands.append(nCommand); }
    void SetDeviceTime(const QDateTime& dateTime) override { m_SetTime = dateTime; }

    void Add(int nCount, int64_t nFirstTime)
    {
        for (int i = 0; i < nCount; ++i)
            m_Records.append(MakeRecord(0x01, nFirstTime + i));
    }
};

// Puts a device in place of the real one for the life of a test.
class CDeviceSwap
{
public:
    explicit CDeviceSwap(IDevice* pDevice) : m_pReal(g_pDevice) { g_pDevice = pDevice; }
    ~CDeviceSwap() { g_pDevice = m_pReal; }

private:
    IDevice* m_pReal;
};

// Types a value into a field of the context bar and confirms it, as the user does.
void EnterInBar(QComboBox* pBox, const QString& strText)
{
    pBox->lineEdit()->selectAll();
    QTest::keyClicks(pBox->lineEdit(), strText);
    QTest::keyClick(pBox->lineEdit(), Qt::Key_Return);
}

// The recordings of a fresh storage folder; what earlier tests left goes.
QDir FreshRecordings(const CKV521MainWindow& window)
{
    QDir(window.StorageFolder()).removeRecursively();
    QDir().mkpath(window.StorageFolder());
    return QDir(window.RecordingFolder());
}

} // namespace

void TestMainWindow::everyRecordReachesTheDiagramAtTheDetectorsTime()
{
    CKV521MainWindow window;
    window.show();
    window.statusBar()->clearMessage();
    CHistoryDevice device;
    CDeviceSwap swap(&device);
    device.m_Live.m_nModeFlags = 1;
    CQDiagramWidget* pDiagram = window.Form()->m_pRealtimeGraphFrame;

    // A detector three months behind the PC: its samples show at once.
    const int64_t nBehind = QDateTime::currentSecsSinceEpoch() - 90 * 86400;
    device.Add(1, nBehind);
    window.OnTimer();
    QCOMPARE(SampleCount(*pDiagram, 0, 0), 1);
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("The detector's clock is 90 d 0 h behind the PC's"));
    QVERIFY(window.SetClockButton()->isVisible());

    // Five records between two ticks: five samples, none lost.
    device.Add(5, nBehind + 1);
    window.OnTimer();
    QCOMPARE(SampleCount(*pDiagram, 0, 0), 6);
    QCOMPARE(pDiagram->Axis().m_vVisibleMin.toLongLong(), nBehind);

    // One click sets the detector's clock as the device menu's OK does.
    QVERIFY(window.SetClockButton()->isVisible());
    window.SetClockButton()->click();
    QCOMPARE(device.m_Commands, QList<int>{KV520::kCmdWriteMenu});
    QCOMPARE(int(device.GetMenuByte(KV520Menu::kSyncPc)), 1);
    QVERIFY(!window.SetClockButton()->isEnabled());

    // The next frames tell whether it took: here they still lag.
    device.Add(2, nBehind + 7);
    window.OnTimer();
    QVERIFY(window.statusBar()->currentMessage().startsWith("The detector did not take the PC's time."));
    QVERIFY(window.SetClockButton()->isVisible() && window.SetClockButton()->isEnabled());
    window.SetClockButton()->click();

    // The detector's clock now runs on from the PC's; set back later, it
    // starts the window again rather than vanishing before it.
    const int64_t nNow = QDateTime::currentSecsSinceEpoch();
    device.Add(3, nNow);
    window.OnTimer();
    QCOMPARE(SampleCount(*pDiagram, 0, 0), 11);
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("The detector's clock is set to the PC's"));
    QVERIFY(!window.SetClockButton()->isVisible());
    device.Add(2, nNow - 3600);
    window.OnTimer();
    QCOMPARE(SampleCount(*pDiagram, 0, 0), 2);
    QCOMPARE(pDiagram->Axis().m_vVisibleMin.toLongLong(), nNow - 3600);
}

namespace {
// The real device object's settings block, without a link.
class CUnlinkedDevice : public CKV520Device
{
public:
    QList<int> m_Commands;
    bool IsConnected() override { return true; }
    void SetCommand(int nCommand) override { m_Commands.append(nCommand); }
};
} // namespace

void TestMainWindow::clockButtonAndDeviceMenuSendTheSameClock()
{
    const QDateTime instant(QDate(2026, 12, 8), QTime(19, 21, 31));
    CKV521MainWindow window;
    CUnlinkedDevice viaMenu;
    {
        CDeviceSwap swap(&viaMenu);
        CKV520MenuDialog dialog(nullptr);
        dialog.findChild<QCheckBox*>(QStringLiteral("m_pSyncPcCheck"))->setChecked(true);
        dialog.findChild<QPushButton*>(QStringLiteral("m_pOkButton"))->click();
    }
    CUnlinkedDevice viaButton;
    {
        CDeviceSwap swap(&viaButton);
        window.OnSetClockButton();
    }
    QVERIFY(viaMenu.m_Commands.contains(KV520::kCmdWriteMenu));
    QCOMPARE(viaButton.m_Commands, QList<int>{KV520::kCmdWriteMenu});
    const QByteArray menuClock = viaMenu.Model().TakeMenuWrite(instant).mid(KV520::kMenuExchanged);
    QCOMPARE(viaButton.Model().TakeMenuWrite(instant).mid(KV520::kMenuExchanged), menuClock);
    // Month 1-12, day of month 0-based.
    QCOMPARE(menuClock, QByteArray("\x0c\x07\x13\x15\x1f", 5));
}

void TestMainWindow::liveLevelsShowWithADetectorClockMonthsBehind()
{
    CKV521Simulator::Options options;
    options.nClockOffsetSecs = -90 * 86400;
    CKV521Simulator simulator(options);
    QVERIFY(simulator.Open());
    simulator.Start();
    CKV521MainWindow::SetDevicePort(simulator.SlavePath());
    {
        CKV521MainWindow window;
        window.show();
        QTRY_COMPARE_WITH_TIMEOUT(window.LinkLabel()->text(), QStringLiteral("Online"), 5000);
        CQDiagramWidget* pDiagram = window.Form()->m_pRealtimeGraphFrame;
        QTRY_VERIFY_WITH_TIMEOUT(pDiagram->AreaCount() == 2 && SampleCount(*pDiagram, 0, 0) > 0, 1000);
        QVERIFY(window.SetClockButton()->isVisible());
        QVERIFY(window.statusBar()->currentMessage().contains(QStringLiteral("behind the PC's")));
    }
    simulator.Stop();
}

void TestMainWindow::traceColoursStandOutOnADarkPalette()
{
    const QList<QColor> light = {Qt::blue, Qt::red, Qt::darkBlue, Qt::darkRed, Qt::blue, Qt::red, Qt::darkBlue,
                                 Qt::darkRed, Qt::darkGreen, Qt::blue, Qt::darkBlue, Qt::red, Qt::cyan, Qt::magenta};
    const auto colours = [](CQDiagramWidget& w) {
        QList<QColor> list;
        for (int a = 0; a < w.AreaCount(); ++a)
            for (const auto& pSignal : w.Area(a)->m_signals)
                list << pSignal->m_pen.color();
        return list;
    };
    CQDiagramWidget diagram;
    CRecordDiagram::SetupSignals(&diagram, 2, true);
    QCOMPARE(colours(diagram), light);

    QPalette dark;
    dark.setColor(QPalette::Base, QColor(25, 25, 25));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    diagram.setPalette(dark);
    CRecordDiagram::SetupSignals(&diagram, 2, true);
    const QColor background = CDiagramPalette::PlotBackground(dark);
    for (const QColor& c : colours(diagram))
        QVERIFY2(CDiagramPalette::Contrast(c, background) >= 3.0, qPrintable(c.name()));
    // Told apart from each other still: blue and dark blue do not become one.
    QVERIFY(colours(diagram).value(0) != colours(diagram).value(2));
}

void TestMainWindow::clockMessageGoesWithItsState()
{
    CKV521MainWindow window;
    window.show();
    CHistoryDevice device;
    CDeviceSwap swap(&device);
    device.m_Live.m_nModeFlags = 1;
    device.Add(1, QDateTime::currentSecsSinceEpoch() - 3600);
    window.OnTimer();
    QStatusBar* pBar = window.statusBar();
    QVERIFY(pBar->currentMessage().endsWith("behind the PC's"));

    // Another message for a while: the button goes with the clock's message and comes back after.
    pBar->showMessage(QStringLiteral("Collected data cleared"), 30);
    QVERIFY(!window.SetClockButton()->isVisible());
    QTRY_VERIFY(window.SetClockButton()->isVisible());
    QVERIFY(pBar->currentMessage().endsWith("behind the PC's"));

    // The detector stops answering: that is said, the clock is no longer the matter.
    device.m_bConnected = false;
    window.OnTimer();
    QCOMPARE(pBar->currentMessage(), QStringLiteral("The detector is not responding"));
    QVERIFY(!window.SetClockButton()->isVisible());
    pBar->clearMessage();
    QTest::qWait(10);
    QVERIFY(!window.SetClockButton()->isVisible());
}

void TestMainWindow::clockDifferenceTexts()
{
    QCOMPARE(CKV521MainWindow::ClockDifferenceText(-(3 * 3600 + 12 * 60 + 5)),
             QStringLiteral("The detector's clock is 3 h 12 min behind the PC's"));
    QCOMPARE(CKV521MainWindow::ClockDifferenceText(3600), QStringLiteral("The detector's clock is 1 h 0 min ahead of the PC's"));
    QCOMPARE(CKV521MainWindow::ClockDifferenceText(125), QStringLiteral("The detector's clock is 2 min ahead of the PC's"));
    QVERIFY(CKV521MainWindow::ClockDifferenceText(-60).isEmpty());
    QVERIFY(CKV521MainWindow::ClockDifferenceText(0).isEmpty());
}

void TestMainWindow::alarmWithTheWindowHiddenShowsOneBalloon()
{
    CKV521MainWindow window; // never shown: nothing paints the panel
    auto pOutput = std::make_unique<CCountingAlarmOutput>();
    CCountingAlarmOutput* pCount = pOutput.get();
    window.AlarmNotifier()->SetOutput(std::move(pOutput));
    CHistoryDevice device;
    CDeviceSwap swap(&device);
    device.m_Live.m_nModeFlags = 4;
    device.m_Live.m_nAlarm = 1;
    for (int i = 0; i < 20; ++i)
        window.OnTimer();
    QCOMPARE(pCount->m_Balloons.size(), 1);
    QCOMPARE(pCount->m_TrayStates.last(), IAlarmOutput::TrayState::Alarm);
}

void TestMainWindow::closingAsksWhenDataIsNeitherRecordedNorSaved()
{
    CKV521MainWindow window;
    window.show();
    CHistoryDevice device;
    CDeviceSwap swap(&device);
    device.m_Live.m_nModeFlags = 1;
    device.Add(4, QDateTime::currentSecsSinceEpoch());
    window.OnTimer();
    // Recorded (the default): nothing to ask.
    QVERIFY(!window.HasUnsavedRecords());

    window.Form()->m_pRecordToFileAction->setChecked(false);
    QCOMPARE(QSettings().value("Realtime/RecordToFile").toBool(), false);
    device.Add(2, QDateTime::currentSecsSinceEpoch() + 4);
    window.OnTimer();
    QVERIFY(window.HasUnsavedRecords());
    AnswerNextMessageBox(QMessageBox::Cancel);
    QVERIFY(!window.close());
    QVERIFY(window.isVisible());
    AnswerNextMessageBox(QMessageBox::Discard);
    QVERIFY(window.close());
}

void TestMainWindow::recordsStoredWhileTheLinkIsDownAreDrawnWhenItReturns()
{
    CKV521MainWindow window;
    CHistoryDevice device;
    CDeviceSwap swap(&device);
    device.m_Live.m_nModeFlags = 1;
    const int64_t nNow = QDateTime::currentSecsSinceEpoch();
    device.Add(2, nNow);
    window.OnTimer();
    CQDiagramWidget* pDiagram = window.Form()->m_pRealtimeGraphFrame;
    QCOMPARE(SampleCount(*pDiagram, 0, 0), 2);

    // The feed hands these on at every tick; the diagram takes them once the link is back.
    device.m_bConnected = false;
    device.Add(3, nNow + 2);
    window.OnTimer();
    QCOMPARE(SampleCount(*pDiagram, 0, 0), 2);
    device.m_bConnected = true;
    window.OnTimer();
    QCOMPARE(SampleCount(*pDiagram, 0, 0), 5);
    window.OnTimer();
    QCOMPARE(SampleCount(*pDiagram, 0, 0), 5);
}

void TestMainWindow::eachRoomVisitIsRecordedAndCataloguedOnItsOwn()
{
    const int64_t nNow = QDateTime::currentSecsSinceEpoch();
    {
        CKV521MainWindow window;
        CHistoryDevice device;
        CDeviceSwap swap(&device);
        device.m_Live.m_nModeFlags = 1;
        const QDir recordings = FreshRecordings(window);
        QSignalSpy changed(window.Catalogue(), &CCatalogueController::CatalogueChanged);
        QTRY_VERIFY_WITH_TIMEOUT(changed.count() > 0, 5000);
        CSweepContextBar* pBar = window.ContextBar();
        EnterInBar(pBar->findChild<QComboBox*>(QString(), Qt::FindDirectChildrenOnly), "Office");
        EnterInBar(pBar->RoomBox(), "Boardroom");
        window.OnTimer();
        device.Add(3, nNow);
        window.OnTimer();
        QVERIFY(pBar->IsRecording());
        QVERIFY(!pBar->toggleViewAction()->isEnabled());
        QVERIFY(pBar->RecordingAction()->isVisible());
        QCOMPARE(pBar->RecordingText(), QString("Recording \u2014 Boardroom"));

        // The detector stored two more before the room changed: they belong to the boardroom.
        device.Add(2, nNow + 3);
        EnterInBar(pBar->RoomBox(), "Room 2");
        device.Add(4, nNow + 5);
        window.OnTimer();
        // Both visits are in the tree while the second is still being written.
        window.OnTimer();
        const CStorageBrowser* pStorage = window.findChild<CStorageBrowser*>();
        QVERIFY(pStorage);
        QCOMPARE(recordings.entryList({"*.rdf"}, QDir::Files).size(), 2);
        for (const QString& strName : recordings.entryList({"*.rdf"}, QDir::Files))
            QVERIFY2(pStorage->FindFileItem(recordings.filePath(strName)), qPrintable(strName));
        window.close();

        const QStringList files = recordings.entryList({"*.rdf"}, QDir::Files, QDir::Name);
        QCOMPARE(files.size(), 2);
        QList<int64_t> sizes;
        QStringList rooms;
        for (const QString& strName : files) {
            CSidecar sidecar;
            QVERIFY(CSidecar::Read(recordings.filePath(strName), sidecar));
            rooms << sidecar.m_Context.m_strRoom;
            QCOMPARE(sidecar.m_Context.m_strClient, QString("Office"));
            sizes << QFileInfo(recordings.filePath(strName)).size();
        }
        QCOMPARE(rooms, QStringList({"Boardroom", "Room 2"}));
        QCOMPARE(sizes, QList<int64_t>({4 + 5 * 76, 4 + 4 * 76}));

        // Indexed as they closed, not at the next look over the folder.
        CCatalogue catalogue(window.StorageFolder());
        QString strError;
        QVERIFY2(catalogue.Open(&strError), qPrintable(strError));
        QTRY_COMPARE_WITH_TIMEOUT(catalogue.FindFiles({}, &strError).size(), 2, 5000);
        QStringList catalogued;
        for (const CCatalogue::FileRow& row : catalogue.FindFiles({}, &strError))
            catalogued << row.context.m_strRoom;
        catalogued.sort();
        QCOMPARE(catalogued, QStringList({"Boardroom", "Room 2"}));
    }
    // The context comes back at the next start.
    CKV521MainWindow window;
    QCOMPARE(window.ContextBar()->Context().m_strClient, QString("Office"));
    QCOMPARE(window.ContextBar()->Context().m_strRoom, QString("Room 2"));
    QVERIFY(window.ContextBar()->RoomBox()->findText("Boardroom") >= 0);
}

void TestMainWindow::aCatalogueThatCannotBeUsedIsToldOnceAndRecordingGoesOn()
{
    CKV521MainWindow window;
    CHistoryDevice device;
    CDeviceSwap swap(&device);
    device.m_Live.m_nModeFlags = 1;
    const int64_t nNow = QDateTime::currentSecsSinceEpoch();
    const QDir recordings = FreshRecordings(window);
    // Where the database should be, something that cannot be one, nor be removed as one.
    const QString strDatabase = QDir(window.StorageFolder()).filePath(CCatalogue::FileName());
    QVERIFY(QDir().mkpath(strDatabase + "/blocked"));
    QStringList told;
    connect(window.statusBar(), &QStatusBar::messageChanged, this, [&told](const QString& strText) {
        if (strText.startsWith("The catalogue cannot"))
            told << strText;
    });
    QTRY_COMPARE_WITH_TIMEOUT(told.size(), 1, 5000);
    window.OnTimer();
    device.Add(3, nNow);
    window.OnTimer();
    EnterInBar(window.ContextBar()->RoomBox(), "Room 2");
    device.Add(3, nNow + 3);
    window.OnTimer();
    window.Catalogue()->SyncSoon();
    window.close();
    QTest::qWait(300);
    QCOMPARE(told.size(), 1);
    QVERIFY(!window.Recorder()->HasFailed());
    QCOMPARE(recordings.entryList({"*.rdf"}, QDir::Files).size(), 2);
    QVERIFY(QDir(strDatabase).removeRecursively());
}

#include "tst_mainwindow.moc"
