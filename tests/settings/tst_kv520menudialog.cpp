// The device menu dialog against the simulated detector over a pseudo-terminal:
// what the dialog shows, what reaches the detector, and the menu files.
#include "idevice.h"
#include "kv520device.h"
#include "kv520levelsdialog.h"
#include "kv520menudialog.h"
#include "kv520menulayout.h"
#include "kv520protocol.h"
#include "kv521simulator.h"
#include "modalanswer.h"

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QDir>
#include <QFileInfo>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSlider>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <atomic>
#include <memory>

using Msg = CKV521Simulator::PcMessage;
using Menu = std::array<uint8_t, KV520::kMenuExchanged>;

namespace {

// What the simulated detector reports. Positions no editor owns carry 200 + p,
// so any change to them shows.
Menu DetectorMenu()
{
    Menu m{};
    for (int p = 0; p < KV520::kMenuExchanged; ++p)
        m[size_t(p)] = uint8_t(200 + p);
    const std::pair<int, int> owned[] = {
        {1, 0}, {2, 25}, {3, 13}, {4, 14}, {5, 15}, {6, 16}, {7, 17}, {8, 18}, {9, 19}, {14, 1}, {15, 0},
        {16, 1}, {17, 1}, {18, 0}, {19, 1}, {20, 0}, {21, 1}, {22, 0}, {23, 17}, {24, 90}, {25, 7}, {27, 1},
        {29, 4}, {30, 10}, {31, 0}, {32, 118}, {33, 1}, {34, 1}, {35, 1}, {36, 1}, {37, 0}, {38, 1}, {39, 3},
        {40, 0}, {42, 1}, {43, 2}, {44, 0}, {45, 2}};
    for (auto [p, v] : owned)
        m[size_t(p)] = uint8_t(v);
    return m;
}

template <class T>
T* Find(QWidget& dialog, const char* pName)
{
    T* p = dialog.findChild<T*>(QLatin1String(pName));
    if (!p)
        qFatal("no widget %s", pName);
    return p;
}

QString Label(QWidget& dialog, const char* pName)
{
    return Find<QLabel>(dialog, pName)->text();
}

} // namespace

