#include "kv521mainwindow.h"
#include "ui_mainwindow.h"

#include "dialoganswerer.h"
#include "idevice.h"
#include "isolatedhome.h"
#include "iserialportenumerator.h"
#include "kv521simulator.h"
#include "linkstatusfield.h"
#include "portchooserdialog.h"
#include "qdiagramwidget.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

namespace {

class CListEnumerator : public ISerialPortEnumerator
{
public:
    QList<SerialPortEntry> m_Ports;
    QList<SerialPortEntry> Ports() const override { return m_Ports; }
};

SerialPortEntry Bridge(const QString& strLocation, const QString& strSerial)
{
    SerialPortEntry e;
    e.m_strName = strLocation.section(QLatin1Char('/'), -1);
    e.m_strLocation = strLocation;
    e.m_strDescription = QStringLiteral("USB Serial");
    e.m_strManufacturer = QStringLiteral("QinHeng Electronics");
    e.m_bHasUsbId = true;
    e.m_nVendorId = 0x1a86;
    e.m_nProductId = 0x7523;
    e.m_strSerialNumber = strSerial;
    return e;
}

QStringList Column(QTreeWidget* pTree, int nColumn)
{
    QStringList texts;
    for (int i = 0; i < pTree->topLevelItemCount(); ++i)
        texts << pTree->topLevelItem(i)->text(nColumn);
    return texts;
}

// Runs fn on the port chooser as soon as it is open.
void WithNextChooser(std::function<void(CPortChooserDialog*)> fn)
{
    QTimer::singleShot(10, [fn] {
        auto* pDialog = qobject_cast<CPortChooserDialog*>(QApplication::activeModalWidget());
        if (pDialog)
            fn(pDialog);
        else
            WithNextChooser(fn);
    });
}

void SelectRow(CPortChooserDialog* pDialog, int nRow)
{
    auto* pTree = pDialog->findChild<QTreeWidget*>(QStringLiteral("m_pPortTree"));
    pTree->setCurrentItem(pTree->topLevelItem(nRow));
}

int SampleCount(CQDiagramWidget& diagram)
{
    CDiagramSignal* pSignal = diagram.Signal(0, 0);
    return pSignal ? static_cast<int>(pSignal->m_samples.size()) : 0;
}

} // namespace

