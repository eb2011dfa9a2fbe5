// The individual levels dialog on a device object without a link: what it
// loads, clamps and writes, and how its two groups pair.
#include "idevice.h"
#include "kv520device.h"
#include "kv520levelsdialog.h"
#include "kv520protocol.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

// Slider names in the order of menu positions 2-9.
const char* const kSliders[] = {"m_pRelConst1Slider", "m_pAbsConst1Slider", "m_pRelPulse1Slider",
                                "m_pAbsPulse1Slider", "m_pRelConst2Slider", "m_pAbsConst2Slider",
                                "m_pRelPulse2Slider", "m_pAbsPulse2Slider"};

QSettings Store()
{
    return QSettings(QStringLiteral("Lumatrix"), QStringLiteral("KV521 Analyzer"));
}

} // namespace

class TestKV520LevelsDialog : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_Dir;
    std::unique_ptr<CKV520Device> m_pDevice;

    template <class T>
    static T* Find(QWidget& dialog, const char* pName)
    {
        T* p = dialog.findChild<T*>(QLatin1String(pName));
        if (!p)
            qFatal("no widget %s", pName);
        return p;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_Dir.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_Dir.path());
    }

    void init()
    {
        Store().clear();
        m_pDevice = std::make_unique<CKV520Device>();
        g_pDevice = m_pDevice.get();
    }

    void cleanup()
    {
        g_pDevice = nullptr;
        m_pDevice.reset();
    }

    void loadsClampsAndWritesAllEightAtOnce()
    {
        const int bytes[] = {30, 200, 0, 12, 64, 65, 1, 7}; // positions 2-9
        for (int i = 0; i < 8; ++i)
            m_pDevice->SetMenuByte(2 + i, bytes[i]);
        m_pDevice->SetMenuByte(1, 0);
        m_pDevice->SetMenuByte(10, 99);

        CKV520LevelsDialog dlg(nullptr);
        const int shown[] = {30, 64, 1, 12, 64, 64, 1, 7};
        for (int i = 0; i < 8; ++i)
            QCOMPARE(Find<QSlider>(dlg, kSliders[i])->value(), shown[i]);
        QCOMPARE(Find<QLabel>(dlg, "m_pRelPulse1Label")->text(), QStringLiteral("01 dB"));
        QCOMPARE(Find<QLabel>(dlg, "m_pAbsConst1Label")->text(), QStringLiteral("64 dB"));
        QCOMPARE(Find<QLabel>(dlg, "m_pAbsPulse2Label")->text(), QStringLiteral("07 dB"));

        Find<QSlider>(dlg, "m_pRelConst2Slider")->setValue(33);
        QCOMPARE(Find<QLabel>(dlg, "m_pRelConst2Label")->text(), QStringLiteral("33 dB"));
        Find<QPushButton>(dlg, "m_pOkButton")->click();
        QCOMPARE(dlg.result(), int(QDialog::Accepted));

        const int written[] = {30, 64, 1, 12, 33, 64, 1, 7};
        for (int i = 0; i < 8; ++i)
            QCOMPARE(int(m_pDevice->GetMenuByte(2 + i)), written[i]);
        QCOMPARE(int(m_pDevice->GetMenuByte(1)), 0);
        QCOMPARE(int(m_pDevice->GetMenuByte(10)), 99);
        QCOMPARE(m_pDevice->PendingCommand(), int(KV520::kCmdWriteMenu));
    }

    void cancelWritesNothing()
    {
        m_pDevice->SetMenuByte(4, 0);
        CKV520LevelsDialog dlg(nullptr);
        Find<QSlider>(dlg, "m_pRelConst1Slider")->setValue(50);
        Find<QPushButton>(dlg, "m_pCancelButton")->click();
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QCOMPARE(int(m_pDevice->GetMenuByte(4)), 0);
        QCOMPARE(int(m_pDevice->GetMenuByte(2)), 0);
        QCOMPARE(m_pDevice->PendingCommand(), int(KV520::kNoCommand));
        QVERIFY(!Store().contains("KV520/LevelType"));
    }

    void groupsPairAndTheChoiceIsRemembered()
    {
        {
            CKV520LevelsDialog dlg(nullptr);
            auto* pRelative = Find<QGroupBox>(dlg, "m_pRelativeCheck");
            auto* pAbsolute = Find<QGroupBox>(dlg, "m_pAbsoluteCheck");
            QVERIFY(pRelative->isChecked());
            QVERIFY(!pAbsolute->isChecked());
            QVERIFY(!Find<QSlider>(dlg, "m_pAbsConst1Slider")->isEnabled());

            // A click on either box's check leaves exactly one set chosen.
            QTest::keyClick(pAbsolute, Qt::Key_Space);
            QVERIFY(pAbsolute->isChecked());
            QVERIFY(!pRelative->isChecked());
            QVERIFY(Find<QSlider>(dlg, "m_pAbsConst1Slider")->isEnabled());
            QVERIFY(!Find<QSlider>(dlg, "m_pRelConst1Slider")->isEnabled());
            QTest::keyClick(pAbsolute, Qt::Key_Space);
            QVERIFY(!pAbsolute->isChecked());
            QVERIFY(pRelative->isChecked());
            QTest::keyClick(pRelative, Qt::Key_Space);
            QVERIFY(!pRelative->isChecked());
            QVERIFY(pAbsolute->isChecked());

            Find<QPushButton>(dlg, "m_pOkButton")->click();
        }
        QCOMPARE(Store().value("KV520/LevelType").toInt(), 1);
        {
            CKV520LevelsDialog dlg(nullptr);
            QVERIFY(Find<QGroupBox>(dlg, "m_pAbsoluteCheck")->isChecked());
            QVERIFY(!Find<QGroupBox>(dlg, "m_pRelativeCheck")->isChecked());
        }

        // A stored value the program never writes still opens with one set chosen.
        Store().setValue("KV520/LevelType", 5);
        CKV520LevelsDialog dlg(nullptr);
        QVERIFY(Find<QGroupBox>(dlg, "m_pRelativeCheck")->isChecked());
        QVERIFY(!Find<QGroupBox>(dlg, "m_pAbsoluteCheck")->isChecked());
    }
};

QTEST_MAIN(TestKV520LevelsDialog)
#include "tst_kv520levelsdialog.moc"
