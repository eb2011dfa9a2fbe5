#include "dialogsizer.h"
#include "language.h"
#include "windowplacement.h"
#include "preferencesdialog.h"
#include "progressdialog.h"

#include <QApplication>
#include <QComboBox>
#include <QInputDialog>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <atomic>

class TestDialogs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void progressAcceptsAndRejectsOnAgreedValues();
    void progressJumpStraightToAccept();
    void progressRejectValueKeepsLastBar();
    void progressCancelRejectsAtOnce();
    void progressStopsWatchingOnceFinished();
    void preferencesIndexInAndOut();
    void languageWithoutTranslationStaysEnglish();
    void firstStartTakesThreeQuartersCentred();
    void stockDialogsFitTheirTitles();
};

namespace {
QProgressBar *Bar(CProgressDialog &dlg)
{
    return dlg.findChild<QProgressBar *>(QStringLiteral("m_pProgressBar"));
}
}

void TestDialogs::progressAcceptsAndRejectsOnAgreedValues()
{
    std::atomic<int> nValue{100};
    {
        CProgressDialog dlg(QStringLiteral("Reading"), &nValue, 100, 101);
        QCOMPARE(Bar(dlg)->value(), 0);
        QCOMPARE(dlg.exec(), int(QDialog::Accepted));
    }
    nValue = 101;
    {
        CProgressDialog dlg(QStringLiteral("Reading"), &nValue, 100, 101);
        QCOMPARE(dlg.exec(), int(QDialog::Rejected));
    }
}

void TestDialogs::progressJumpStraightToAccept()
{
    std::atomic<int> nValue{40};
    CProgressDialog dlg(QStringLiteral("Reading"), &nValue, 100, 101);
    QSignalSpy finished(&dlg, &QDialog::finished);
    dlg.show();
    QTRY_COMPARE(Bar(dlg)->value(), 40);
    QCOMPARE(finished.count(), 0);
    nValue = 100;
    QTRY_COMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).toInt(), int(QDialog::Accepted));
    QCOMPARE(Bar(dlg)->value(), 100);
}

void TestDialogs::progressRejectValueKeepsLastBar()
{
    std::atomic<int> nValue{40};
    CProgressDialog dlg(QStringLiteral("Reading"), &nValue, 100, 101);
    QSignalSpy finished(&dlg, &QDialog::finished);
    dlg.show();
    QTRY_COMPARE(Bar(dlg)->value(), 40);
    nValue = 101;
    QTRY_COMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).toInt(), int(QDialog::Rejected));
    QCOMPARE(Bar(dlg)->value(), 40);
}

void TestDialogs::progressCancelRejectsAtOnce()
{
    std::atomic<int> nValue{50};
    CProgressDialog dlg(QStringLiteral("Reading"), &nValue, 100, 101);
    auto *pCancel = dlg.findChild<QPushButton *>(QStringLiteral("m_pCancelButton"));
    QVERIFY(pCancel);
    QTimer::singleShot(0, pCancel, &QPushButton::click);
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(dlg.exec(), int(QDialog::Rejected));
    QVERIFY(clock.elapsed() < CProgressDialog::TimerPeriodMs);
    // The worker's value belongs to the worker; cancelling must not touch it.
    QCOMPARE(nValue.load(), 50);
}

void TestDialogs::progressStopsWatchingOnceFinished()
{
    std::atomic<int> nValue{100};
    CProgressDialog dlg(QStringLiteral("Reading"), &nValue, 100, 101);
    QSignalSpy finished(&dlg, &QDialog::finished);
    dlg.show();
    QTRY_COMPARE(finished.count(), 1);
    nValue = 101;
    QTest::qWait(3 * CProgressDialog::TimerPeriodMs);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
}

