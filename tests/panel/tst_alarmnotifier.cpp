// The alarm's beep, tray and balloon as the poll drives them from the live state.
#include "alarmnotifier.h"
#include "countingalarmoutput.h"
#include "fakedevice.h"
#include "recordfeed.h"

#include <QTest>

using TrayState = IAlarmOutput::TrayState;

class TestAlarmNotifier : public QObject
{
    Q_OBJECT

private:
    CFakeDevice m_Device;
    std::unique_ptr<CAlarmNotifier> m_pNotifier;
    CCountingAlarmOutput* m_pOutput = nullptr;
    std::unique_ptr<CRecordFeed> m_pFeed;

    void Poll(int nTimes = 1)
    {
        for (int i = 0; i < nTimes; ++i) {
            m_pFeed->Poll();
            m_pNotifier->Poll(&m_Device);
        }
    }

private Q_SLOTS:
    void init()
    {
        m_Device = CFakeDevice();
        auto pOutput = std::make_unique<CCountingAlarmOutput>();
        m_pOutput = pOutput.get();
        m_pNotifier = std::make_unique<CAlarmNotifier>(std::move(pOutput));
        m_pFeed = std::make_unique<CRecordFeed>(&m_Device);
        m_pFeed->Subscribe(m_pNotifier.get());
        m_Device.m_Live.m_nModeFlags = 0x04;
        m_Device.m_Menu[19] = 1;
        m_Device.m_LastRecord.m_nBandMask = 1;
        m_Device.m_LastRecord.m_Levels = {{30, 50, 0, 2}, {42.5, 45, 0, 2}, {}, {}, {}, {}};
        m_Device.m_nRecordCount = 1;
    }

    void oneBalloonAndOneFlashOfBeepsPerEpisode()
    {
        Poll(3);
        QCOMPARE(m_pOutput->m_TrayStates, QList<TrayState>{TrayState::Monitor});

        m_Device.m_Live.m_nAlarm = 1;
        Poll();
        QCOMPARE(m_pOutput->m_Balloons.size(), 1);
        QVERIFY(m_pOutput->m_Balloons[0].contains(QStringLiteral("Signal: GSM")));
        QCOMPARE(m_pOutput->m_TrayStates.last(), TrayState::Alarm);
        QCOMPARE(m_pOutput->m_nBeeps, 1);
        // A second of polls: the flash beeps at the panel's pace, then stops
        // while the alarm goes on.
        Poll(40);
        QCOMPARE(m_pOutput->m_nBeeps, CAlarmNotifier::kFlashBeeps);
        QCOMPARE(m_pOutput->m_Balloons.size(), 1);
        QCOMPARE(m_pOutput->m_TrayStates.size(), 2);

        m_Device.m_Live.m_nAlarm = 0;
        Poll(40);
        QCOMPARE(m_pOutput->m_TrayStates.last(), TrayState::Monitor);
        QVERIFY(!m_pNotifier->IsAlarmEpisode());

        // The next alarm is a new episode; without the beep setting it is silent.
        m_Device.m_Menu[19] = 0;
        m_Device.m_Live.m_nAlarm = 1;
        Poll(40);
        QCOMPARE(m_pOutput->m_Balloons.size(), 2);
        QCOMPARE(m_pOutput->m_nBeeps, CAlarmNotifier::kFlashBeeps);
    }

    void alarmsCloseTogetherShareOneNotification()
    {
        int64_t nNowMs = 0;
        m_pNotifier->SetClock([&nNowMs] { return nNowMs; });
        const auto episode = [&](int64_t nStartMs) {
            nNowMs = nStartMs;
            m_Device.m_Live.m_nAlarm = 1;
            Poll(40);
            nNowMs += 1000;
            m_Device.m_Live.m_nAlarm = 0;
            Poll(40);
        };
        episode(0);
        episode(11000);
        episode(40000); // 29 s after the last alarm
        QCOMPARE(m_pOutput->m_Balloons.size(), 3);
        QCOMPARE(m_pOutput->m_nReplaced, 2);
        QVERIFY(m_pOutput->m_Balloons.last().endsWith(QStringLiteral("\nAlarms in a row: 3")));
        episode(72000);
        QCOMPARE(m_pOutput->m_nReplaced, 2);
        QVERIFY(!m_pOutput->m_Balloons.last().contains(QStringLiteral("in a row")));
    }

    void searchModeHidesTheTrayAndALostLinkEndsTheEpisode()
    {
        m_Device.m_Live.m_nModeFlags = 0x01;
        Poll();
        QCOMPARE(m_pOutput->m_TrayStates, QList<TrayState>{TrayState::Hidden});

        m_Device.m_Live.m_nAlarm = 1;
        Poll();
        QCOMPARE(m_pOutput->m_Balloons.size(), 1);
        m_Device.m_bConnected = false;
        Poll(3);
        QCOMPARE(m_pOutput->m_nBeeps, 1);
        // Back online with the bit still set: news again.
        m_Device.m_bConnected = true;
        Poll();
        QCOMPARE(m_pOutput->m_Balloons.size(), 2);
    }
};

QTEST_GUILESS_MAIN(TestAlarmNotifier)
#include "tst_alarmnotifier.moc"
