#include "language.h"
#include "manualwindow.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTextBrowser>
#include <QtTest>

class TestManualWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void findRefinesInPlaceAndWraps();
    void findNextStepsOnAndClearKeepsSelection();
    void pageFollowsLanguage();
    void pageFollowsInstalledTranslation();
    void pagesAreCompleteAndLinksResolve();
    void geometryDefaultStoredAndUnreachable();
    void artworkLoadsAtSmallSizes();
    void pageColoursFollowThePalette();
};

namespace {
const QString Green = QStringLiteral("QLineEdit { background: rgb(127, 255, 127) }");
const QString Red = QStringLiteral("QLineEdit { background: rgb(255, 127, 127) }");
const QString White = QStringLiteral("QLineEdit { background: white }");

QTextBrowser *Browser(CManualWindow &window)
{
    return window.findChild<QTextBrowser *>(QStringLiteral("m_pTextBrowser"));
}

QLineEdit *FindEdit(CManualWindow &window)
{
    return window.findChild<QLineEdit *>(QStringLiteral("m_pFindEdit"));
}

QString ReadPage(const QString &strName)
{
    QFile file(QStringLiteral(":/CKV521MainWindow/") + strName);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}
}

void TestManualWindow::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QStringLiteral("LumatrixTest"));
    QCoreApplication::setApplicationName(QStringLiteral("KV521 Analyzer Manual Test"));
}

void TestManualWindow::init()
{
    QSettings().clear();
}

void TestManualWindow::findRefinesInPlaceAndWraps()
{
    CManualWindow window;
    Browser(window)->setPlainText(QStringLiteral("xx ab yy a zz"));
    QLineEdit *pEdit = FindEdit(window);

    // Typing on extends the match where it stands instead of searching past it.
    QTest::keyClicks(pEdit, QStringLiteral("a"));
    QCOMPARE(Browser(window)->textCursor().selectionStart(), 3);
    QCOMPARE(pEdit->styleSheet(), Green);
    QTest::keyClicks(pEdit, QStringLiteral("B"));
    QCOMPARE(Browser(window)->textCursor().selectedText(), QStringLiteral("ab"));
    QCOMPARE(Browser(window)->textCursor().selectionStart(), 3);
    QCOMPARE(pEdit->styleSheet(), Green);

    // Text that only stands before the cursor is still found.
    QTextCursor end(Browser(window)->document());
    end.movePosition(QTextCursor::End);
    Browser(window)->setTextCursor(end);
    pEdit->setText(QStringLiteral("xx"));
    QCOMPARE(Browser(window)->textCursor().selectionStart(), 0);
    QCOMPARE(pEdit->styleSheet(), Green);

    pEdit->setText(QStringLiteral("abc"));
    QCOMPARE(pEdit->styleSheet(), Red);
}

void TestManualWindow::findNextStepsOnAndClearKeepsSelection()
{
    CManualWindow window;
    Browser(window)->setPlainText(QStringLiteral("one a two a three"));
    QLineEdit *pEdit = FindEdit(window);

    pEdit->setText(QStringLiteral("a"));
    QCOMPARE(Browser(window)->textCursor().selectionStart(), 4);
    QTest::keyClick(pEdit, Qt::Key_Return);
    QCOMPARE(Browser(window)->textCursor().selectionStart(), 10);
    QTest::keyClick(pEdit, Qt::Key_Return);
    QCOMPARE(Browser(window)->textCursor().selectionStart(), 4);
    QCOMPARE(pEdit->styleSheet(), Green);

    pEdit->clear();
    QCOMPARE(pEdit->styleSheet(), White);
    QCOMPARE(Browser(window)->textCursor().selectionStart(), 4);
    QCOMPARE(Browser(window)->textCursor().selectedText(), QStringLiteral("a"));
}

void TestManualWindow::pageFollowsLanguage()
{
    const QUrl english(QStringLiteral("qrc:/CKV521MainWindow/Kv521Analyzer_en_US.htm"));
    const QUrl russian(QStringLiteral("qrc:/CKV521MainWindow/Kv521Analyzer_ru_RU.htm"));
    QCOMPARE(CManualWindow::DocumentUrl(QStringLiteral("ru_RU")), russian);
    QCOMPARE(CManualWindow::DocumentUrl(QStringLiteral("de_DE")), english);
    QCOMPARE(CManualWindow::DocumentUrl(QString()), english);
    QCOMPARE(CManualWindow::DocumentUrl(QStringLiteral("../x")), english);

    CLanguage language;
    language.Load(QStringLiteral("de_DE"));
    CManualWindow window(&language);
    QCOMPARE(Browser(window)->source(), english);
    QVERIFY(Browser(window)->toPlainText().contains(QStringLiteral("dialout")));

    // The switch arrives as a language change; the page changes with it, decoded as text.
    language.Load(QStringLiteral("ru_RU"));
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(&window, &change);
    QCOMPARE(Browser(window)->source(), russian);
    QVERIFY(Browser(window)->toPlainText().contains(QStringLiteral("Руководство")));
    QVERIFY(!Browser(window)->toPlainText().contains(QChar(QChar::ReplacementCharacter)));
    QCOMPARE(window.windowTitle(), QStringLiteral("Manual"));

    language.Load(QStringLiteral("en_US"));
    QCoreApplication::sendEvent(&window, &change);
    QCOMPARE(Browser(window)->source(), english);
}