void TestDialogs::preferencesIndexInAndOut()
{
    {
        CPreferencesDialog dlg(1);
        auto *pCombo = dlg.findChild<QComboBox *>(QStringLiteral("m_pLanguageCombo"));
        QVERIFY(pCombo);
        QCOMPARE(pCombo->count(), 2);
        QCOMPARE(pCombo->itemText(0), QStringLiteral("English"));
        QCOMPARE(pCombo->itemText(1), QString::fromUtf8("Русский"));
        QCOMPARE(pCombo->currentIndex(), 1);
        pCombo->setCurrentIndex(0);
        dlg.findChild<QPushButton *>(QStringLiteral("m_pCancelButton"))->click();
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QCOMPARE(dlg.GetLanguage(), 1);
    }
    {
        CPreferencesDialog dlg(1);
        auto *pCombo = dlg.findChild<QComboBox *>(QStringLiteral("m_pLanguageCombo"));
        pCombo->setCurrentIndex(0);
        dlg.findChild<QPushButton *>(QStringLiteral("m_pOkButton"))->click();
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(dlg.GetLanguage(), 0);
    }
}

void TestDialogs::languageWithoutTranslationStaysEnglish()
{
    CLanguage language;
    QCOMPARE(language.Name(), QLocale::system().name());

    for (const char *pszName : {"de_DE", "xx_YY", "", "ru_RU", "en_US"}) {
        language.Load(QString::fromLatin1(pszName));
        QCOMPARE(language.Name(), QString::fromLatin1(pszName));
        // Texts are checked through a fresh dialog, as the user would see them.
        CPreferencesDialog dlg(0);
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Preferences"));
        QCOMPARE(dlg.findChild<QPushButton *>(QStringLiteral("m_pCancelButton"))->text(),
                 QStringLiteral("&Cancel"));
    }
}

void TestDialogs::firstStartTakesThreeQuartersCentred()
{
    QCOMPARE(CWindowPlacement::FirstStart(QRect(0, 0, 1600, 1000)), QRect(200, 125, 1200, 750));
    // A second monitor to the right, its free area below a top panel.
    const QRect placed = CWindowPlacement::FirstStart(QRect(1920, 32, 2560, 1408));
    QCOMPARE(placed.size(), QSize(1920, 1056));
    QCOMPARE(placed.center(), QRect(1920, 32, 2560, 1408).center());
    QVERIFY(CWindowPlacement::FirstStart(QRect(0, 0, 1, 1)).isValid());

    // A window grown past the right edge moves back; one wider than the screen shrinks.
    const QRect screen(0, 0, 1400, 900);
    QCOMPARE(CWindowPlacement::KeptWithin(QRect(175, 90, 1300, 700), screen), QRect(100, 90, 1300, 700));
    QCOMPARE(CWindowPlacement::KeptWithin(QRect(175, 90, 1600, 700), screen), QRect(0, 90, 1400, 700));
    QCOMPARE(CWindowPlacement::KeptWithin(QRect(1920, 0, 800, 600), screen), QRect(600, 0, 800, 600));
}

void TestDialogs::stockDialogsFitTheirTitles()
{
    CDialogSizer sizer;
    qApp->installEventFilter(&sizer);
    const QString strTitle = QStringLiteral("Создать папку в хранилище");
    int nInputWidth = 0;
    int nBoxWidth = 0;
    QTimer::singleShot(0, [&] {
        QWidget* pDialog = QApplication::activeModalWidget();
        QVERIFY(pDialog);
        nInputWidth = pDialog->width();
        qobject_cast<QDialog*>(pDialog)->reject();
    });
    QInputDialog::getText(nullptr, strTitle, QStringLiteral("Имя:"));
    QTimer::singleShot(0, [&] {
        QWidget* pDialog = QApplication::activeModalWidget();
        QVERIFY(pDialog);
        nBoxWidth = pDialog->width();
        qobject_cast<QMessageBox*>(pDialog)->button(QMessageBox::Yes)->click();
    });
    QMessageBox::question(nullptr, strTitle, QStringLiteral("Да?"), QMessageBox::Yes | QMessageBox::No);
    qApp->removeEventFilter(&sizer);

    const int nTitle = QFontMetrics(QApplication::font("QMdiSubWindowTitleBar")).horizontalAdvance(strTitle);
    QVERIFY2(nInputWidth > nTitle, qPrintable(QString::number(nInputWidth)));
    QVERIFY2(nBoxWidth > nTitle, qPrintable(QString::number(nBoxWidth)));
}

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
