// Clicks on the panel replica: which key codes reach the device, the ZERO
// pair, the MENU key and the image files.
#include "devicewidget.h"
#include "fakedevice.h"

#include <QApplication>
#include <QImageReader>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

class CTimedWidget : public CDeviceWidget
{
public:
    QDateTime m_Now = QDateTime(QDate(2026, 3, 1), QTime(10, 0, 0));

protected:
    QDateTime CurrentTime() const override { return m_Now; }
};

} // namespace

class TestDeviceWidget : public QObject
{
    Q_OBJECT

private:
    CFakeDevice m_Device;
    std::unique_ptr<CTimedWidget> m_pWidget;

    void Click(int x, int y, Qt::MouseButton eButton = Qt::LeftButton)
    {
        QTest::mousePress(m_pWidget.get(), eButton, Qt::NoModifier, QPoint(x, y));
        QTest::mouseRelease(m_pWidget.get(), eButton, Qt::NoModifier, QPoint(x, y));
    }

    void ClickZero(int nSecondsLater)
    {
        m_pWidget->m_Now = m_pWidget->m_Now.addSecs(nSecondsLater);
        Click(40, 215);
    }

    // Closes the next modal box and tells its title and text.
    QStringList CloseNextMessageBox()
    {
        auto pSeen = std::make_shared<QStringList>();
        QTimer::singleShot(0, [pSeen] {
            if (auto* pBox = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                *pSeen << pBox->windowTitle() << pBox->text();
                pBox->accept();
            }
        });
        m_pWidget->OpenDeviceMenu();
        return *pSeen;
    }

private Q_SLOTS:
    void initTestCase() { QCoreApplication::setApplicationName(QStringLiteral("KV521 Analyzer")); }

