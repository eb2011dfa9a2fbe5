// The real device worker against the simulated detector over a pseudo-terminal.
#include "kv520device.h"
#include "kv520menupositions.h"
#include "kv520protocol.h"
#include "kv521simulator.h"
#include "testclock.h"

#include <QDate>
#include <QElapsedTimer>
#include <QTest>

#include <memory>

using Msg = CKV521Simulator::PcMessage;

class TestKV521Link : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CKV521Simulator> m_pSim;
    std::unique_ptr<CKV520Device> m_pDevice;
    std::shared_ptr<CTestClock> m_pClock;

    // The simulator is there at once: a short pause before connecting.
    static CKV520Device::Timing QuickConnect()
    {
        CKV520Device::Timing timing;
        timing.nConnectPauseMs = 20;
        return timing;
    }

    void StartPair(const CKV521Simulator::Options& options, const CKV520Device::Timing& timing = QuickConnect())
    {
        m_pSim = std::make_unique<CKV521Simulator>(options);
        QString strError;
        QVERIFY2(m_pSim->Open(&strError), qPrintable(strError));
        m_pSim->Start();
        m_pDevice = std::make_unique<CKV520Device>();
        m_pClock = std::make_shared<CTestClock>();
        m_pDevice->SetClock(m_pClock);
        m_pDevice->SetTiming(timing);
        m_pDevice->SetPortOverride(m_pSim->SlavePath());
        m_pDevice->Start();
        QTRY_VERIFY_WITH_TIMEOUT(m_pDevice->IsConnected(), 5000);
    }

    int Count(Msg::Kind eKind, int nByte = -1) const
    {
        int n = 0;
        for (const Msg& m : m_pSim->Received(eKind))
            if (nByte < 0 || uint8_t(m.bytes.at(0)) == nByte)
                ++n;
        return n;
    }

    // True when the device stores frames again, as after any recovered fault.
    bool StoresAgain(int nTimeoutMs)
    {
        const int nStart = m_pDevice->GetRecordCount();
        return QTest::qWaitFor([&] { return m_pDevice->GetRecordCount() >= nStart + 3; }, nTimeoutMs);
    }