// Choosing the detector's port and seeing the state of the link.
class TestConnection : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        QSettings().clear();
        CKV521MainWindow::SetDevicePort(QString());
        CKV521MainWindow::SetSimulated(false);
        m_pPorts = std::make_shared<CListEnumerator>();
        CKV521MainWindow::SetPortEnumerator(m_pPorts);
    }

    void chooserListsAndFollowsThePorts()
    {
        m_pPorts->m_Ports = {Bridge(QStringLiteral("/dev/pts/7"), QStringLiteral("S1"))};
        const CPortChoice gone = CPortChoice::FromEntry(Bridge(QStringLiteral("/dev/ttyUSB3"), QStringLiteral("S9")));
        CPortChooserDialog dialog(m_pPorts, gone, true);
        auto* pTree = dialog.findChild<QTreeWidget*>(QStringLiteral("m_pPortTree"));
        QCOMPARE(Column(pTree, 0), QStringList({"Automatic", "Simulated detector", "/dev/pts/7", "/dev/ttyUSB3"}));
        QCOMPARE(Column(pTree, 3).value(2), QStringLiteral("1a86:7523"));
        QCOMPARE(Column(pTree, 4).value(2), QStringLiteral("S1"));
        QCOMPARE(Column(pTree, 2).value(2), QStringLiteral("QinHeng Electronics"));
        // The port chosen earlier stays listed while unplugged, and selected.
        QCOMPARE(dialog.Choice(), gone);

        // Hot-plug: the list follows, the selection stays.
        SelectRow(&dialog, 2);
        m_pPorts->m_Ports.prepend(Bridge(QStringLiteral("/dev/ttyACM0"), QStringLiteral("S2")));
        QTRY_COMPARE_WITH_TIMEOUT(pTree->topLevelItemCount(), 5, 3 * CPortChooserDialog::kRefreshMs);
        QCOMPARE(dialog.Choice().Port(), QStringLiteral("/dev/pts/7"));
        QCOMPARE(dialog.Choice().SerialNumber(), QStringLiteral("S1"));
        m_pPorts->m_Ports.clear();
        dialog.Refresh();
        QCOMPARE(dialog.Choice(), CPortChoice::Automatic());

        CPortChooserDialog noSimulator(m_pPorts, CPortChoice::Simulated(), false);
        pTree = noSimulator.findChild<QTreeWidget*>(QStringLiteral("m_pPortTree"));
        QCOMPARE(Column(pTree, 0), QStringList({"Automatic"}));
    }

    void chooserShowsThePortInUseAndTakesATypedPath()
    {
        const CPortChoice pty = CPortChoice::Named(QStringLiteral("/dev/pts/9"));
        {
            CPortChooserDialog dialog(m_pPorts, pty, false, nullptr, pty.Port());
            auto* pTree = dialog.findChild<QTreeWidget*>(QStringLiteral("m_pPortTree"));
            QCOMPARE(Column(pTree, 1), QStringList({"Found by the port's description or USB bridge", "In use"}));
            SelectRow(&dialog, 0);
            SelectRow(&dialog, 1);
            QCOMPARE(dialog.Choice(), pty);

            // A path the enumeration never lists, kept while the list changes.
            auto* pEdit = dialog.findChild<QLineEdit*>(QStringLiteral("m_pPathEdit"));
            QTest::keyClicks(pEdit, QStringLiteral("/dev/rfcomm0"));
            QCOMPARE(dialog.Choice(), CPortChoice::Named(QStringLiteral("/dev/rfcomm0")));
            m_pPorts->m_Ports = {Bridge(QStringLiteral("/dev/ttyUSB0"), QStringLiteral("S1"))};
            dialog.Refresh();
            QCOMPARE(dialog.Choice(), CPortChoice::Named(QStringLiteral("/dev/rfcomm0")));
            dialog.accept();
        }
        // Offered again after another choice was made.
        CPortChooserDialog next(m_pPorts, CPortChoice::Automatic(), false);
        QCOMPARE(next.findChild<QLineEdit*>(QStringLiteral("m_pPathEdit"))->text(), QStringLiteral("/dev/rfcomm0"));
        QCOMPARE(next.Choice(), CPortChoice::Automatic());
    }

    void choiceFromTheLinkFieldIsUsedAndRemembered()
    {
        CKV521Simulator simulator;
        QVERIFY(simulator.Open());
        simulator.Start();
        m_pPorts->m_Ports = {Bridge(simulator.SlavePath(), QStringLiteral("S1"))};
        // A port from the command line holds for this run, whatever is stored.
        QSettings().setValue("Link/Port", "simulated");
        CKV521MainWindow::SetDevicePort(QStringLiteral("/nonexistent/kv521-port"));
        {
            CKV521MainWindow window;
            QCOMPARE(window.PortChoice(), CPortChoice::Named("/nonexistent/kv521-port"));
            QTRY_COMPARE(window.LinkField()->PortName(), QStringLiteral("/nonexistent/kv521-port"));

            // The user picks the port in the chooser, reached by a click on the link field.
            WithNextChooser([](CPortChooserDialog* pDialog) {
                SelectRow(pDialog, 2);
                pDialog->accept();
            });
            QTest::mouseClick(window.LinkField(), Qt::LeftButton);
            QTRY_COMPARE_WITH_TIMEOUT(window.LinkLabel()->text(), QStringLiteral("Online"), 5000);
            QCOMPARE(window.LinkField()->PortName(), simulator.SlavePath());
            QCOMPARE(QSettings().value("Link/Port").toString(), simulator.SlavePath());
            QCOMPARE(QSettings().value("Link/SerialNumber").toString(), QStringLiteral("S1"));

            // Another port while the first detector still talks: the link moves over.
            CKV521Simulator other;
            QVERIFY(other.Open());
            other.Start();
            QVERIFY(window.SwitchPort(CPortChoice::Named(other.SlavePath())));
            QTRY_VERIFY_WITH_TIMEOUT(other.FramesSent() > 2, 5000);
            const int nFirst = simulator.FramesSent();
            QTest::qWait(300);
            QCOMPARE(simulator.FramesSent(), nFirst);
            QCOMPARE(window.LinkField()->PortName(), other.SlavePath());
            window.close();
            other.Stop();
        }
        simulator.Stop();

        // Next start without a port named: the remembered choice, here the simulator.
        QSettings().setValue("Link/Port", "simulated");
        CKV521MainWindow::SetDevicePort(QString());
        CKV521MainWindow window;
        QCOMPARE(window.PortChoice(), CPortChoice::Simulated());
        QTRY_COMPARE_WITH_TIMEOUT(window.LinkLabel()->text(), QStringLiteral("Online"), 5000);
        QCOMPARE(window.LinkField()->PortName(), QStringLiteral("simulated detector"));
        CQDiagramWidget* pDiagram = window.Form()->m_pRealtimeGraphFrame;
        QTRY_VERIFY_WITH_TIMEOUT(SampleCount(*pDiagram) > 2, 5000);

        // Switching restarts the link and the realtime diagram.
        QVERIFY(window.SwitchPort(CPortChoice::Named(QStringLiteral("/nonexistent/kv521-port"))));
        QCOMPARE(SampleCount(*pDiagram), 0);
        QTest::qWait(300);
        QCOMPARE(window.LinkLabel()->text(), QStringLiteral("Offline"));
    }

    void switchingPortAsksBeforeUnsavedDataGoes()
    {
        QSettings().setValue("Realtime/RecordToFile", false);
        CKV521MainWindow::SetSimulated(true);
        CKV521MainWindow window;
        CQDiagramWidget* pDiagram = window.Form()->m_pRealtimeGraphFrame;
        QTRY_VERIFY_WITH_TIMEOUT(SampleCount(*pDiagram) > 2, 5000);
        QVERIFY(window.HasUnsavedRecords());
        DialogAnswerer answers;

        // OK on the link in use: no question, no restart.
        WithNextChooser([](CPortChooserDialog* pDialog) { pDialog->accept(); });
        window.OnFileConnectionAction();
        const int nKept = SampleCount(*pDiagram);
        QVERIFY(nKept > 2);
        QVERIFY(answers.m_Seen.isEmpty());

        // Another port: Cancel keeps link and trace, Discard switches.
        const auto chooseAutomatic = [](CPortChooserDialog* pDialog) {
            SelectRow(pDialog, 0);
            pDialog->accept();
        };
        answers.Button(QMessageBox::Cancel);
        WithNextChooser(chooseAutomatic);
        window.OnFileConnectionAction();
        QCOMPARE(answers.m_Seen.size(), 1);
        QCOMPARE(window.PortChoice(), CPortChoice::Simulated());
        QVERIFY(SampleCount(*pDiagram) >= nKept);

        answers.Button(QMessageBox::Discard);
        WithNextChooser(chooseAutomatic);
        window.OnFileConnectionAction();
        QCOMPARE(answers.m_Seen.size(), 2);
        QCOMPARE(answers.m_nUnexpected, 0);
        QCOMPARE(window.PortChoice(), CPortChoice::Automatic());
        QCOMPARE(SampleCount(*pDiagram), 0);
    }

    void linkMessageGoesWhenTheLinkComesUp()
    {
        QTemporaryDir dir;
        const QString strPort = dir.filePath(QStringLiteral("ttyKV"));
        CKV521MainWindow::SetDevicePort(strPort);
        CKV521MainWindow window;
        window.show();
        QStatusBar* pBar = window.statusBar();
        QTRY_VERIFY_WITH_TIMEOUT(pBar->currentMessage().startsWith("Cannot open the detector's port"), 3000);
        QVERIFY(pBar->currentMessage().contains(strPort));
        QVERIFY(window.LinkField()->isVisible());
        QCOMPARE(window.LinkField()->PortName(), strPort);

        // The port appears before the detector talks: the message goes at once.
        CKV521Simulator simulator;
        QVERIFY(simulator.Open());
        QVERIFY(simulator.LinkTo(strPort));
        QTRY_VERIFY_WITH_TIMEOUT(pBar->currentMessage().isEmpty(), 3000);
        QCOMPARE(window.LinkLabel()->text(), QStringLiteral("Offline"));
        simulator.Start();
        QTRY_COMPARE_WITH_TIMEOUT(window.LinkLabel()->text(), QStringLiteral("Online"), 5000);
        QVERIFY(pBar->currentMessage().isEmpty());
        simulator.Stop();
        QFile::remove(strPort);

        // Port gone, the user's own message meanwhile, link back: the user's message stays.
        QTRY_VERIFY_WITH_TIMEOUT(pBar->currentMessage().startsWith("Cannot open the detector's port"), 5000);
        QVERIFY(window.LinkField()->isVisible());
        CKV521Simulator second;
        QVERIFY(second.Open());
        second.Start();
        window.Form()->m_pRealtimeClearButton->click();
        QVERIFY(second.LinkTo(strPort));
        QTRY_COMPARE_WITH_TIMEOUT(window.LinkLabel()->text(), QStringLiteral("Online"), 5000);
        QCOMPARE(pBar->currentMessage(), QStringLiteral("Collected data cleared"));
        second.Stop();
    }

    void noDetectorFoundAsksForThePort()
    {
        m_pPorts->m_Ports = {Bridge(QStringLiteral("/nonexistent/ttyUSB0"), QStringLiteral("S1")),
                             Bridge(QStringLiteral("/nonexistent/ttyUSB1"), QStringLiteral("S2"))};
        CKV521MainWindow window;
        QTRY_COMPARE_WITH_TIMEOUT(window.statusBar()->currentMessage(),
                                  QString::fromUtf8("No detector found \u2014 choose its port"), 3000);
        QCOMPARE(window.statusBar()->toolTip(), window.statusBar()->currentMessage());
        QVERIFY(window.LinkField()->PortName().isEmpty());

        // A click on the message opens the chooser.
        bool bOpened = false;
        WithNextChooser([&bOpened](CPortChooserDialog* pDialog) {
            bOpened = true;
            pDialog->reject();
        });
        QTest::mouseClick(window.statusBar(), Qt::LeftButton, {}, QPoint(20, window.statusBar()->height() / 2));
        QTRY_VERIFY(bOpened);
    }

private:
    std::shared_ptr<CListEnumerator> m_pPorts;
};

int main(int argc, char** argv)
{
    const CIsolatedHome home;
    QApplication app(argc, argv);
    TestConnection test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_connection.moc"