    void init()
    {
        m_Device = CFakeDevice();
        g_pDevice = &m_Device;
        m_pWidget = std::make_unique<CTimedWidget>();
        m_pWidget->setFixedSize(160, 303);
        m_pWidget->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_pWidget.get()));
        CDeviceWidget::SetMenuOpener(nullptr);
    }

    void cleanup()
    {
        m_pWidget.reset();
        CDeviceWidget::SetMenuOpener(nullptr);
        g_pDevice = nullptr;
    }

    void clickMap_data()
    {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<int>("nKey");
        QTest::newRow("PWR top left") << QPoint(10, 146) << 0;
        QTest::newRow("PWR bottom right") << QPoint(72, 175) << 0;
        QTest::newRow("right of PWR") << QPoint(73, 146) << -1;
        QTest::newRow("VOL+") << QPoint(85, 146) << 2;
        QTest::newRow("VOL-") << QPoint(147, 231) << 3;
        QTest::newRow("SENS") << QPoint(10, 287) << 4;
        QTest::newRow("between rows") << QPoint(40, 190) << -1;
        QTest::newRow("right edge") << QPoint(148, 260) << -1;
    }

    void clickMap()
    {
        QFETCH(QPoint, point);
        QFETCH(int, nKey);
        Click(point.x(), point.y());
        QCOMPARE(m_Device.m_Keys, nKey < 0 ? QList<int>() : QList<int>{nKey});
        // The hand shows over the same places.
        QTest::mouseMove(m_pWidget.get(), point);
        QCOMPARE(m_pWidget->cursor().shape(), nKey < 0 ? Qt::ArrowCursor : Qt::PointingHandCursor);
    }

    void keyboardReachesTheKeysAndShowsThemPressed()
    {
        QVERIFY(m_pWidget->focusPolicy() & Qt::TabFocus);
        QVERIFY(!m_pWidget->accessibleName().isEmpty());
        QVERIFY(m_pWidget->toolTip().contains("VOL+"));
        QTest::keyClick(m_pWidget.get(), Qt::Key_1);
        QTest::keyClick(m_pWidget.get(), Qt::Key_4);
        QTest::keyClick(m_pWidget.get(), Qt::Key_Up);
        QTest::keyClick(m_pWidget.get(), Qt::Key_Down);
        QTest::keyClick(m_pWidget.get(), Qt::Key_Backspace);
        // Not panel keys: letters, and digits with Ctrl (the window's shortcuts).
        QTest::keyClick(m_pWidget.get(), Qt::Key_7);
        QTest::keyClick(m_pWidget.get(), Qt::Key_A);
        QTest::keyClick(m_pWidget.get(), Qt::Key_3, Qt::ControlModifier);
        QCOMPARE(m_Device.m_Keys, (QList<int>{0, 3, 2, 3, 4}));
        // A held key repeats; the detector gets one press.
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_3, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(m_pWidget.get(), &repeat);
        QCOMPARE(m_Device.m_Keys.size(), 5);

        Click(100, 160);
        QCOMPARE(m_pWidget->PressedKey(), 2);
        QTRY_COMPARE_WITH_TIMEOUT(m_pWidget->PressedKey(), -1, 1000);
    }

    void keysAreSentWithoutALinkAndByAnyButton()
    {
        m_Device.m_bConnected = false;
        Click(100, 160);
        Click(40, 270, Qt::RightButton);
        QCOMPARE(m_Device.m_Keys, (QList<int>{2, 4}));
    }

    void zeroPairs_data()
    {
        QTest::addColumn<QList<int>>("gaps");
        QTest::addColumn<QList<int>>("keys");
        QTest::newRow("1 s apart") << QList<int>{0, 1} << QList<int>{1, 6};
        QTest::newRow("3 s apart") << QList<int>{0, 3} << QList<int>{1, 1};
        QTest::newRow("5 s apart") << QList<int>{0, 5} << QList<int>{1, 1};
        QTest::newRow("three quick") << QList<int>{0, 0, 0} << QList<int>{1, 6, 1};
        QTest::newRow("four quick") << QList<int>{0, 0, 0, 0} << QList<int>{1, 6, 1, 6};
        QTest::newRow("pair completes minutes later") << QList<int>{0, 300, 1} << QList<int>{1, 1, 1};
        QTest::newRow("clock set back") << QList<int>{0, -3600} << QList<int>{1, 1};
    }

    void zeroPairs()
    {
        QFETCH(QList<int>, gaps);
        QFETCH(QList<int>, keys);
        for (int nGap : gaps)
            ClickZero(nGap);
        QCOMPARE(m_Device.m_Keys, keys);
    }

    void otherKeysDoNotBreakAZeroPair()
    {
        ClickZero(0);
        Click(100, 160);
        Click(40, 160);
        ClickZero(2);
        QCOMPARE(m_Device.m_Keys, (QList<int>{1, 2, 0, 6}));
    }

    void zeroClickInSearchModeShowsTheZeroWord()
    {
        m_Device.m_Live.m_nModeFlags = 0x01;
        ClickZero(0);
        QCOMPARE(m_pWidget->Painter().ZeroTicks(), CKV520DevicePaint::kZeroPaints);
    }

    void menuWithoutLinkWarns()
    {
        bool bOpened = false;
        CDeviceWidget::SetMenuOpener([&](QWidget*) { bOpened = true; });
        m_Device.m_bConnected = false;
        const QStringList seen = CloseNextMessageBox();
        QCOMPARE(seen, (QStringList{QStringLiteral("KV521 Analyzer"), QStringLiteral("No connection with the device!")}));
        QVERIFY(!bOpened);
        QVERIFY(m_Device.m_Keys.isEmpty());
    }

    void menuKeyOpensTheMenuAndSendsNothing()
    {
        QWidget* pParent = nullptr;
        CDeviceWidget::SetMenuOpener([&](QWidget* pWidget) { pParent = pWidget; });
        Click(85, 258);
        QCOMPARE(pParent, m_pWidget.get());
        QVERIFY(m_Device.m_Keys.isEmpty());
        QTest::mouseMove(m_pWidget.get(), QPoint(147, 287));
        QCOMPARE(m_pWidget->cursor().shape(), Qt::PointingHandCursor);

        // Without an opener nothing happens at all.
        CDeviceWidget::SetMenuOpener(nullptr);
        QVERIFY(CloseNextMessageBox().isEmpty());
    }

    void imagesAreWrittenAsPng()
    {
        m_Device.m_Live.m_nModeFlags = 0x01;
        m_pWidget->grab(); // one paint
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(m_pWidget->SaveDisplayImage(dir.filePath(QStringLiteral("display.png"))));
        QVERIFY(m_pWidget->SavePanelImage(dir.filePath(QStringLiteral("panel.png"))));
        QImageReader display(dir.filePath(QStringLiteral("display.png")));
        QCOMPARE(display.format(), QByteArray("png"));
        const QImage image = display.read();
        QCOMPARE(image.size(), QSize(160, 128));
        QCOMPARE(image.convertToFormat(QImage::Format_RGB32), m_pWidget->Painter().DisplayImage());
        const QImage panel(dir.filePath(QStringLiteral("panel.png")));
        QCOMPARE(panel.size(), QSize(160, 304));
        QVERIFY(panel.pixel(2, 200) != 0xFF00FF7F); // the keyboard picture is there

        QString strError;
        QVERIFY(!m_pWidget->SaveDisplayImage(dir.filePath(QStringLiteral("missing/display.png")), &strError));
        QVERIFY(!strError.isEmpty());
    }
};

QTEST_MAIN(TestDeviceWidget)
#include "tst_devicewidget.moc"