class TestKV520MenuDialog : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_Dir;
    std::unique_ptr<CKV521Simulator> m_pSim;
    std::unique_ptr<CKV520Device> m_pDevice;
    // Read by the simulator's thread while it builds each frame.
    std::shared_ptr<std::atomic<bool>> m_pVary = std::make_shared<std::atomic<bool>>(false);
    std::shared_ptr<std::atomic<int>> m_pClockTick = std::make_shared<std::atomic<int>>(-1);

    QByteArray LastWrite() const
    {
        const QList<Msg> writes = m_pSim->Received(Msg::MenuWrite);
        return writes.isEmpty() ? QByteArray() : writes.last().bytes;
    }

    int Count(Msg::Kind eKind, int nByte = -1) const
    {
        int n = 0;
        for (const Msg& m : m_pSim->Received(eKind))
            if (nByte < 0 || uint8_t(m.bytes.at(0)) == nByte)
                ++n;
        return n;
    }

    // Waits until the device's block shows what the detector reports.
    bool DeviceShowsDetector()
    {
        return QTest::qWaitFor([&] {
            const QByteArray detector = m_pSim->Menu();
            for (int p = 0; p < KV520::kMenuExchanged; ++p)
                if (m_pDevice->GetMenuByte(p) != uint8_t(detector[p]))
                    return false;
            return true;
        }, 5000);
    }

    // Waits until nFrames more frames went out: time enough for anything the
    // device had queued to reach the detector.
    void LetFramesPass(int nFrames = 3)
    {
        const int nStart = m_pSim->FramesSent();
        QTRY_VERIFY_WITH_TIMEOUT(m_pSim->FramesSent() >= nStart + nFrames, 5000);
    }

    // Types the full path, so the dialog's own folder handling plays no part.
    static void Choose(QFileDialog* pDialog, const QString& strPath)
    {
        pDialog->setFileMode(QFileDialog::AnyFile);
        pDialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(strPath);
        static_cast<QDialog*>(pDialog)->accept();
    }

    static int TabKey()
    {
        return QSettings(QStringLiteral("Lumatrix"), QStringLiteral("KV521 Analyzer")).value("KV520MenuDialog", 0).toInt();
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_Dir.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_Dir.filePath("config"));
    }

    void init()
    {
        QSettings(QStringLiteral("Lumatrix"), QStringLiteral("KV521 Analyzer")).clear();
        CKV521Simulator::Options options;
        options.bDeterministic = true;
        m_pSim = std::make_unique<CKV521Simulator>(options);
        QString strError;
        QVERIFY2(m_pSim->Open(&strError), qPrintable(strError));
        *m_pVary = false;
        *m_pClockTick = -1;
        auto pVary = m_pVary;
        auto pClock = m_pClockTick;
        auto pCount = std::make_shared<int>(0);
        m_pSim->SetFrameOverride([pVary, pClock, pCount](uint8_t* f) {
            if (*pVary) {
                // The detector's own values move under the dialog, frame by frame.
                const int n = ++*pCount;
                for (int p : {1, 2, 14, 24, 29, 30, 32, 36, 39, 43, 45})
                    f[KV520::kMenuBlock + p] = uint8_t(1 + n % 3);
            }
            if (*pClock >= 0) {
                const int nTick = *pClock;
                f[KV520::kTick] = uint8_t(nTick);
                f[KV520::kTick + 1] = uint8_t(nTick >> 8);
                f[KV520::kTick + 2] = uint8_t(nTick >> 16);
                f[KV520::kDay] = 2;   // the 3rd
                f[KV520::kMonth] = 1; // of February
            }
        });
        m_pSim->Start();
        m_pDevice = std::make_unique<CKV520Device>();
        g_pDevice = m_pDevice.get();
        m_pDevice->SetPortOverride(m_pSim->SlavePath());
        CKV520Device::Timing timing;
        timing.nConnectPauseMs = 20; // the simulator is there at once
        m_pDevice->SetTiming(timing);
        m_pDevice->Start();
        QTRY_VERIFY_WITH_TIMEOUT(m_pDevice->IsConnected(), 5000);
        // Give the detector the settings the tests expect.
        const Menu m = DetectorMenu();
        for (int p = 0; p < KV520::kMenuExchanged; ++p)
            m_pDevice->SetMenuByte(p, m[size_t(p)]);
        m_pDevice->SetCommand(KV520::kCmdWriteMenu);
        QTRY_COMPARE_WITH_TIMEOUT(Count(Msg::MenuWrite), 1, 5000);
        QVERIFY(DeviceShowsDetector());
        m_pSim->ClearReceived();
    }

    void cleanup()
    {
        g_pDevice = nullptr;
        m_pDevice.reset();
        m_pSim.reset();
    }

    void opensOnTheDetectorsValues()
    {
        CKV520MenuDialog dlg(nullptr);
        QVERIFY(Find<QCheckBox>(dlg, "m_pRF1Check")->isChecked());
        QVERIFY(!Find<QCheckBox>(dlg, "m_pRF2Check")->isChecked());
        QCOMPARE(Find<QSlider>(dlg, "m_pFreqmeterSlider")->value(), 3);
        QVERIFY(Find<QRadioButton>(dlg, "m_pCommonLevelRadio")->isChecked());
        QCOMPARE(Find<QSlider>(dlg, "m_pCommonLevelSlider")->value(), 25);
        QCOMPARE(Find<QSlider>(dlg, "m_pAutoOffSlider")->value(), 80);
        QVERIFY(Find<QRadioButton>(dlg, "m_pLowRadio")->isChecked());
        QVERIFY(Find<QRadioButton>(dlg, "m_pRussianRadio")->isChecked());
        for (const char* pName : {"m_pSortTimeRadio", "m_pSortLevelRadio", "m_pSortRangeRadio", "m_pSortDurationRadio"})
            QVERIFY(!Find<QRadioButton>(dlg, pName)->isChecked()); // the detector sent 7
        QVERIFY(Find<QCheckBox>(dlg, "m_pBluetoothCheck")->isHidden());
        QVERIFY(Find<QCheckBox>(dlg, "m_pLPFCheck")->isHidden());

        // Every label reads from the start, even where loading moved no slider.
        QCOMPARE(Label(dlg, "m_pStartSliderLabel"), QStringLiteral("00 h"));
        QCOMPARE(Label(dlg, "m_pStopSliderLabel"), QStringLiteral("17 h"));
        QCOMPARE(Label(dlg, "m_pTimeCorrSliderLabel"), QStringLiteral("-00:10 s"));
        QCOMPARE(Label(dlg, "m_pAutoOffSliderLabel"), QStringLiteral("01:20s"));
        QCOMPARE(Label(dlg, "m_pDelaySliderLabel"), QStringLiteral("01:30s"));
        QCOMPARE(Label(dlg, "m_pBrightnessSliderLabel"), QStringLiteral("40%"));
        QCOMPARE(Label(dlg, "m_pRelativeLevelLabel"), QStringLiteral("25 dB"));
        QCOMPARE(Label(dlg, "m_pFreqmeterLabel"), QStringLiteral("03"));
        QCOMPARE(Label(dlg, "m_pRecTimeLabel"), QStringLiteral("10 min"));

        const std::pair<int, const char*> corrections[] = {{128, "+00:00 s"}, {1, "-02:07 s"}, {255, "+02:07 s"}};
        for (auto [v, text] : corrections) {
            Find<QSlider>(dlg, "m_pTimeCorrSlider")->setValue(v);
            QCOMPARE(Label(dlg, "m_pTimeCorrSliderLabel"), QLatin1String(text));
        }
        Find<QSlider>(dlg, "m_pAutoOffSlider")->setValue(233);
        QCOMPARE(Label(dlg, "m_pAutoOffSliderLabel"), QStringLiteral("99:99s"));
        Find<QSlider>(dlg, "m_pBrightnessSlider")->setValue(10);
        QCOMPARE(Label(dlg, "m_pBrightnessSliderLabel"), QStringLiteral("100%"));
        Find<QSlider>(dlg, "m_pRecTimeSlider")->setValue(0);
        QCOMPARE(Label(dlg, "m_pRecTimeLabel"), QStringLiteral("30 sec"));
    }

    void okSendsTheEditsIntactWhileFramesKeepArriving()
    {
        *m_pVary = true;
        for (int i = 0; i < 8; ++i) {
            CKV520MenuDialog dlg(nullptr);
            LetFramesPass(1 + i % 3); // frames with other values arrive meanwhile
            const bool b = i % 2 == 0;
            Find<QCheckBox>(dlg, "m_pRF1Check")->setChecked(b);
            Find<QCheckBox>(dlg, "m_pCaptureCheck")->setChecked(!b);
            Find<QSlider>(dlg, "m_pFreqmeterSlider")->setValue(i % 6);
            Find<QSlider>(dlg, "m_pDelaySlider")->setValue(100 + i);
            Find<QSlider>(dlg, "m_pBrightnessSlider")->setValue(10 - i);
            Find<QSlider>(dlg, "m_pAutoOffSlider")->setValue(233 - i);
            Find<QSlider>(dlg, "m_pTimeCorrSlider")->setValue(200 + i);
            Find<QSlider>(dlg, "m_pRecTimeSlider")->setValue(4 - i % 5);
            Find<QRadioButton>(dlg, "m_pCommonLevelRadio")->setChecked(true);
            Find<QSlider>(dlg, "m_pCommonLevelSlider")->setValue(50 + i);
            Find<QRadioButton>(dlg, b ? "m_pMiddleRadio" : "m_pHighRadio")->setChecked(true);
            Find<QRadioButton>(dlg, "m_pSortDurationRadio")->setChecked(true);
            Find<QPushButton>(dlg, "m_pOkButton")->click();
            QCOMPARE(dlg.result(), int(QDialog::Accepted));

            QTRY_COMPARE_WITH_TIMEOUT(Count(Msg::MenuWrite), i + 1, 5000);
            const QByteArray w = LastWrite();
            QCOMPARE(w.size(), KV520::kMenuExchanged + KV520::kClockSize);
            auto at = [&](int p) { return int(uint8_t(w[p])); };
            QCOMPARE(at(36), b ? 1 : 0);
            QCOMPARE(at(14), b ? 0 : 1);
            QCOMPARE(at(39), i % 6);
            QCOMPARE(at(24), 100 + i);
            QCOMPARE(at(29), 10 - i);
            QCOMPARE(at(30), (233 - i) / 8);
            QCOMPARE(at(32), 200 + i);
            QCOMPARE(at(43), 4 - i % 5);
            QCOMPARE(at(1), 0);
            QCOMPARE(at(2), 50 + i);
            QCOMPARE(at(45), b ? 1 : 0);
            QCOMPARE(at(25), 3);
            QCOMPARE(at(38), 0);
        }
    }

    void unownedPositionsAndUncheckedGroupsPassThrough()
    {
        CKV520MenuDialog dlg(nullptr);
        Find<QRadioButton>(dlg, "m_pIndividLevelsRadio")->setChecked(true);
        Find<QSlider>(dlg, "m_pCommonLevelSlider")->setValue(44);
        Find<QPushButton>(dlg, "m_pOkButton")->click();
        QTRY_COMPARE_WITH_TIMEOUT(Count(Msg::MenuWrite), 1, 5000);
        const QByteArray w = LastWrite();
        const Menu m = DetectorMenu();
        for (int p : {0, 10, 11, 12, 13, 26, 28, 41, 46, 47, 48, 49, 50, 51, 52, 53, 3, 4, 5, 6, 7, 8, 9})
            QCOMPARE(int(uint8_t(w[p])), int(m[size_t(p)]));
        QCOMPARE(int(w[1]), 1);
        QCOMPARE(int(w[2]), 25); // left to the levels dialog
        QCOMPARE(int(w[25]), 7); // no sort radio was checked
        QCOMPARE(int(w[17]), 1); // the hidden Bluetooth box writes back what it loaded
        QCOMPARE(int(w[38]), 0);
    }

    void autoOffTopValueComesBackAsTheLastStep()
    {
        {
            CKV520MenuDialog dlg(nullptr);
            Find<QSlider>(dlg, "m_pAutoOffSlider")->setValue(233);
            Find<QPushButton>(dlg, "m_pOkButton")->click();
        }
        QTRY_COMPARE_WITH_TIMEOUT(Count(Msg::MenuWrite), 1, 5000);
        QCOMPARE(int(LastWrite()[30]), 29);
        // The detector reports its own value again; reopen on what was written.
        QCOMPARE(int(m_pDevice->GetMenuByte(30)), 29);
        CKV520MenuDialog dlg(nullptr);
        QCOMPARE(Find<QSlider>(dlg, "m_pAutoOffSlider")->value(), 232);
        QCOMPARE(Label(dlg, "m_pAutoOffSliderLabel"), QStringLiteral("03:52s"));
    }

    void clockShowsTheDetectorTicksPastMidnightAndIsSentAsShown()
    {
        *m_pClockTick = ((10 * 60 + 20) * 60 + 30) * KV520::kTicksPerSecond;
        QTRY_COMPARE_WITH_TIMEOUT(m_pDevice->GetDeviceTime().time(), QTime(10, 20, 30), 5000);

        CKV520MenuDialog dlg(nullptr);
        auto* pClock = Find<QDateTimeEdit>(dlg, "m_pClockEdit");
        QCOMPARE(pClock->dateTime().time(), QTime(10, 20, 30));
        QCOMPARE(pClock->dateTime().date().month(), 2);
        QCOMPARE(pClock->dateTime().date().day(), 3);
        QCOMPARE(pClock->displayFormat(), QStringLiteral("H:mm:ss dd-MM"));

        const int nYear = QDate::currentDate().year();
        pClock->setDateTime(QDateTime(QDate(nYear, 12, 31), QTime(23, 59, 59), Qt::UTC));
        QVERIFY(QMetaObject::invokeMethod(&dlg, "OnTimer"));
        QCOMPARE(pClock->dateTime(), QDateTime(QDate(nYear + 1, 1, 1), QTime(0, 0, 0), Qt::UTC));
        QCOMPARE(pClock->text(), QStringLiteral("0:00:00 01-01"));

        // The frames keep reporting the detector's clock; the user's time still goes out.
        pClock->setDateTime(QDateTime(QDate(nYear, 7, 14), QTime(8, 5, 9), Qt::UTC));
        Find<QPushButton>(dlg, "m_pOkButton")->click();
        QTRY_COMPARE_WITH_TIMEOUT(Count(Msg::MenuWrite), 1, 5000);
        QCOMPARE(LastWrite().mid(KV520::kMenuExchanged), QByteArray("\x07\x0E\x08\x05\x09", 5));
    }

    void defaultsAndClearLogAskFirstAndDoNotStore()
    {
        {
            CKV520MenuDialog dlg(nullptr);
            dlg.show();
            Find<QTabWidget>(dlg, "m_pTabWidget")->setCurrentIndex(2);
            auto pAsked = AnswerModal<QMessageBox>([](QMessageBox* p) {
                QCOMPARE(p->windowTitle(), QStringLiteral("KV521 Analyzer"));
                p->defaultButton()->click(); // Enter: the detector's settings stay
            });
            Find<QPushButton>(dlg, "m_pDefaultsButton")->click();
            QVERIFY(*pAsked);
            QVERIFY(dlg.isVisible());
            QCOMPARE(m_pDevice->PendingCommand(), int(KV520::kNoCommand));

            AnswerModal<QMessageBox>([](QMessageBox* p) { p->button(QMessageBox::Yes)->click(); });
            Find<QPushButton>(dlg, "m_pDefaultsButton")->click();
            QVERIFY(!dlg.isVisible());
            QCOMPARE(dlg.result(), int(QDialog::Rejected));
        }
        QTRY_COMPARE_WITH_TIMEOUT(Count(Msg::CommandByte, KV520::kCmdFactoryReset), 1, 5000);
        {
            CKV520MenuDialog dlg(nullptr);
            dlg.show();
            QCOMPARE(Find<QTabWidget>(dlg, "m_pTabWidget")->currentIndex(), 0);
            Find<QTabWidget>(dlg, "m_pTabWidget")->setCurrentIndex(1);
            AnswerModal<QMessageBox>([](QMessageBox* p) { p->button(QMessageBox::Yes)->click(); });
            Find<QPushButton>(dlg, "m_pClearLogButton")->click();
            QCOMPARE(dlg.result(), int(QDialog::Accepted));
        }
        QTRY_COMPARE_WITH_TIMEOUT(Count(Msg::CommandByte, KV520::kCmdClearLog), 1, 5000);
        LetFramesPass();
        QCOMPARE(Count(Msg::MenuWrite), 0);
        QCOMPARE(TabKey(), 0);

        // OK and Cancel remember the tab.
        {
            CKV520MenuDialog dlg(nullptr);
            Find<QTabWidget>(dlg, "m_pTabWidget")->setCurrentIndex(2);
            Find<QPushButton>(dlg, "m_pCancelButton")->click();
        }
        QCOMPARE(TabKey(), 2);
        CKV520MenuDialog dlg(nullptr);
        QCOMPARE(Find<QTabWidget>(dlg, "m_pTabWidget")->currentIndex(), 2);
    }

    void menuFilesRoundTripAllPositions()
    {
        for (int p = KV520::kMenuExchanged; p < KV520::kMenuSize; ++p)
            m_pDevice->SetMenuByte(p, p * 3);
        const QString strFile = m_Dir.filePath("all.mnu");
        QByteArray saved;
        {
            CKV520MenuDialog dlg(nullptr);
            dlg.show();
            Find<QSlider>(dlg, "m_pDelaySlider")->setValue(33);
            auto pAnswered = AnswerModal<QFileDialog>([&](QFileDialog* p) { Choose(p, strFile); });
            Find<QPushButton>(dlg, "m_pSaveButton")->click();
            QVERIFY(*pAnswered);
            QFile file(strFile);
            QVERIFY(file.open(QIODevice::ReadOnly));
            saved = file.readAll();
            QCOMPARE(saved.size(), KV520::kMenuSize);
            QCOMPARE(int(saved[24]), 33);
            QCOMPARE(int(uint8_t(saved[107])), (107 * 3) & 0xFF);
            // Saving a file is not a reason to change the detector.
            LetFramesPass();
            QCOMPARE(Count(Msg::MenuWrite), 0);
            dlg.reject();
        }
        for (int p = KV520::kMenuExchanged; p < KV520::kMenuSize; ++p)
            m_pDevice->SetMenuByte(p, 0);
        QVERIFY(DeviceShowsDetector());
        saved[24] = 45; // differs from the detector, which still has 90
        QFile rewrite(strFile);
        QVERIFY(rewrite.open(QIODevice::WriteOnly));
        rewrite.write(saved);
        rewrite.close();

        CKV520MenuDialog dlg(nullptr);
        dlg.show();
        AnswerModal<QFileDialog>([&](QFileDialog* p) { Choose(p, strFile); });
        Find<QPushButton>(dlg, "m_pLoadButton")->click();
        QCOMPARE(Find<QSlider>(dlg, "m_pDelaySlider")->value(), 45);
        LetFramesPass(); // frames from the detector arrive; the loaded bytes stay
        for (int p = 0; p < KV520::kMenuSize; ++p)
            QCOMPARE(int(m_pDevice->GetMenuByte(p)), int(uint8_t(saved[p])));
        QCOMPARE(Count(Msg::MenuWrite), 0); // loading sends nothing

        // Cancelled, the file's bytes give way to the detector's again.
        dlg.reject();
        QTRY_COMPARE_WITH_TIMEOUT(int(m_pDevice->GetMenuByte(24)), 90, 5000);
        QVERIFY(DeviceShowsDetector());
    }

    void shortMissingAndUnwritableFiles()
    {
        const QByteArray ten("\x01\x09\x02\x03\x04\x05\x06\x07\x08\x09", 10);
        const QString strShort = m_Dir.filePath("ten.mnu");
        QFile file(strShort);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(ten);
        file.close();
        m_pDevice->SetMenuByte(60, 77);

        CKV520MenuDialog dlg(nullptr);
        dlg.show();
        AnswerModal<QFileDialog>([&](QFileDialog* p) { Choose(p, strShort); });
        Find<QPushButton>(dlg, "m_pLoadButton")->click();
        const Menu m = DetectorMenu();
        for (int p = 0; p < 10; ++p)
            QCOMPARE(int(m_pDevice->GetMenuByte(p)), int(ten[p]));
        for (int p = 10; p < KV520::kMenuExchanged; ++p)
            QCOMPARE(int(m_pDevice->GetMenuByte(p)), int(m[size_t(p)]));
        QCOMPARE(int(m_pDevice->GetMenuByte(60)), 77);
        // Level mode 9 is neither choice: the common radio checked before must go off.
        QVERIFY(!Find<QRadioButton>(dlg, "m_pCommonLevelRadio")->isChecked());
        QVERIFY(!Find<QRadioButton>(dlg, "m_pIndividLevelsRadio")->isChecked());
        QCOMPARE(Find<QSlider>(dlg, "m_pCommonLevelSlider")->value(), 2);

        // Failures are told, and leave the block and the widgets alone.
        const QString strEmpty = m_Dir.filePath("empty.mnu");
        QFile empty(strEmpty);
        QVERIFY(empty.open(QIODevice::WriteOnly));
        empty.close();
        Find<QSlider>(dlg, "m_pDelaySlider")->setValue(61);
        const QString strFails[] = {m_Dir.filePath("missing.mnu"), strEmpty};
        for (const QString& strPath : strFails) {
            AnswerModal<QFileDialog>([&](QFileDialog* p) { Choose(p, strPath); });
            QString strTitle;
            auto pWarned = AnswerModal<QMessageBox>([&](QMessageBox* p) {
                strTitle = p->windowTitle();
                p->accept();
            });
            Find<QPushButton>(dlg, "m_pLoadButton")->click();
            QVERIFY2(*pWarned, qPrintable(strPath));
            QCOMPARE(strTitle, QStringLiteral("KV521 Analyzer"));
            QCOMPARE(Find<QSlider>(dlg, "m_pDelaySlider")->value(), 61);
            QCOMPARE(int(m_pDevice->GetMenuByte(0)), 1);
            QCOMPARE(int(m_pDevice->GetMenuByte(60)), 77);
        }

        auto pWarned = AnswerModal<QMessageBox>([](QMessageBox* p) { p->accept(); });
        AnswerModal<QFileDialog>([&](QFileDialog* p) { Choose(p, m_Dir.filePath("ten.mnu/x.mnu")); }); // a file where a folder should be
        Find<QPushButton>(dlg, "m_pSaveButton")->click();
        QTRY_VERIFY_WITH_TIMEOUT(*pWarned, 3000);
        LetFramesPass();
        QCOMPARE(Count(Msg::MenuWrite), 0);

        // A cancelled file dialog does nothing at all.
        m_pSim->ClearReceived();
        AnswerModal<QFileDialog>([](QFileDialog* p) { static_cast<QDialog*>(p)->reject(); });
        Find<QPushButton>(dlg, "m_pSaveButton")->click();
        LetFramesPass();
        QCOMPARE(Count(Msg::MenuWrite), 0);
    }

    void enterConfirmsAndNeverClearsTheLog()
    {
        CKV520MenuDialog dlg(nullptr);
        dlg.show();
        auto* pClear = Find<QPushButton>(dlg, "m_pClearLogButton");
        auto* pTabs = Find<QTabWidget>(dlg, "m_pTabWidget");
        for (int i = 0; i < pTabs->count(); ++i)
            if (pTabs->widget(i)->isAncestorOf(pClear))
                pTabs->setCurrentIndex(i);
        pClear->setFocus();
        // Should a question come up after all, Enter answers it as the user would.
        auto pAsked = AnswerModal<QMessageBox>([](QMessageBox* p) { p->defaultButton()->click(); });
        QTest::keyClick(pClear, Qt::Key_Return);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QVERIFY(!*pAsked);
        // The answerer still waits; a box of its own ends it, so it cannot
        // answer a later test's question.
        QMessageBox spare(QMessageBox::Information, QString(), QString(), QMessageBox::Ok);
        spare.setDefaultButton(QMessageBox::Ok);
        spare.exec();
        QVERIFY(*pAsked);
        QTRY_COMPARE_WITH_TIMEOUT(Count(Msg::MenuWrite), 1, 5000);
        QCOMPARE(Count(Msg::CommandByte, KV520::kCmdClearLog), 0);
    }

    void settingsFilesGetTheirExtensionAndAFolderOfTheirOwn()
    {
        const QString strBeside = m_Dir.filePath("beside");
        const QString strOther = m_Dir.filePath("other");
        QVERIFY(QDir().mkpath(strBeside) && QDir().mkpath(strOther));
        QString strOpenedIn;
        auto save = [&](const QString& strTyped) {
            CKV520MenuDialog dlg(nullptr);
            dlg.SetDefaultFileFolder(strBeside);
            dlg.show();
            auto pAnswered = AnswerModal<QFileDialog>([&](QFileDialog* p) {
                strOpenedIn = p->directory().absolutePath();
                Choose(p, strTyped);
            });
            Find<QPushButton>(dlg, "m_pSaveButton")->click();
            QVERIFY(*pAnswered);
            dlg.reject();
        };
        save(QDir(strOther).filePath("plain"));
        QCOMPARE(strOpenedIn, strBeside);
        QVERIFY(QFileInfo(QDir(strOther).filePath("plain.mnu")).isFile());
        QVERIFY(!QFileInfo::exists(QDir(strOther).filePath("plain")));
        // From then on the folder last used.
        save(QDir(strOther).filePath("second.MNU"));
        QCOMPARE(strOpenedIn, strOther);
        QVERIFY(QFileInfo(QDir(strOther).filePath("second.MNU")).isFile());
        LetFramesPass();
        QCOMPARE(Count(Msg::MenuWrite), 0);
    }

    void simulatorFactorySettingsPassThroughUnchanged()
    {
        m_pDevice->SetCommand(KV520::kCmdFactoryReset);
        QTRY_COMPARE_WITH_TIMEOUT(int(uint8_t(m_pSim->Menu()[KV520Menu::kTimeCorrection])), KV520Menu::kTimeCorrectionZero,
                                  5000);
        QVERIFY(DeviceShowsDetector());
        const QByteArray factory = m_pSim->Menu();
        m_pSim->ClearReceived();
        CKV520MenuDialog dlg(nullptr);
        dlg.show();
        Find<QPushButton>(dlg, "m_pOkButton")->click();
        QTRY_COMPARE_WITH_TIMEOUT(Count(Msg::MenuWrite), 1, 5000);
        QCOMPARE(LastWrite().left(KV520::kMenuExchanged).toHex(' '), factory.toHex(' '));
    }

    void setupOpensTheLevelsDialogWhichWritesAtOnce()
    {
        CKV520MenuDialog dlg(nullptr);
        dlg.show();
        auto pOpened = AnswerModal<CKV520LevelsDialog>([](CKV520LevelsDialog* p) {
            p->findChild<QSlider*>("m_pRelPulse2Slider")->setValue(41);
            p->findChild<QPushButton*>("m_pOkButton")->click();
        });
        Find<QPushButton>(dlg, "m_pLevelsButton")->click();
        QVERIFY(*pOpened);
        QTRY_COMPARE_WITH_TIMEOUT(Count(Msg::MenuWrite), 1, 5000);
        QCOMPARE(int(LastWrite()[8]), 41);
        // Cancelling the menu dialog afterwards does not take it back.
        Find<QPushButton>(dlg, "m_pCancelButton")->click();
        LetFramesPass();
        QCOMPARE(Count(Msg::MenuWrite), 1);
        QCOMPARE(int(uint8_t(m_pSim->Menu()[8])), 41);
    }
};

QTEST_MAIN(TestKV520MenuDialog)
#include "tst_kv520menudialog.moc"
