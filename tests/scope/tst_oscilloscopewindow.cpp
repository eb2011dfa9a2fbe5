#include "oscfilterdialog.h"
#include "oscilloscopewindow.h"
#include "qdiagramwidget.h"

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

namespace {

// A quiet trace with bursts at the given starts, each nWidth + 1 samples long.
QList<double> PulseTrace(const QList<int>& starts, int nWidth)
{
    QList<double> trace(5120, 10.0);
    for (int nStart : starts)
        for (int i = nStart; i <= nStart + nWidth; ++i)
            trace[i] = 160.0;
    return trace;
}

QByteArray ToFrame(const QList<double>& trace)
{
    QByteArray frame;
    for (double v : trace)
        frame.append(char(quint8(v)));
    return frame;
}

struct Window : COscilloscopeWindow {
    Window()
    {
        SetTimeRange(0, 5120);
        SetLevelRange(0, 256);
    }
    QPushButton* Button(const char* pName) { return findChild<QPushButton*>(QLatin1String(pName)); }
};

// Runs fn; a message box it opens is answered and its text returned.
QString AnswerMessageBox(const std::function<void()>& fn)
{
    QString strText;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        for (QWidget* pWidget : QApplication::topLevelWidgets())
            if (auto* pBox = qobject_cast<QMessageBox*>(pWidget); pBox && pBox->isVisible()) {
                strText = pBox->text();
                pBox->done(QMessageBox::Ok);
            }
    });
    timer.start(20);
    fn();
    return strText;
}

} // namespace

class TestOscilloscopeWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void triggerFreezesWholeFrame();
    void countsWlanPulses();
    void filterAndItsDialog();
    void setsTriggerLevelFromMenuPoint();
    void storesGeometryOnClose();

private:
    QTemporaryDir m_SettingsDir;
};

void TestOscilloscopeWindow::initTestCase()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_SettingsDir.path());
}

void TestOscilloscopeWindow::triggerFreezesWholeFrame()
{
    Window window;
    window.OnTriggerButton(true);
    QByteArray frame(5120, char(10));
    frame[10] = char(100); // equal to the level: not above it
    window.SetFrame(frame, 3);
    QVERIFY(!window.IsPaused());

    frame[3000] = char(101);
    frame[5119] = char(77); // after the trigger sample, still part of the frozen frame
    window.SetFrame(frame, 3);
    QVERIFY(window.IsPaused());
    QCOMPARE(window.Button("m_pPauseButton")->text(), QStringLiteral("Res&ume"));
    QCOMPARE(window.Trace()[5119], 77.0);
    QCOMPARE(window.DiagramWidget()->Signal(0, 0)->m_samples.size(), size_t(5120));
    QCOMPARE(window.DiagramWidget()->Signal(0, 1)->m_samples.front().YValue(), 100.0);

    // Later frames are ignored until the trigger goes off.
    window.SetFrame(QByteArray(5120, char(200)), 3);
    QCOMPARE(window.Trace()[3000], 101.0);
    window.OnTriggerButton(false);
    QVERIFY(!window.IsPaused());
    QVERIFY(!window.DiagramWidget()->Signal(0, 1)->m_bVisible);

    // A shorter frame replaces the trace rather than keeping an older tail.
    window.SetFrame(QByteArray(100, char(5)), 3);
    QCOMPARE(window.DiagramWidget()->Signal(0, 0)->m_samples.size(), size_t(100));
}

void TestOscilloscopeWindow::countsWlanPulses()
{
    QCOMPARE(COscilloscopeWindow::CountPulses(PulseTrace({100}, 45)), 1);
    QCOMPARE(COscilloscopeWindow::CountPulses(PulseTrace({100}, 40)), 0);
    QCOMPARE(COscilloscopeWindow::CountPulses(PulseTrace({100}, 50)), 0);
    QCOMPARE(COscilloscopeWindow::CountPulses(PulseTrace({100, 1000}, 41)), 2);
    QCOMPARE(COscilloscopeWindow::CountPulses(PulseTrace({100}, 49)), 1);
    // A burst cut off by the end of the frame has no width to judge.
    QCOMPARE(COscilloscopeWindow::CountPulses(PulseTrace({5120 - 46}, 45)), 0);

    Window window;
    const QList<QList<int>> frames = {{100, 1000}, {}, {2000}, {}, {100, 1000, 3000}};
    for (int i = 0; i < frames.size(); ++i) {
        window.SetFrame(ToFrame(PulseTrace(frames[i], 45)), 3);
        QCOMPARE(window.windowTitle() == QStringLiteral("Oscilloscope"), i < 4);
    }
    QCOMPARE(window.windowTitle(), QStringLiteral("6 WLAN pulses detected"));

    // Paused before any frame arrived, the count runs on an empty trace.
    Window fresh;
    fresh.OnPauseButton();
    for (int i = 0; i < 5; ++i)
        fresh.SetFrame(nullptr, 5120, 3);
    QCOMPARE(fresh.windowTitle(), QStringLiteral("0 WLAN pulses detected"));
}

