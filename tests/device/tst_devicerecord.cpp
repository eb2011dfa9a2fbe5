#include "devicerecord.h"
#include "kv520protocol.h"

#include <QDateTime>
#include <QTest>

#include <ctime>

class TestDeviceRecord : public QObject
{
    Q_OBJECT

private:
    static DeviceRawRecord MakeRecord(uint8_t nMask)
    {
        DeviceRawRecord r;
        r.Clear();
        r.Day = 5;
        r.Month = 3;
        r.BandMask = nMask;
        for (int i = 0; i < 24; ++i)
            r.Levels[i] = uint8_t(10 + i);
        for (int i = 0; i < 32; ++i)
            r.Thresholds[i] = uint8_t(100 + i);
        return r;
    }

private Q_SLOTS:
    void channelsFollowTheBandMask()
    {
        const CDeviceRecord none = CDeviceRecord::FromRaw(MakeRecord(0), CDeviceRecord::Mode::Live, 2026);
        QCOMPARE(none.m_Levels.size(), 6);
        for (const CDeviceLevel& l : none.m_Levels)
            QCOMPARE(l, CDeviceLevel());

        const CDeviceRecord b2 = CDeviceRecord::FromRaw(MakeRecord(0x04), CDeviceRecord::Mode::Live, 2026);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(b2.m_Levels[i], CDeviceLevel());
        QCOMPARE(b2.m_Levels[4].m_dLevel, (10 + 2) / 2.0);
        QCOMPARE(b2.m_Levels[5].m_dLevel, (10 + 5) / 2.0);
        QCOMPARE(b2.m_Levels[4].m_nSignal, 10 + 8);
        QCOMPARE(b2.m_Levels[4].m_dThreshold, (100 + 2) / 2.0);
        QCOMPARE(b2.m_Levels[5].m_dThreshold, (100 + 5) / 2.0);
        QCOMPARE(b2.m_nBandMask, 4);
        QCOMPARE(b2.m_strText, QStringLiteral("N/A"));
    }

    void fileModeTakesThresholdsFromTheLevelBlock()
    {
        DeviceRawRecord r = MakeRecord(0x02);
        r.BandBytes[1] = 77;
        const CDeviceRecord rec = CDeviceRecord::FromRaw(r, CDeviceRecord::Mode::File, 2026);
        QCOMPARE(rec.m_Levels[2].m_dThreshold, r.Levels[10] / 2.0);
        QCOMPARE(rec.m_Levels[3].m_dThreshold, r.Levels[13] / 2.0);
        QCOMPARE(rec.m_Levels[2].m_nBandByte, 77);
        QCOMPARE(rec.m_Levels[3].m_nBandByte, 77);
    }

    void fullScaleLevelsAndFrequency()
    {
        DeviceRawRecord r = MakeRecord(0x01);
        r.Levels[0] = 255;
        r.Levels[3] = 255;
        qToLittleEndian<quint32>(2412000u, r.Levels + 16);
        r.Levels[20] = 0;
        CDeviceRecord rec = CDeviceRecord::FromRaw(r, CDeviceRecord::Mode::Live, 2026);
        QCOMPARE(rec.m_Levels[0].m_dLevel, 127.5);
        QCOMPARE(rec.m_Levels[1].m_dLevel, 127.5);
        QCOMPARE(rec.m_dFrequency, 0.0);
        r.Levels[20] = 1;
        rec = CDeviceRecord::FromRaw(r, CDeviceRecord::Mode::Live, 2026);
        QCOMPARE(rec.m_dFrequency, 2412000.0);
    }

    void timeOfDayAndDate()
    {
        DeviceRawRecord r = MakeRecord(1);
        r.Day = 5;
        r.Month = 7;
        r.SetTime(4 * KV520::kTicksPerDay + 12 * KV520::kTicksPerHour + 30 * KV520::kTicksPerMinute + 4 * 7);
        const QDateTime t = QDateTime::fromSecsSinceEpoch(CDeviceRecord::TimeOf(r, 2026));
        QCOMPARE(t, QDateTime(QDate(2026, 7, 5), QTime(12, 30, 7)));
        QCOMPARE(CDeviceRecord::FromRaw(r, CDeviceRecord::Mode::Live, 2026).m_nTime, t.toSecsSinceEpoch());
    }

    // Conversions are shared per local day or minute; on ordinary days and
    // across the clock changes of a zone with summer time they must agree with
    // a direct conversion.
    void timesAgreeAcrossSummerTimeChanges()
    {
        const QByteArray oldZone = qgetenv("TZ");
        qputenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3"); // a rule, so no zone files are needed
        tzset();
        DeviceRawRecord r = MakeRecord(1);
        CDeviceRecord::ForgetLocalTimes(); // what was learnt in the zone of the earlier tests
        for (const QDate& date : {QDate(2026, 3, 29), QDate(2026, 7, 5), QDate(2026, 10, 25)}) {
            r.Day = uint8_t(date.day());
            r.Month = uint8_t(date.month());
            for (int nSecond = 0; nSecond < 86400; nSecond += 7) {
                r.SetTime(nSecond * KV520::kTicksPerSecond);
                const QTime time(nSecond / 3600, nSecond / 60 % 60, nSecond % 60);
                QCOMPARE(CDeviceRecord::TimeOf(r, 2026), QDateTime(date, time).toSecsSinceEpoch());
            }
        }
        // The two days really have clock changes: 23 and 25 hours long.
        QCOMPARE(QDateTime(QDate(2026, 3, 30), QTime(0, 0)).toSecsSinceEpoch()
                     - QDateTime(QDate(2026, 3, 29), QTime(0, 0)).toSecsSinceEpoch(), 23 * 3600);
        QCOMPARE(QDateTime(QDate(2026, 10, 26), QTime(0, 0)).toSecsSinceEpoch()
                     - QDateTime(QDate(2026, 10, 25), QTime(0, 0)).toSecsSinceEpoch(), 25 * 3600);
        if (oldZone.isNull())
            qunsetenv("TZ");
        else
            qputenv("TZ", oldZone);
        tzset();
    }

    void untrustedDatesNeverGiveAnInvalidTime()
    {
        DeviceRawRecord r = MakeRecord(1);
        r.Day = 0;
        r.Month = 200;
        r.SetTime(-1);
        const QDateTime t = QDateTime::fromSecsSinceEpoch(CDeviceRecord::TimeOf(r, 2026));
        QVERIFY(t.isValid());
        QCOMPARE(t.date(), QDate(2026, 12, 1));
        r.Day = 31;
        r.Month = 2;
        QCOMPARE(QDateTime::fromSecsSinceEpoch(CDeviceRecord::TimeOf(r, 2026)).date(), QDate(2026, 2, 28));
    }

    void statusWordIsUnsigned()
    {
        DeviceRawRecord r = MakeRecord(1);
        r.SetStatusWord(40000);
        QCOMPARE(CDeviceRecord::FromRaw(r, CDeviceRecord::Mode::File, 2026).m_nStatusWord, 40000);
        QCOMPARE(r.StatusWord[0], uint8_t(40000 & 0xFF));
    }

    void signalNamesAreBounded()
    {
        QCOMPARE(SignalKindName(3), QStringLiteral("BLUETOOTH"));
        QCOMPARE(SignalKindName(0).size(), 9);
        QVERIFY(SignalKindName(7).isEmpty());
        QVERIFY(SignalKindName(-1).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestDeviceRecord)
#include "tst_devicerecord.moc"