private Q_SLOTS:
    void init()
    {
        CKV521Simulator::Options options;
        options.bDeterministic = true;
        StartPair(options);
    }

    void cleanup()
    {
        m_pDevice.reset(); // the device first: it must not see the line vanish mid-test
        m_pSim.reset();
    }

    void connectsStoresAndRestartsWithoutReconnect()
    {
        QTRY_VERIFY_WITH_TIMEOUT(m_pDevice->GetRecordCount() >= 5, 5000);

        const int nBad = m_pDevice->BadFrames();
        m_pDevice->Stop();
        QCOMPARE(m_pDevice->LinkStatus(), int(CSerial::Online)); // the port stays open
        m_pDevice->Start();
        QTRY_VERIFY_WITH_TIMEOUT(m_pDevice->IsConnected() && m_pDevice->GetRecordCount() > 0, 3000);
        QCOMPARE(m_pDevice->BadFrames(), nBad);
    }

    void silenceTakesLinkDownAndItComesBack()
    {
        // A short limit, so the silence is noticed soon; still far above a frame's gaps.
        cleanup();
        CKV521Simulator::Options options;
        options.bDeterministic = true;
        CKV520Device::Timing timing = QuickConnect();
        timing.nSilenceLimitMs = 300;
        StartPair(options, timing);
        m_pSim->InjectSilence(500);
        QTRY_VERIFY_WITH_TIMEOUT(!m_pDevice->IsConnected(), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(m_pDevice->IsConnected(), 6000);
        QVERIFY(StoresAgain(2000));

        // A frame cut short is the same fault seen from the PC.
        m_pSim->InjectShortFrame();
        QTRY_VERIFY_WITH_TIMEOUT(!m_pDevice->IsConnected(), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(m_pDevice->IsConnected(), 6000);
    }

    void corruptFramesAreDroppedAndTheLinkResynchronises()
    {
        // Stray bytes shift the frame: its checksum fails and the rest must be drained.
        int nErrors = m_pDevice->ChecksumErrors();
        m_pSim->InjectGarbage(QByteArray("\x00\x2B\xFE\x6D\x01\x02\x03", 7));
        QTRY_VERIFY_WITH_TIMEOUT(m_pDevice->ChecksumErrors() > nErrors, 5000);
        QVERIFY(StoresAgain(2000));
        QVERIFY(m_pDevice->IsConnected());

        nErrors = m_pDevice->ChecksumErrors();
        m_pSim->InjectBadChecksum(2);
        QTRY_VERIFY_WITH_TIMEOUT(m_pDevice->ChecksumErrors() >= nErrors + 2, 5000);
        QVERIFY(StoresAgain(2000));
        // A dropped frame must not be answered with a command byte.
        QCOMPARE(Count(Msg::Unexpected), 0);
    }

    void onlyChecksummedFramesKeepTheLinkOnline()
    {
        QCOMPARE(m_pDevice->GetNoDataCauses(), 0);
        // Noise of the right length: the port answers, nothing is usable.
        const int nErrors = m_pDevice->ChecksumErrors();
        m_pSim->InjectBadChecksum(1000000);
        // Once only noise comes, the last good frame is past the online window at once.
        QTRY_VERIFY_WITH_TIMEOUT(m_pDevice->ChecksumErrors() > nErrors, 3000);
        m_pClock->Advance(m_pDevice->GetTiming().nOnlineWindowMs + 1);
        QTRY_VERIFY_WITH_TIMEOUT(!m_pDevice->IsConnected(), 3000);
        QCOMPARE(m_pDevice->LinkStatus(), int(CSerial::Online));
        QTRY_COMPARE_WITH_TIMEOUT(m_pDevice->GetNoDataCauses(), int(IDevice::NoDataBadChecksum), 3000);
        const int nStored = m_pDevice->GetRecordCount();
        const int nSeen = m_pDevice->ChecksumErrors();
        QTRY_VERIFY_WITH_TIMEOUT(m_pDevice->ChecksumErrors() >= nSeen + 3, 3000);
        QCOMPARE(m_pDevice->GetRecordCount(), nStored);

        // Good frames again: online, and no cause is left over.
        cleanup();
        init();
        QCOMPARE(m_pDevice->GetNoDataCauses(), 0);
    }

    void keyPressedWhileTheDetectorIsAwayIsDropped()
    {
        m_pSim->Stop();
        m_pDevice->PressKey(4); // PWR on the detector: must not arrive minutes later
        QTRY_VERIFY_WITH_TIMEOUT(!m_pDevice->IsConnected(), 3000);
        m_pClock->Advance(m_pDevice->GetTiming().nKeyMaxAgeMs + 300);
        m_pSim->ClearReceived();
        m_pSim->Start();
        QTRY_VERIFY_WITH_TIMEOUT(m_pDevice->IsConnected(), 6000);
        QVERIFY(StoresAgain(3000));
        QCOMPARE(Count(Msg::KeyByte), 0);
        QCOMPARE(m_pDevice->PendingCommand(), int(KV520::kNoCommand));

        // A fresh press still goes out; a write queued while away still waits.
        m_pDevice->PressKey(2);
        QTRY_COMPARE_WITH_TIMEOUT(Count(Msg::KeyByte), 1, 3000);
        m_pSim->Stop();
        // A frame sent just before the stop is still answered; queue the write
        // once the detector is truly away.
        QTRY_VERIFY_WITH_TIMEOUT(!m_pDevice->IsConnected(), 3000);
        m_pDevice->SetCommand(KV520::kCmdWriteMenu);
        m_pClock->Advance(m_pDevice->GetTiming().nKeyMaxAgeMs + 300);
        m_pSim->Start();
        QTRY_COMPARE_WITH_TIMEOUT(Count(Msg::MenuWrite), 1, 6000);
    }

    void newestTickGoesOnWhileFramesAreNotStored()
    {
        QTRY_VERIFY_WITH_TIMEOUT(m_pDevice->GetNewestTick() >= 0, 3000);
        // Frames without a measurement update no live state, yet carry the clock.
        int32_t nSeen = -1;
        m_pSim->SetFrameOverride([](uint8_t* f) {
            f[KV520::kIndicators] = 0xFF;
            f[KV520::kTick] = 0x21;
            f[KV520::kTick + 1] = 0x43;
            f[KV520::kTick + 2] = 0x01;
        });
        QTRY_COMPARE_WITH_TIMEOUT((nSeen = m_pDevice->GetNewestTick()), 0x014321, 3000);
        QVERIFY(m_pDevice->GetLiveState().m_nTickBase != nSeen);
    }

    void clockRequestIsAnsweredWithPcTime()
    {
        m_pSim->RequestClockNext();
        QTRY_VERIFY_WITH_TIMEOUT(Count(Msg::ClockAnswer) == 1, 5000);
        const QByteArray a = m_pSim->Received(Msg::ClockAnswer).first().bytes;
        const QDate today = QDate::currentDate();
        QCOMPARE(a.size(), KV520::kClockAnswerSize);
        QCOMPARE(int(a[0]), 1);
        QCOMPARE(int(a[1]), today.month() - 1);
        QCOMPARE(int(a[2]), today.day() - 1);
        QVERIFY(StoresAgain(2000));
    }

    void keyPressesKeepOnlyTheLastWithItsSequence()
    {
        m_pSim->ClearReceived();
        m_pDevice->PressKey(4);
        m_pDevice->PressKey(2);
        QTRY_VERIFY_WITH_TIMEOUT(Count(Msg::KeyByte) >= 1, 5000);
        QVERIFY(StoresAgain(2000));
        QList<Msg> keys = m_pSim->Received(Msg::KeyByte);
        QCOMPARE(keys.size(), 1);
        QCOMPARE(uint8_t(keys[0].bytes[0]), uint8_t(0x22)); // key 2, second press
        QCOMPARE(m_pSim->BandMask(), 2);
        QCOMPARE(m_pSim->ModeFlags() & 1, 1); // the dropped key 4 did not toggle

        // The sequence starts over once a key went out.
        m_pDevice->PressKey(4);
        QTRY_VERIFY_WITH_TIMEOUT(Count(Msg::KeyByte) == 2, 5000);
        keys = m_pSim->Received(Msg::KeyByte);
        QCOMPARE(uint8_t(keys[1].bytes[0]), uint8_t(0x14));
        QTRY_COMPARE_WITH_TIMEOUT(m_pDevice->GetModeFlags() & 1, 0, 5000);
        QCOMPARE(m_pDevice->PendingCommand(), int(KV520::kNoCommand));
    }

    void unknownCommandStaysPendingAndBlocksStoring()
    {
        m_pDevice->SetCommand(3);
        QTRY_VERIFY_WITH_TIMEOUT(Count(Msg::CommandByte, 3) >= 3, 5000);
        QCOMPARE(m_pDevice->PendingCommand(), 3);
        const int nRecords = m_pDevice->GetRecordCount();
        QTRY_VERIFY_WITH_TIMEOUT(Count(Msg::CommandByte, 3) >= 6, 5000);
        QCOMPARE(m_pDevice->GetRecordCount(), nRecords);

        m_pDevice->SetCommand(KV520::kNoCommand);
        QVERIFY(StoresAgain(2000));
    }

    void menuWriteCarriesMenuAndPcClock()
    {
        m_pDevice->SetMenuByte(2, 33);
        m_pDevice->SetCommand(KV520::kCmdWriteMenu);
        QTRY_VERIFY_WITH_TIMEOUT(Count(Msg::MenuWrite) == 1, 5000);
        QByteArray w = m_pSim->Received(Msg::MenuWrite).first().bytes;
        QCOMPARE(w.size(), KV520::kMenuExchanged + KV520::kClockSize);
        QCOMPARE(int(w[2]), 33);
        QCOMPARE(int(uint8_t(m_pSim->Menu()[2])), 33);
        QTRY_COMPARE_WITH_TIMEOUT(m_pDevice->PendingCommand(), int(KV520::kNoCommand), 3000);
        QVERIFY(StoresAgain(2000));
        QCOMPARE(int(m_pDevice->GetMenuByte(2)), 33); // carried back by later frames

        m_pDevice->SetMenuByte(KV520Menu::kSyncPc, 1);
        m_pDevice->SetCommand(KV520::kCmdWriteMenu);
        QTRY_VERIFY_WITH_TIMEOUT(Count(Msg::MenuWrite) == 2, 5000);
        w = m_pSim->Received(Msg::MenuWrite).last().bytes;
        const QDateTime now = QDateTime::currentDateTime();
        QCOMPARE(int(w[KV520Menu::kSyncPc]), 1);
        QCOMPARE(int(w[54]), now.date().month());
        QCOMPARE(int(w[55]), now.date().day() - 1);
        QCOMPARE(int(w[56]), now.time().hour());
    }

    void logDownloadCopiesEveryBlock()
    {
        const QList<QByteArray> blocks = m_pSim->Log();
        m_pDevice->SetCommand(KV520::kCmdReadLog);
        QTRY_COMPARE_WITH_TIMEOUT(m_pDevice->GetProgress()->load(), KV520::kProgressDone, 6000);
        QCOMPARE(m_pDevice->LogBuffer().left(blocks.size() * KV520::kLogBlockSize), blocks.join());
        QCOMPARE(Count(Msg::NextBlock), int(blocks.size()));
        QVERIFY(StoresAgain(2000));
    }

    void badLogBlockFailsTheDownload_data()
    {
        QTest::addColumn<int>("fault");
        QTest::newRow("checksum") << int(CKV521Simulator::LogFault::BadChecksum);
        QTest::newRow("short") << int(CKV521Simulator::LogFault::Short);
    }

    void badLogBlockFailsTheDownload()
    {
        QFETCH(int, fault);
        m_pSim->SetLogFault(1, CKV521Simulator::LogFault(fault));
        m_pDevice->SetCommand(KV520::kCmdReadLog);
        QTRY_COMPARE_WITH_TIMEOUT(m_pDevice->GetProgress()->load(), KV520::kProgressFailed, 8000);
        QCOMPARE(Count(Msg::NextBlock), 2);
        // The rest of the broken block must not spoil the frames after it.
        QVERIFY(StoresAgain(3000));
    }

    void sweepWithPeriodicFaultsKeepsTheLinkUp()
    {
        cleanup();
        CKV521Simulator::Options options;
        options.nSeed = 7;
        options.nClockRequestEvery = 4;
        options.nBadChecksumEvery = 7;
        StartPair(options);
        QTRY_VERIFY_WITH_TIMEOUT(m_pSim->FramesSent() >= 30, 6000);
        QVERIFY(m_pDevice->IsConnected());
        QVERIFY(m_pDevice->ChecksumErrors() >= 3);
        QVERIFY(Count(Msg::ClockAnswer) >= 5);
        QCOMPARE(Count(Msg::Unexpected), 0);
        QVERIFY(m_pDevice->GetRecordCount() >= 10);
    }

    void stopIsPromptDuringLongDownload()
    {
        cleanup();
        CKV521Simulator::Options options;
        options.bDeterministic = true;
        options.bPace = true;
        StartPair(options);
        QList<QByteArray> blocks;
        for (int i = 0; i < KV520::kLogBlockCount; ++i)
            blocks << CKV521Simulator::BuildLogBlock({}, 1, false);
        m_pSim->SetLog(blocks);
        m_pDevice->SetCommand(KV520::kCmdReadLog);
        QTRY_VERIFY_WITH_TIMEOUT(m_pDevice->GetProgress()->load() >= 5, 6000);
        QVERIFY(m_pDevice->GetProgress()->load() < KV520::kProgressDone);
        QElapsedTimer timer;
        timer.start();
        m_pDevice->Stop();
        QVERIFY2(timer.elapsed() < 1500, qPrintable(QString::number(timer.elapsed())));
    }
};

QTEST_GUILESS_MAIN(TestKV521Link)
#include "tst_kv521link.moc"
