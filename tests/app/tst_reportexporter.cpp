// File > Export Report... as the main window wires it.
#include "reportexporter.h"

#include <QAction>
#include <QFileInfo>
#include <QMainWindow>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

class TestReportExporter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void exportsTheFileShown()
    {
        QMainWindow window;
        QAction action(&window);
        CReportExporter exporter(&action, &window, window.statusBar());
        QVERIFY2(!action.isEnabled(), "nothing shown yet");

        QTemporaryDir dir;
        QString strAskedStart;
        const QString strTarget = dir.filePath(QStringLiteral("report.pdf"));
        exporter.m_fnChooseSaveFile = [&](QWidget*, const QString&, const QString& strStart) {
            strAskedStart = strStart;
            return strTarget;
        };
        CDeviceRecord record;
        record.m_nTime = 1700000000;
        record.m_nBandMask = 0x01;
        record.m_Levels = {CDeviceLevel{40.0, 30.0, 1, 2}, CDeviceLevel{35.0, 30.0, 2, 2}, CDeviceLevel(),
                           CDeviceLevel(), CDeviceLevel(), CDeviceLevel()};
        exporter.OnFileShown({record, record}, 2, QStringLiteral("/storage/log_1114_2213.ldf"));
        QVERIFY(action.isEnabled());

        action.trigger();
        QVERIFY(strAskedStart.endsWith(QStringLiteral("log_1114_2213.pdf")));
        QVERIFY(QFileInfo(strTarget).size() > 1000);
        QVERIFY(window.statusBar()->currentMessage().contains(QStringLiteral("report.pdf")));

        // Cancelling the dialog writes nothing.
        QFile::remove(strTarget);
        exporter.m_fnChooseSaveFile = [](QWidget*, const QString&, const QString&) { return QString(); };
        action.trigger();
        QVERIFY(!QFileInfo::exists(strTarget));
    }
};

QTEST_MAIN(TestReportExporter)
#include "tst_reportexporter.moc"
