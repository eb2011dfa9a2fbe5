#include "fakeserialhandle.h"
#include "kv520datamodel.h"
#include "kv520device.h"
#include "kv520menupositions.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <functional>
#include <vector>

using namespace KV520;

namespace {
std::vector<uint8_t> MakeFrame(uint8_t nDayByte, uint8_t nMonthByte, uint8_t nModeFlags = 1)
{
    std::vector<uint8_t> f(kFrameSize, 0);
    f[kDay] = nDayByte;
    f[kMonth] = nMonthByte;
    f[kModeFlags] = nModeFlags;
    f[kBandMask] = 0x05;
    f[kIndicators] = 0x03; // alarm and language 1
    f[kStatusA] = 0;
    f[kStatusWord] = 0x34;
    f[kStatusWord + 1] = 0x12;
    for (int i = 0; i < kLevelBlockSize; ++i)
        f[kLevelBlock + i] = uint8_t(20 + i);
    for (int i = 0; i < kThresholdBlockSize; ++i)
        f[kThresholdBlock + i] = uint8_t(200 + i);
    for (int i = 0; i < kMenuExchanged; ++i)
        f[kMenuBlock + i] = uint8_t(i);
    f[kOscParam] = 9;
    for (int i = 0; i < kOscSampleCount; ++i)
        f[kOscSamples + i] = uint8_t(i);
    return f;
}

std::vector<uint8_t> WithChecksum(std::vector<uint8_t> f)
{
    f[kFrameChecksum] = Checksum(f.data(), kFrameChecksum);
    return f;
}
} // namespace

class TestDataModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void storesRecordAndLiveState()
    {
        CKV520DataModel m;
        QCOMPARE(m.LiveState().m_nChangeByte, uint8_t(100));
        const auto f = MakeFrame(4, 2);
        m.StoreDataFrame(f.data(), 12 * kTicksPerHour);
        QCOMPARE(m.WriteIndex(), 1);
        DeviceRawRecord r;
        QVERIFY(m.Record(0, r));
        QCOMPARE(int(r.Day), 5);
        QCOMPARE(int(r.Month), 3);
        QCOMPARE(r.GetTime(), 4 * kTicksPerDay + 12 * kTicksPerHour);
        QCOMPARE(int(r.BandMask), 5);
        QCOMPARE(r.GetStatusWord(), uint16_t(0));
        QCOMPARE(int(r.Levels[0]), 20);
        QCOMPARE(int(r.Thresholds[0]), 200);

        const CDeviceLiveState s = m.LiveState();
        QCOMPARE(int(s.m_nChangeByte), 0);
        QCOMPARE(int(s.m_nAlarm), 1);
        QCOMPARE(int(s.m_nLanguage), 1);
        QCOMPARE(int(s.m_nStatusAClear), 1);
        QCOMPARE(int(s.m_nStatusWord), 0x1234);
        QCOMPARE(s.m_nOscParam, 9);
        int nParam = 0;
        const QByteArray osc = m.OscilloscopeSamples(&nParam);
        QCOMPARE(osc.size(), kOscSampleCount);
        QCOMPARE(uint8_t(osc[300]), uint8_t(300 & 0xFF));
        QCOMPARE(int(m.MenuByte(53)), 53);
    }

    void thresholdsComeFromTheLevelBlockWithModeBit2()
    {
        CKV520DataModel m;
        const auto f = MakeFrame(0, 0, kModeThresholdsInLevels);
        m.StoreDataFrame(f.data(), 0);
        const CDeviceLiveState s = m.LiveState();
        for (int c = 0; c < 3; ++c) {
            QCOMPARE(int(s.m_Thresholds[c]), 20 + 9 + c);
            QCOMPARE(int(s.m_Thresholds[3 + c]), 20 + 12 + c);
        }
        QCOMPARE(int(s.m_Thresholds[6]), 206); // bar counts stay
    }

    void timesKeepGrowingAcrossAMonthChange()
    {
        CKV520DataModel m;
        auto f = MakeFrame(30, 0); // the 31st of January
        m.StoreDataFrame(f.data(), 100);
        f = MakeFrame(0, 1); // the 1st of February
        m.StoreDataFrame(f.data(), 200);
        DeviceRawRecord r0, r1;
        QVERIFY(m.Record(0, r0));
        QVERIFY(m.Record(1, r1));
        QCOMPARE(r1.GetTime(), 30 * kTicksPerDay + 200);
        QVERIFY(r1.GetTime() > r0.GetTime());
        QCOMPARE(int(r1.Month), 2);
        QCOMPARE(int(r1.Day), 1);
    }

    void ringWrapsAndOutOfRangeRecordsAreEmpty()
    {
        CKV520DataModel m;
        DeviceRawRecord r;
        QVERIFY(!m.Record(0, r));
        QVERIFY(!m.Record(-1, r));
        const auto f = MakeFrame(1, 1);
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < kHistorySize; ++i)
            m.StoreDataFrame(f.data(), i);
        qInfo("%d frames stored in %lld ms", kHistorySize, timer.elapsed());
        QCOMPARE(m.WriteIndex(), 0);
        QVERIFY(m.HasWrapped());
        QCOMPARE(m.StoredCount(), kHistorySize);
        QVERIFY(m.Record(kHistorySize - 1, r));
        QVERIFY(!m.Record(kHistorySize, r));
        m.StoreDataFrame(f.data(), 7);
        QCOMPARE(m.WriteIndex(), 1);
        QVERIFY(m.Record(0, r));
        QCOMPARE(r.GetTime(), 1 * kTicksPerDay + 7);
        m.ResetHistory();
        QCOMPARE(m.StoredCount(), 0);
        QVERIFY(!m.Record(0, r));
    }

    void editedMenuBytesSurviveFramesUntilSent()
    {
        CKV520DataModel m;
        auto f = MakeFrame(0, 0);
        m.StoreDataFrame(f.data(), 0);
        m.SetMenuByte(2, 33);
        m.SetMenuByte(70, 5); // never exchanged, always kept
        m.StoreDataFrame(f.data(), 0);
        QCOMPARE(int(m.MenuByte(2)), 33);
        QCOMPARE(int(m.MenuByte(3)), 3);
        const QByteArray write = m.TakeMenuWrite(QDateTime(QDate(2026, 3, 15), QTime(10, 20, 30)));
        QCOMPARE(write.size(), kMenuExchanged + kClockSize);
        QCOMPARE(int(write[2]), 33);
        // Sent: the detector's values show again from the next frame on.
        m.StoreDataFrame(f.data(), 0);
        QCOMPARE(int(m.MenuByte(2)), 2);
        QCOMPARE(int(m.MenuByte(70)), 5);
        QCOMPARE(int(m.MenuByte(200)), 0);
        m.SetMenuByte(4, 99);
        m.DiscardMenuEdits();
        m.StoreDataFrame(f.data(), 0);
        QCOMPARE(int(m.MenuByte(4)), 4);
    }

    void clockFollowsFramesUnlessTheUserSetIt()
    {
        CKV520DataModel m;
        auto f = MakeFrame(14, 2); // 15 March
        m.StoreDataFrame(f.data(), 13 * kTicksPerHour + 5 * kTicksPerMinute + 9 * 4);
        auto clock = m.ClockBlock();
        QCOMPARE(clock, (std::array<uint8_t, 5>{3, 15, 13, 5, 9}));
        m.SetClockBlock({12, 24, 18, 0, 1});
        m.StoreDataFrame(f.data(), 0);
        QCOMPARE(m.ClockBlock(), (std::array<uint8_t, 5>{12, 24, 18, 0, 1}));
        f[kMenuBlock + KV520Menu::kSyncPc] = 0; // the user's time goes out unchanged
        m.StoreDataFrame(f.data(), 0);
        QByteArray write = m.TakeMenuWrite(QDateTime(QDate(2026, 3, 15), QTime(10, 20, 30)));
        QCOMPARE(write.mid(kMenuExchanged), QByteArray("\x0c\x18\x12\x00\x01", 5));
        // With byte 31 set the PC clock goes out: month 1-12, day 0-based.
        m.SetMenuByte(KV520Menu::kSyncPc, 1);
        write = m.TakeMenuWrite(QDateTime(QDate(2026, 3, 15), QTime(10, 20, 30)));
        QCOMPARE(write.mid(kMenuExchanged), QByteArray("\x03\x0e\x0a\x14\x1e", 5));
    }

    void deviceKeepsItsRecordsWithoutALink()
    {
        CKV520Device dev;
        QCOMPARE(dev.GetRecordCount(), 0);
        QVERIFY(dev.GetLastRecord().IsEmpty());
        QVERIFY(dev.GetRecord(5).IsEmpty());
        QCOMPARE(dev.QueryFixedOne(), 1);
        QCOMPARE(dev.QueryFixedMinusOne(), -1);
        QCOMPARE(dev.QueryFixedZero(), 0);
        QVERIFY(dev.QueryEmptyText().isEmpty());
    }

    // The worker polls a detector played here; each poll gets the next answer,
    // and the test may queue commands just before an answer goes out.
    void workerStoresMeasurementsOnlyWhenNoCommandIsPending()
    {
        CKV520Device dev;
        auto measurement = WithChecksum(MakeFrame(4, 2));
        auto noMeasurement = measurement;
        noMeasurement[kIndicators] = 0xFF;
        noMeasurement = WithChecksum(noMeasurement);
        auto corrupt = measurement;
        corrupt[kFrameChecksum] ^= 1;
        auto clockRequest = measurement;
        clockRequest[0] = kFrameClockRequest;
        clockRequest = WithChecksum(clockRequest);

        struct Answer
        {
            std::vector<uint8_t> frame;
            std::function<void()> before;
        };
        const std::vector<Answer> script = {
            {measurement, {}},
            {noMeasurement, {}},
            {corrupt, {}},
            {clockRequest, {}},
            {measurement, [&] { dev.SetCommand(kCmdFactoryReset); }},
            {measurement, [&] { dev.PressKey(1); }},
            {measurement, {}},
        };
        size_t nNext = 0;
        auto pFake = std::make_shared<CFakeSerialHandle>(
            [&](const QByteArray& written) {
                if (written != QByteArray(1, char(kPollRequest)) || nNext >= script.size())
                    return QByteArray();
                const Answer& a = script[nNext++];
                if (a.before)
                    a.before();
                return QByteArray(reinterpret_cast<const char*>(a.frame.data()), int(a.frame.size()));
            },
            1);
        dev.SetSerialHandle(pFake);
        dev.SetPortOverride(QStringLiteral("fake"));
        dev.SetPacing(0, 0);
        dev.Start();
        QVERIFY(pFake->WaitForCloses(1, 10000)); // the silence after the script
        dev.Stop();

        // The first and the last measurement; the others went with a command.
        QCOMPARE(dev.GetRecordCount(), 2);
        QCOMPARE(dev.GetLastRecord().m_nBandMask, 5);
        QVERIFY(dev.GetRecord(2).IsEmpty());
        QCOMPARE(dev.ChecksumErrors(), 1);
        QCOMPARE(dev.PendingCommand(), int(kNoCommand));

        const QByteArray poll(1, char(kPollRequest));
        QList<QByteArray> replies;
        for (const QByteArray& w : pFake->Writes())
            if (w != poll)
                replies << w;
        QCOMPARE(replies.size(), 6);
        QCOMPARE(replies[0], QByteArray(1, char(kNoCommand)));
        QCOMPARE(replies[1], QByteArray(1, char(kNoCommand)));
        QCOMPARE(replies[2].size(), kClockAnswerSize);
        QCOMPARE(replies[3], QByteArray(1, char(kCmdFactoryReset)));
        // The key byte rides in the same write as its command.
        QCOMPARE(replies[4], QByteArray("\x08\x11")); // key 1, first of the count
        QCOMPARE(replies[5], QByteArray(1, char(kNoCommand)));
    }

    void portOverrideFromArgumentsOrEnvironment()
    {
        qputenv("KV521_PORT", "/dev/ttyUSB7");
        QCOMPARE(CKV520Device::PortOverrideFrom({"prog", "--port", "/tmp/kv"}), QStringLiteral("/tmp/kv"));
        QCOMPARE(CKV520Device::PortOverrideFrom({"prog", "--port=ttyACM3"}), QStringLiteral("ttyACM3"));
        QCOMPARE(CKV520Device::PortOverrideFrom({"prog", "--port"}), QStringLiteral("/dev/ttyUSB7"));
        qunsetenv("KV521_PORT");
        QVERIFY(CKV520Device::PortOverrideFrom({"prog"}).isEmpty());
    }

    void deviceTimeIsAlwaysValid()
    {
        CKV520Device dev;
        QVERIFY(dev.GetDeviceTime().isValid());
        dev.SetDeviceTime(QDateTime(QDate(2026, 2, 28), QTime(23, 59, 58)));
        const QDateTime t = dev.GetDeviceTime();
        QCOMPARE(t.date().month(), 2);
        QCOMPARE(t.date().day(), 28);
        QCOMPARE(t.time(), QTime(23, 59, 58));
        dev.SetMenuByte(1, 0x1FF);
        QCOMPARE(int(dev.GetMenuByte(1)), 0xFF);
    }

    void menuFilesRoundTripAndReportFailure()
    {
        CKV520Device dev;
        for (int p = 0; p < kMenuSize; ++p)
            dev.SetMenuByte(p, p * 2 + 1);
        const QString dir = QDir::tempPath() + QStringLiteral("/kv521-menu-test");
        QDir().mkpath(dir);
        const QString path = dir + QStringLiteral("/a.mnu");
        QVERIFY(dev.SaveMenuFile(path));
        QCOMPARE(QFileInfo(path).size(), qint64(kMenuSize));
        CKV520Device other;
        QVERIFY(other.LoadMenuFile(path));
        for (int p = 0; p < kMenuSize; ++p)
            QCOMPARE(int(other.GetMenuByte(p)), (p * 2 + 1) & 0xFF);

        QFile shortFile(dir + QStringLiteral("/short.mnu"));
        QVERIFY(shortFile.open(QIODevice::WriteOnly));
        shortFile.write(QByteArray(10, '\x07'));
        shortFile.close();
        QVERIFY(other.LoadMenuFile(shortFile.fileName()));
        QCOMPARE(int(other.GetMenuByte(9)), 7);
        QCOMPARE(int(other.GetMenuByte(10)), 21);

        QVERIFY(!other.LoadMenuFile(dir + QStringLiteral("/missing.mnu")));
        QVERIFY(!other.GetLastFileError().isEmpty());
        QCOMPARE(int(other.GetMenuByte(0)), 7); // unchanged by the failed load
        QVERIFY(!other.SaveMenuFile(dir + QStringLiteral("/no/such/folder/a.mnu")));
        QDir(dir).removeRecursively();
    }
};

QTEST_GUILESS_MAIN(TestDataModel)
#include "tst_kv520datamodel.moc"
