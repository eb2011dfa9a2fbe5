// The simulated detector's log downloaded by the real worker over a
// pseudo-terminal, then cut into files.
#include "devicefiles.h"
#include "kv520device.h"
#include "kv520protocol.h"
#include "kv521simulator.h"
#include "sidecar.h"
#include "simulatorpair.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

QStringList Files(const QString& strFolder)
{
    QStringList names = QDir(strFolder).entryList(QDir::Files);
    // Each data file has its sidecar beside it.
    names.removeIf([](const QString& strName) { return strName.endsWith(QLatin1String(".json")); });
    names.sort();
    return names;
}

using Pair = CSimulatorPair;

QByteArray Session(int nSession, int nHour, int nMinute, int nEvents, bool bLast = false)
{
    QList<QByteArray> entries;
    for (int i = 0; i < nEvents; ++i)
        entries << CKV521Simulator::BuildLogEvent(2, 11, nHour, nMinute, i, 0, i);
    return CKV521Simulator::BuildLogBlock(entries, uint16_t(nSession), bLast);
}

} // namespace

class TestLogDownload : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void downloadParsesOnlyTheBlocksItReceived()
    {
        Pair pair;
        QTemporaryDir first;
        QVERIFY(pair.Download());
        QVERIFY(pair.device.SaveLogFile(first.path()));
        QCOMPARE(Files(first.path()).size(), 3);

        // A shorter log: one session in the first block. The old blocks after
        // it must neither come back nor lend it their events.
        pair.sim.SetLog({Session(7, 15, 30, 2), CKV521Simulator::BuildLogBlock({}, 7, true)});
        QTemporaryDir second;
        QVERIFY(pair.Download());
        QCOMPARE(pair.device.GetLogBlockCount(), 2);
        QVERIFY(pair.device.SaveLogFile(second.path()));
        QCOMPARE(Files(second.path()), QStringList({"log_0312_1530.ldf"}));
        QCOMPARE(QFileInfo(QDir(second.path()).filePath("log_0312_1530.ldf")).size(), qint64(4 + 2 * 76));

        // Cleared on the detector: nothing to write, and the user is told so.
        pair.device.SetCommand(KV520::kCmdClearLog);
        QTRY_COMPARE_WITH_TIMEOUT(pair.device.PendingCommand(), int(KV520::kNoCommand), 5000);
        QTemporaryDir third;
        QVERIFY(pair.Download());
        QVERIFY(pair.device.SaveLogFile(third.path()));
        QCOMPARE(pair.device.GetLastFileError(), CDeviceFiles::NoEventsNotice());
        QVERIFY(Files(third.path()).isEmpty());
        QVERIFY(!pair.device.IsLogCut());
    }

    void sameMinuteSessionsKeepBothFiles()
    {
        Pair pair;
        pair.sim.SetLog({Session(1, 10, 0, 3), Session(2, 10, 0, 1), CKV521Simulator::BuildLogBlock({}, 2, true)});
        QTemporaryDir dir;
        QVERIFY(pair.Download());
        QVERIFY(pair.device.SaveLogFile(dir.path()));
        const QStringList expected({"log_0312_1000.ldf", "log_0312_1000_2.ldf"});
        QCOMPARE(Files(dir.path()), expected);
        // The same log again: the files are already there, nothing is added.
        QVERIFY(pair.Download());
        QVERIFY(pair.device.SaveLogFile(dir.path()));
        QCOMPARE(Files(dir.path()), expected);
        QCOMPARE(QFileInfo(QDir(dir.path()).filePath(expected[1])).size(), qint64(4 + 76));
    }

    void logLongerThanADownloadIsReportedCut()
    {
        Pair pair;
        QList<QByteArray> blocks;
        for (int n = 0; n < KV520::kLogBlockCount; ++n)
            blocks << Session(1 + n / 500, 8 + n / 500, 0, 1);
        // Exactly a thousand blocks, the last one ending the log, is complete.
        QList<QByteArray> exact = blocks.mid(0, KV520::kLogBlockCount - 1);
        exact << CKV521Simulator::BuildLogBlock({}, 2, true);
        pair.sim.SetLog(exact);
        QVERIFY(pair.Download());
        QVERIFY(!pair.device.IsLogCut());

        blocks << CKV521Simulator::BuildLogBlock({}, 2, true); // block 1001, never read
        pair.sim.SetLog(blocks);
        QTemporaryDir dir;
        QVERIFY(pair.Download());
        QVERIFY(pair.device.IsLogCut());
        QCOMPARE(pair.device.GetLogBlockCount(), KV520::kLogBlockCount);
        QVERIFY(pair.device.SaveLogFile(dir.path()));
        QCOMPARE(pair.device.GetLastFileError(), CDeviceFiles::LogCutNotice(KV520::kLogBlockCount));
        QCOMPARE(Files(dir.path()), QStringList({"log_0312_0800.ldf", "log_0312_0900.ldf"}));
    }

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
        QStringList names = Files(dir.path());
        // The settings the detector reported during the download, beside each file.
        CSidecar sidecar;
        QVERIFY(CSidecar::Read(dir.filePath(names.value(0)), sidecar));
        QCOMPARE(sidecar.m_MenuBlock, sim.Menu().left(KV520::kMenuExchanged));
        QVERIFY(sidecar.m_bClockOffsetKnown);
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
