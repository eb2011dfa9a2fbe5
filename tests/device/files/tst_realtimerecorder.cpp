// The recording of a session: what reaches the file, when it reaches the disk,
// and what happens when it cannot.
#include "devicefiles.h"
#include "kv520datamodel.h"
#include "kv520device.h"
#include "kv520protocol.h"
#include "linkeddevice.h"
#include "realtimerecorder.h"
#include "recordfeed.h"
#include "sidecar.h"
#include "testclock.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <vector>

using namespace KV520;

namespace {

// The recorder as the window drives it: fed by the one record feed, then
// told the link's state.
class CFedRecorder : public CRealtimeRecorder
{
public:
    bool Poll(IDevice* pDevice)
    {
        m_Feed.SetDevice(pDevice);
        m_Feed.Subscribe(this);
        m_Feed.Poll();
        return Tick(pDevice->IsConnected());
    }

private:
    CRecordFeed m_Feed;
};

QByteArray ReadAll(const QString& strPath)
{
    QFile file(strPath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestRealtimeRecorder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void holdsExactlyTheStoredRecordsAsSaveDataWould()
    {
        QTemporaryDir dir;
        CLinkedDevice device;
        CFedRecorder recorder;
        recorder.SetFolder(dir.filePath(QStringLiteral("Recordings")));
        // Batches of every size between polls, as a busy interface sees them.
        for (int n : {1, 5, 0, 100, 37})
        {
            device.Store(n);
            QVERIFY(recorder.Poll(&device));
        }
        const QString strPath = recorder.FilePath();
        QCOMPARE(QFileInfo(strPath).fileName(), QStringLiteral("rt_0503_1005.rdf"));
        recorder.Close();

        QString strName, strError;
        QVERIFY2(CDeviceFiles::SaveRealtimeFile(device.Model(), dir.path(), 0, strName, &strError),
                 qPrintable(strError));
        const QByteArray saved = ReadAll(dir.filePath(strName + QStringLiteral(".rdf")));
        QCOMPARE(saved.size(), 4 + 143 * 76);
        QCOMPARE(ReadAll(strPath), saved);

        // The link going down ends the file; the next connection gets its own.
        device.m_bLinked = false;
        QVERIFY(recorder.Poll(&device));
        device.m_bLinked = true;
        device.Store(2);
        QVERIFY(recorder.Poll(&device));
        QCOMPARE(QFileInfo(recorder.FilePath()).fileName(), QStringLiteral("rt_0503_1005_2.rdf"));
        QCOMPARE(recorder.RecordsInFile(), 2);
    }

    void catchesUpAfterTheRingWrappedUnseen()
    {
        QTemporaryDir dir;
        CLinkedDevice device;
        CFedRecorder recorder;
        recorder.SetFolder(dir.path());
        device.Store(10);
        QVERIFY(recorder.Poll(&device));
        // A stall longer than the ring: what the ring still holds is kept,
        // oldest first, across the wrap.
        device.Store(kHistorySize + 20);
        QVERIFY(recorder.Poll(&device));
        QCOMPARE(recorder.RecordsInFile(), 10 + kHistorySize);
        const QString strPath = recorder.FilePath();
        recorder.Close();
        const QByteArray data = ReadAll(strPath);
        QCOMPARE(data.size(), 4 + (10 + kHistorySize) * 76);
        auto levelOf = [&](int nRecord) {
            const int nAt = 4 + nRecord * 76 + int(offsetof(DeviceRawRecord, Levels));
            return uint8_t(data[nAt]) | uint8_t(data[nAt + 1]) << 8;
        };
        QCOMPARE(levelOf(9), 9);
        QCOMPARE(levelOf(10), 30);
        QCOMPARE(levelOf(10 + kHistorySize - 1), (kHistorySize + 29) & 0xFFFF);
    }

    void flushedRecordsAreOnDiskWhileTheFileIsOpen()
    {
        QTemporaryDir dir;
        CLinkedDevice device;
        CFedRecorder recorder;
        auto pClock = std::make_shared<CTestClock>();
        recorder.SetClock(pClock);
        recorder.SetFolder(dir.path());
        device.Store(3);
        QVERIFY(recorder.Poll(&device));
        // What a killed program leaves: only what reached the system.
        pClock->Advance(CRealtimeRecorder::kFlushMs + 100);
        device.Store(2);
        QVERIFY(recorder.Poll(&device));
        QCOMPARE(ReadAll(recorder.FilePath()).size(), 4 + 5 * 76);
    }

    // What a killed program leaves: every record of every finished poll is
    // with the system at once, long before the sync is due.
    void eachPollsRecordsReachTheSystemAtOnce()
    {
        QTemporaryDir dir;
        CLinkedDevice device;
        CFedRecorder recorder;
        recorder.SetFolder(dir.path());
        for (int nTotal : {3, 4, 40}) {
            device.Store(nTotal - device.m_nStored);
            QVERIFY(recorder.Poll(&device));
            QCOMPARE(ReadAll(recorder.FilePath()).size(), 4 + nTotal * 76);
        }
    }

    void eachRoomVisitGetsItsOwnFileWithTheSweepBesideIt()
    {
        QTemporaryDir dir;
        CLinkedDevice device;
        CFedRecorder recorder;
        recorder.SetFolder(dir.path());
        QStringList closed;
        recorder.SetFileClosedHandler([&](const QString& strPath) { closed << strPath; });
        CSweepContext context;
        context.m_strClient = QStringLiteral("ACME");
        context.m_strRoom = QStringLiteral("Boardroom");
        recorder.SetSweepContext(context);
        recorder.SetDetector(QStringLiteral("/dev/ttyACM0"), QStringLiteral("KV-17"));
        device.Store(3);
        QVERIFY(recorder.Poll(&device));
        const QString strFirst = recorder.FilePath();

        context.m_strRoom = QStringLiteral("Room 2");
        recorder.SetSweepContext(context);
        QCOMPARE(closed, QStringList{strFirst});
        device.Store(2);
        QVERIFY(recorder.Poll(&device));
        QVERIFY(recorder.FilePath() != strFirst);
        QCOMPARE(recorder.RecordsInFile(), 2);
        // The data file holds the records alone, as before.
        QCOMPARE(QFileInfo(strFirst).size(), 4 + 3 * 76);

        CSidecar first, second;
        QVERIFY(CSidecar::Read(strFirst, first));
        QVERIFY(CSidecar::Read(recorder.FilePath(), second));
        QCOMPARE(first.m_Context.m_strRoom, QStringLiteral("Boardroom"));
        QCOMPARE(second.m_Context.m_strRoom, QStringLiteral("Room 2"));
        QCOMPARE(first.m_strUsbSerial, QStringLiteral("KV-17"));
        QCOMPARE(first.m_Capture.m_nUtcOffsetSecs, QDateTime::currentDateTime().offsetFromUtc());

        // Settings and clock offset are additions: without them, or with a
        // block that is not hex, the sidecar still reads, as older ones do.
        QVERIFY(first.m_MenuBlock.isEmpty() && !first.m_bClockOffsetKnown);
        first.m_MenuBlock = QByteArray(54, '\x07');
        first.m_bClockOffsetKnown = true;
        first.m_nClockOffsetSecs = -75;
        CSidecar back;
        QVERIFY(CSidecar::FromJson(first.ToJson(), back, nullptr));
        QCOMPARE(back.m_MenuBlock, first.m_MenuBlock);
        QCOMPARE(back.m_nClockOffsetSecs, qint64(-75));
        QVERIFY(CSidecar::FromJson(first.ToJson().replace("0707", "zz07"), back, nullptr));
        QVERIFY(back.m_MenuBlock.isEmpty());
        QCOMPARE(back.m_Context.m_strRoom, QStringLiteral("Boardroom"));
        // The detector's clock runs in its own year: 31 Dec against the PC's 1 Jan is a second behind.
        QCOMPARE(CSidecar::ClockOffset(QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59)),
                                       QDateTime(QDate(2026, 1, 1), QTime(0, 0, 0))),
                 qint64(-1));

        // A sidecar that is not one reads as none; the data file still loads.
        QFile corrupt(CSidecar::PathFor(strFirst));
        QVERIFY(corrupt.open(QIODevice::WriteOnly | QIODevice::Truncate));
        corrupt.write("{\"schema\": 1, \"capture\": {\"year\": \"x\"");
        corrupt.close();
        QString strError;
        QVERIFY(!CSidecar::Read(strFirst, first, &strError));
        QVERIFY(!strError.isEmpty());
        QList<CDeviceRecord> records;
        int nVersion = -1;
        QVERIFY(CDeviceFiles::LoadDataFile(strFirst, records, nVersion, &strError));
        QCOMPARE(records.size(), 3);
    }

    void anUnwritableFolderIsReportedOnceAndStopsTheRecording()
    {
        QTemporaryDir dir;
        // A file where the folder should be: no folder can be made there, also for root.
        QFile blocker(dir.filePath(QStringLiteral("Recordings")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        CLinkedDevice device;
        CFedRecorder recorder;
        recorder.SetFolder(blocker.fileName());
        device.Store(4);
        QVERIFY(!recorder.Poll(&device));
        QVERIFY(recorder.HasFailed());
        QVERIFY(recorder.Error().contains(QStringLiteral("Recordings")));
        device.Store(4);
        QVERIFY(recorder.Poll(&device));

        // Turned on again where it can write: from the next record on.
        recorder.SetFolder(dir.filePath(QStringLiteral("Elsewhere")));
        recorder.SetEnabled(true);
        QVERIFY(recorder.Poll(&device));
        device.Store(3);
        QVERIFY(recorder.Poll(&device));
        QCOMPARE(recorder.RecordsInFile(), 3);
    }
};

QTEST_GUILESS_MAIN(TestRealtimeRecorder)
#include "tst_realtimerecorder.moc"