void TestOscilloscopeWindow::filterAndItsDialog()
{
    const QList<double> trace = PulseTrace({100, 2000}, 45);
    Window window;
    window.SetFilter(true, 1.0, 1.0);
    window.SetFrame(ToFrame(trace), 3);
    QCOMPARE(window.Trace(), trace);

    // At 50 a step is followed by 2 % of the remaining distance per sample.
    QList<double> step = {0.0, 100.0, 100.0, 0.0};
    COscilloscopeWindow::ApplyFilter(step, 50.0, 50.0);
    QCOMPARE(step, (QList<double>{0.0, 2.0, 3.96, 3.96 - 3.96 / 50}));

    COscFilterDialog dialog;
    dialog.m_bEnabled = true;
    dialog.LoadControls();
    auto* pUp = dialog.findChild<QLineEdit*>(QStringLiteral("m_pCoef1Edit"));
    auto* pDown = dialog.findChild<QLineEdit*>(QStringLiteral("m_pCoef2Edit"));
    QCOMPARE(pUp->text(), QStringLiteral("50"));
    for (const char* pBad : {"0", "abc", "", "0.5", "inf"}) {
        pDown->setText(QLatin1String(pBad));
        dialog.setResult(QDialog::Rejected);
        QVERIFY2(!AnswerMessageBox([&] { dialog.OnOkButton(); }).isEmpty(), pBad);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(dialog.m_dDownCoef, 50.0);
    }
    pUp->setText(QStringLiteral("1"));
    pDown->setText(QStringLiteral(" 25 "));
    QVERIFY(AnswerMessageBox([&] { dialog.OnOkButton(); }).isEmpty());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.m_dUpCoef, 1.0);
    QCOMPARE(dialog.m_dDownCoef, 25.0);

    // With the filter off, unusable text is not stored for a later enable.
    dialog.findChild<QGroupBox*>(QStringLiteral("m_pEnabledCheck"))->setChecked(false);
    pUp->setText(QStringLiteral("0"));
    QVERIFY(AnswerMessageBox([&] { dialog.OnOkButton(); }).isEmpty());
    QVERIFY(!dialog.m_bEnabled);
    QCOMPARE(dialog.m_dUpCoef, 1.0);
}

void TestOscilloscopeWindow::setsTriggerLevelFromMenuPoint()
{
    Window window;
    window.resize(565, 373);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.SetFrame(QByteArray(5120, char(10)), 3);

    // Outside the plot: the level stays, the trigger is armed anyway.
    QTest::mousePress(&window, Qt::RightButton, {},
                      window.Button("m_pCloseButton")->mapTo(&window, QPoint(2, 2)));
    window.OnSetTriggerLevelAction();
    QCOMPARE(window.TriggerLevel(), 100.0);
    QVERIFY(window.IsTriggerArmed());

    // Inside: the level under the point, and the shown line follows it.
    CQDiagramWidget* pWidget = window.DiagramWidget();
    const QRect plot = pWidget->Area(0)->PlotRect();
    QVERIFY(plot.height() > 20);
    const QPoint inPlot(plot.center().x(), plot.bottom() - plot.height() / 4);
    QTest::mousePress(&window, Qt::RightButton, {}, pWidget->mapTo(&window, inPlot));
    window.OnSetTriggerLevelAction();
    QCOMPARE(window.TriggerLevel(), 256.0 / plot.height() * (plot.height() / 4));
    QCOMPARE(pWidget->Signal(0, 1)->m_samples.back().YValue(), window.TriggerLevel());
}

void TestOscilloscopeWindow::storesGeometryOnClose()
{
    QSettings settings(QStringLiteral("Lumatrix"), QStringLiteral("KV521 Analyzer"));
    settings.setValue(QStringLiteral("Oscilloscope/Geometry"), QStringLiteral("garbage"));
    QCOMPARE(Window().geometry().size(), QSize(600, 400));
    // Saved on a monitor that is no longer there.
    settings.setValue(QStringLiteral("Oscilloscope/Geometry"), QRect(-40000, 30000, 700, 500));
    QCOMPARE(Window().geometry(), QRect(110, 110, 600, 400));

    Window window;
    QSignalSpy closed(&window, &COscilloscopeWindow::closed);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.setGeometry(150, 160, 640, 420);
    window.Button("m_pCloseButton")->click();
    QCOMPARE(closed.count(), 1);
    QCOMPARE(Window().geometry().size(), QSize(640, 420));
}

QTEST_MAIN(TestOscilloscopeWindow)
#include "tst_oscilloscopewindow.moc"
