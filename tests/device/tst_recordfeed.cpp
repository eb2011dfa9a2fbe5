// The one cursor over the device's records: every sink gets every record
// once and in order, and hears of what it could not get.
#include "irecordsink.h"
#include "linkeddevice.h"
#include "recordfeed.h"

#include <QTest>

#include <vector>

using namespace KV520;

namespace {

struct CCollectingSink : IRecordSink
{
    std::vector<int> levels; // the number each record carries
    int64_t nNextExpected = 0;
    bool bInOrder = true;
    int64_t nMissed = 0;
    int nRestarts = 0;
    bool bStarted = false; // a sink may join a feed that is under way

    void OnRecords(int64_t nFirst, const DeviceRawRecord* pRecords, int nCount) override
    {
        if (!bStarted)
            nNextExpected = nFirst;
        bStarted = true;
        bInOrder = bInOrder && nFirst == nNextExpected;
        for (int i = 0; i < nCount; ++i)
            levels.push_back(pRecords[i].Levels[0] | pRecords[i].Levels[1] << 8);
        nNextExpected = nFirst + nCount;
    }
    void OnRecordsMissed(int64_t n) override
    {
        nMissed += n;
        nNextExpected += n;
    }
    void OnHistoryRestarted() override
    {
        ++nRestarts;
        nNextExpected = 0;
    }
};

} // namespace

class TestRecordFeed : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everySinkGetsEveryRecordOnceInOrder()
    {
        CLinkedDevice device;
        CRecordFeed feed(&device);
        CCollectingSink a, b;
        feed.Subscribe(&a);
        feed.Subscribe(&a); // twice is once
        device.Store(3);
        QCOMPARE(feed.Poll(), 3);
        feed.Subscribe(&b); // from now on
        // Batches larger than the feed's buffer, and polls with nothing new.
        for (int n : {0, CRecordFeed::kBatch + 7, 1, 0}) {
            device.Store(n);
            QCOMPARE(feed.Poll(), n);
        }
        const int nTotal = 3 + CRecordFeed::kBatch + 8;
        QCOMPARE(int(a.levels.size()), nTotal);
        QCOMPARE(int(b.levels.size()), nTotal - 3);
        for (int i = 0; i < nTotal; ++i)
            QCOMPARE(a.levels[size_t(i)], i & 0xFFFF);
        QCOMPARE(b.levels.front(), 3);
        QVERIFY(a.bInOrder && b.bInOrder);

        feed.Unsubscribe(&a);
        device.Store(2);
        feed.Poll();
        QCOMPARE(int(a.levels.size()), nTotal);
        QCOMPARE(int(b.levels.size()), nTotal - 3 + 2);
    }

    void fallingBehindTheRingIsToldNotSkippedInSilence()
    {
        CLinkedDevice device;
        CRecordFeed feed(&device);
        CCollectingSink sink;
        feed.Subscribe(&sink);
        device.Store(10);
        feed.Poll();
        device.Store(kHistorySize + 20);
        QCOMPARE(feed.Poll(), kHistorySize);
        QCOMPARE(sink.nMissed, 20);
        QCOMPARE(feed.Missed(), 20);
        QVERIFY(sink.bInOrder);
        QCOMPARE(sink.levels[10], 30); // the oldest the ring still held
        QCOMPARE(int(sink.levels.size()), 10 + kHistorySize);
    }

    void aStreamBegunLaterAndANewHistory()
    {
        CLinkedDevice device;
        device.Store(50);
        CRecordFeed feed(&device);
        feed.SkipStored();
        CCollectingSink sink;
        feed.Subscribe(&sink);
        device.Store(2);
        QCOMPARE(feed.Poll(), 2);
        QCOMPARE(sink.levels, (std::vector<int>{50, 51}));

        // Another device: a new history, counted from 0.
        CLinkedDevice other;
        other.Store(1);
        feed.SetDevice(&other);
        QCOMPARE(feed.Poll(), 1);
        QCOMPARE(sink.nRestarts, 1);
        QCOMPARE(sink.levels.back(), 0);
        QVERIFY(sink.bInOrder);
    }
};

QTEST_GUILESS_MAIN(TestRecordFeed)
#include "tst_recordfeed.moc"
