// The simulated detector's log downloaded by the real worker over a
// pseudo-terminal, then cut into files.
#include "kv520device.h"
#include "kv520protocol.h"
#include "kv521simulator.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

class TestLogDownload : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void defaultLogBecomesThreeFiles()
    {
        CKV521Simulator::Options options;
        options.bDeterministic = true;
        CKV521Simulator sim(options);
        QString strError;
        QVERIFY2(sim.Open(&strError), qPrintable(strError));
        sim.Start();
        CKV520Device device;
        device.SetPortOverride(sim.SlavePath());
        device.Start();
        QTRY_VERIFY_WITH_TIMEOUT(device.IsConnected(), 5000);

        device.SetCommand(KV520::kCmdReadLog);
        QTRY_COMPARE_WITH_TIMEOUT(device.GetProgress()->load(), KV520::kProgressDone, 8000);
        device.Stop();

        QTemporaryDir dir;
        QVERIFY(device.SaveLogFile(dir.path()));
        QVERIFY(device.GetLastFileError().isEmpty());
        QStringList names = QDir(dir.path()).entryList(QDir::Files);
        names.sort();
        QCOMPARE(names, QStringList({"log_0311_0900.ldf", "log_0312_1000.ldf", "log_0313_1100.ldf"}));
        for (const QString& strName : names) {
            QCOMPARE(QFileInfo(dir.filePath(strName)).size(), qint64(4 + 10 * 76));
            QList<CDeviceRecord> records;
            int nVersion = -1;
            QVERIFY(device.LoadDataFile(dir.filePath(strName), records, nVersion));
            QCOMPARE(nVersion, 2);
            QCOMPARE(records.size(), 10);
            // Channel codes cycle 0, 1, 2 in the simulator's events.
            QCOMPARE(records[0].m_nBandMask, 0x01);
            QCOMPARE(records[1].m_nBandMask, 0x02);
            QCOMPARE(records[2].m_nBandMask, 0x04);
            QCOMPARE(records[9].m_nStatusWord, 12);
        }
    }
};

QTEST_GUILESS_MAIN(TestLogDownload)
#include "tst_logdownload.moc"
