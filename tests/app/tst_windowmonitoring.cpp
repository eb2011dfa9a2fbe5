// Publishing from the window, switched in Preferences, against a real
// mosquitto and the simulated detector.
#include "kv521mainwindow.h"

#include "isolatedhome.h"
#include "kv521simulator.h"
#include "monitoringcontroller.h"
#include "preferencesdialog.h"
#include "../monitor/testbroker.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QtTest>

#include <functional>
#include <unistd.h>

namespace {

// Opens Preferences, sets the monitoring switch and file, presses OK and
// hands the dialog to check while it is still open (it stays open when the
// configuration is refused; then it is cancelled).
void ChooseMonitoring(CKV521MainWindow& window, bool bOn, const QString& strFile,
                      const std::function<void(CPreferencesDialog*)>& check = {})
{
    QTimer::singleShot(0, [&] {
        auto* pDialog = qobject_cast<CPreferencesDialog*>(QApplication::activeModalWidget());
        QVERIFY(pDialog);
        pDialog->findChild<QCheckBox*>(QStringLiteral("m_pMonitoringCheck"))->setChecked(bOn);
        pDialog->findChild<QLineEdit*>(QStringLiteral("m_pMonitoringFileEdit"))->setText(strFile);
        pDialog->findChild<QPushButton*>(QStringLiteral("m_pOkButton"))->click();
        if (check)
            check(pDialog);
        if (pDialog->isVisible())
            pDialog->reject();
    });
    window.OnFilePreferencesAction();
}

QString WriteFile(const QTemporaryDir& dir, const QString& strName, const QByteArray& content)
{
    QFile file(dir.filePath(strName));
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        return QString();
    return file.fileName();
}

} // namespace

class TestWindowMonitoring : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_Dir;

private Q_SLOTS:
    void init()
    {
        QSettings().clear();
        CKV521MainWindow::SetDevicePort(QStringLiteral("/nonexistent/kv521-port"));
    }

    // On: the detector the window already reads is published, online and
    // its levels, with the broker's state in the status bar. Off: offline,
    // and no socket is left.
    void switchingOnPublishesAndOffClosesTheSocket()
    {
        if (!CTestBroker::IsInstalled() || QStandardPaths::findExecutable(QStringLiteral("mosquitto_sub")).isEmpty())
            QSKIP("mosquitto and mosquitto_sub are not installed (scripts/install-deps.sh)");
        CTestBroker broker;
        QVERIFY(broker.Start());
        CSubscriber subscriber(broker.Port());
        const QString strConfig = WriteFile(
            m_Dir, QStringLiteral("window.conf"),
            QStringLiteral("mqtt-host = 127.0.0.1\nmqtt-port = %1\ndetector-id = desk\nqueue-file = %2\n")
                .arg(broker.Port())
                .arg(m_Dir.filePath(QStringLiteral("window-queue.jsonl")))
                .toUtf8());
        CKV521Simulator simulator;
        QVERIFY(simulator.Open());
        simulator.Start();
        CKV521MainWindow::SetDevicePort(simulator.SlavePath());
        {
            CKV521MainWindow window;
            QLabel* pBroker = window.Monitoring()->BrokerLabel();
            QTRY_COMPARE_WITH_TIMEOUT(window.LinkLabel()->text(), QStringLiteral("Online"), 5000);
            QVERIFY(!pBroker->isVisibleTo(&window));
            QCOMPARE(InetSockets(::getpid()), 0);

            ChooseMonitoring(window, true, strConfig);
            QVERIFY(window.Monitoring()->IsOn());
            QVERIFY(subscriber.WaitFor(QStringLiteral("kv521/desk/state"), "online", 10000));
            QVERIFY(subscriber.WaitFor(QStringLiteral("kv521/desk/levels"), {}, 10000));
            QTRY_COMPARE_WITH_TIMEOUT(pBroker->text(), QStringLiteral("Broker: connected"), 5000);
            QVERIFY(pBroker->isVisibleTo(&window));
            QVERIFY(InetSockets(::getpid()) > 0);
            // The window's one link to the detector serves both.
            QCOMPARE(simulator.Received(CKV521Simulator::PcMessage::Unexpected).size(), 0);

            ChooseMonitoring(window, false, strConfig);
            QVERIFY(!window.Monitoring()->IsOn());
            QVERIFY(subscriber.WaitFor(QStringLiteral("kv521/desk/state"), "offline", 10000));
            QCOMPARE(InetSockets(::getpid()), 0);
            QVERIFY(!pBroker->isVisibleTo(&window));
            QCOMPARE(QSettings().value(CMonitoringController::kEnabledKey).toBool(), false);
        }
        simulator.Stop();
    }

    void malformedConfigurationIsShownAndStaysOff()
    {
        const QString strConfig
            = WriteFile(m_Dir, QStringLiteral("bad.conf"), "mqtt-host = 127.0.0.1\nmqtt-port = many\n");
        CKV521MainWindow window;
        QString strShown;
        bool bStillOpen = false;
        ChooseMonitoring(window, true, strConfig, [&](CPreferencesDialog* pDialog) {
            bStillOpen = pDialog->isVisible();
            strShown = pDialog->findChild<QLabel*>(QStringLiteral("m_pMonitoringErrorLabel"))->text();
        });
        QVERIFY(bStillOpen);
        QVERIFY2(strShown.contains(QLatin1String("bad.conf, line 2")), qPrintable(strShown));
        QVERIFY(!window.Monitoring()->IsOn());
        QVERIFY(!QSettings().value(CMonitoringController::kEnabledKey).toBool());
        QVERIFY(!window.Monitoring()->BrokerLabel()->isVisibleTo(&window));
    }
};

int main(int argc, char** argv)
{
    const CIsolatedHome home;
    QApplication app(argc, argv);
    TestWindowMonitoring test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_windowmonitoring.moc"