void TestManualWindow::pageFollowsInstalledTranslation()
{
    // The language object installs Qt's own Russian texts when they are there; the change it
    // causes must find the new name already in place, in both directions.
    if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QLatin1String("/qtbase_ru.qm")))
        QSKIP("Qt's Russian translation is not installed");
    CLanguage language;
    language.Load(QStringLiteral("en_US"));
    CManualWindow window(&language);
    window.show();
    language.Load(QStringLiteral("ru_RU"));
    QTRY_COMPARE(Browser(window)->source(), QUrl(QStringLiteral("qrc:/CKV521MainWindow/Kv521Analyzer_ru_RU.htm")));
    language.Load(QStringLiteral("en_US"));
    QTRY_COMPARE(Browser(window)->source(), QUrl(QStringLiteral("qrc:/CKV521MainWindow/Kv521Analyzer_en_US.htm")));
}

void TestManualWindow::pagesAreCompleteAndLinksResolve()
{
    // Both manuals cover the same sections, and every link of a contents list has its target.
    const QRegularExpression heading(QStringLiteral("<h[23][ >]"));
    const QRegularExpression link(QStringLiteral("href=\"#([^\"]+)\""));
    int nSections = -1;
    for (const QString &strName : {QStringLiteral("Kv521Analyzer_en_US.htm"), QStringLiteral("Kv521Analyzer_ru_RU.htm")}) {
        const QString strPage = ReadPage(strName);
        QVERIFY2(strPage.size() > 10000, qPrintable(strName));
        QVERIFY2(strPage.contains(QStringLiteral("charset=utf-8"), Qt::CaseInsensitive), qPrintable(strName));
        const int nCount = int(strPage.count(heading));
        if (nSections < 0)
            nSections = nCount;
        QCOMPARE(nCount, nSections);
        auto it = link.globalMatch(strPage);
        int nLinks = 0;
        while (it.hasNext()) {
            const QString strTarget = it.next().captured(1);
            QVERIFY2(strPage.contains(QStringLiteral("id=\"%1\"").arg(strTarget)),
                     qPrintable(strName + QLatin1String(": #") + strTarget));
            ++nLinks;
        }
        QVERIFY(nLinks >= 10);
    }
}

void TestManualWindow::geometryDefaultStoredAndUnreachable()
{
    {
        CManualWindow window;
        QCOMPARE(window.geometry(), QRect(110, 110, 400, 600));
        window.setGeometry(QRect(20, 30, 500, 400));
    }
    QCOMPARE(QSettings().value(QStringLiteral("Manual/Geometry")).toRect(), QRect(20, 30, 500, 400));
    {
        CManualWindow window;
        QCOMPARE(window.geometry(), QRect(20, 30, 500, 400));
    }

    // A place on a monitor that has gone, or a broken value, falls back to the default.
    QSettings().setValue(QStringLiteral("Manual/Geometry"), QRect(20000, 20000, 400, 600));
    {
        CManualWindow window;
        QCOMPARE(window.geometry(), QRect(110, 110, 400, 600));
    }
    QSettings().setValue(QStringLiteral("Manual/Geometry"), QStringLiteral("junk"));
    {
        CManualWindow window;
        QCOMPARE(window.geometry(), QRect(110, 110, 400, 600));
    }
}

void TestManualWindow::artworkLoadsAtSmallSizes()
{
    const QString strRoot = QStringLiteral(":/CKV521MainWindow/");
    for (const char *pName : {"Analyzer.png", "Resources/LOGO.png", "Resources/file_log.png",
                              "Resources/file_realtime.png", "Resources/storage.png", "Resources/folder.png",
                              "Resources/folder_open.png"}) {
        const QImage image(strRoot + QLatin1String(pName));
        QVERIFY2(!image.isNull(), pName);
        QVERIFY2(image.hasAlphaChannel(), pName);
    }
    // The icon files carry hand-sized images so that 16 and 32 pixels are not blurred down-scales.
    for (const char *pName : {"Analyzer.ico", "Resources/monitor.ico", "Resources/monitor_alarm.ico"}) {
        QImageReader reader(strRoot + QLatin1String(pName));
        QList<int> sizes;
        do {
            const QImage image = reader.read();
            QVERIFY2(!image.isNull(), qPrintable(QLatin1String(pName) + QLatin1Char(' ') + reader.errorString()));
            sizes.append(image.width());
        } while (reader.jumpToNextImage());
        QVERIFY2(sizes.contains(16) && sizes.contains(32), pName);
    }
}

void TestManualWindow::pageColoursFollowThePalette()
{
    // A dark theme that keeps the light theme's blue links.
    QPalette dark;
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::Text, QColor(225, 225, 225));
    dark.setColor(QPalette::Link, QColor(0, 0, 255));
    const QString strCss = CManualWindow::StyleSheetFor(dark);
    QVERIFY(strCss.contains("body { color: #e1e1e1; }"));
    const QRegularExpressionMatch link = QRegularExpression("a \\{ color: (#[0-9a-f]{6}); \\}").match(strCss);
    QVERIFY2(link.hasMatch(), qPrintable(strCss));
    QVERIFY(QColor(link.captured(1)).lightness() > 120);

    // The pages themselves carry no colours that could fight the theme.
    for (const char* pLanguage : {"en_US", "ru_RU"}) {
        QFile page(CManualWindow::DocumentUrl(pLanguage).toString().mid(3));
        QVERIFY(page.open(QIODevice::ReadOnly));
        const QString strPage = QString::fromUtf8(page.readAll());
        const QString strStyle = strPage.section("<style", 1, 1).section("</style>", 0, 0);
        QVERIFY(!strStyle.isEmpty());
        QVERIFY2(!strStyle.contains("color:"), pLanguage);
    }
}

QTEST_MAIN(TestManualWindow)
#include "tst_manualwindow.moc"
