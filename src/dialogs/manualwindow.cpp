#include "manualwindow.h"
#include "windowplacement.h"

#include "language.h"
#include "ui_manualwindow.h"

#include <QEvent>
#include <QFile>
#include <QGuiApplication>
#include <QKeySequence>
#include <QSettings>
#include <QShortcut>
#include <QTextCursor>
#include <QTextDocument>

namespace {
const QLatin1String EnglishName("en_US");
const QLatin1String ResourceFolder(":/CKV521MainWindow/");

QString FindStyle(bool bFound)
{
    return bFound ? QStringLiteral("QLineEdit { background: rgb(127, 255, 127) }")
                  : QStringLiteral("QLineEdit { background: rgb(255, 127, 127) }");
}

QString PageName(const QString &strLanguage)
{
    return QLatin1String("Kv521Analyzer_") + strLanguage + QLatin1String(".htm");
}

}

const char *const CManualWindow::GeometryKey = "Manual/Geometry";

QRect CManualWindow::DefaultGeometry()
{
    return QRect(110, 110, 400, 600);
}

CManualWindow::CManualWindow(const CLanguage *pLanguage, QWidget *parent)
    : QWidget(parent)
    , m_pUi(std::make_unique<Ui::CManualWindowClass>())
    , m_pLanguage(pLanguage)
{
    m_pUi->setupUi(this);
    // No close button: the window is only hidden, by its Hide button or by the main window,
    // so that it keeps its place and page for the next time.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    connect(m_pUi->m_pHideButton, &QPushButton::clicked, this, &QWidget::hide);
    connect(m_pUi->m_pFindEdit, &QLineEdit::textChanged, this, &CManualWindow::OnFindEdit);
    connect(m_pUi->m_pFindEdit, &QLineEdit::returnPressed, this, &CManualWindow::OnFindNext);
    auto *pEscape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(pEscape, &QShortcut::activated, this, &QWidget::hide);

    LoadDocument();
    m_pUi->m_pTextBrowser->setFocus();
    RestoreGeometry();
}

CManualWindow::~CManualWindow()
{
    QSettings settings;
    settings.setValue(QLatin1String(GeometryKey), geometry());
}

QUrl CManualWindow::DocumentUrl(const QString &strLanguage)
{
    // A language without its own manual (a system locale we have no translation for) gets
    // the English one rather than an empty window.
    QString strName = strLanguage;
    if (strName.isEmpty() || !QFile::exists(ResourceFolder + PageName(strName)))
        strName = EnglishName;
    return QUrl(QStringLiteral("qrc") + ResourceFolder + PageName(strName));
}

void CManualWindow::LoadDocument()
{
    const QString strLanguage = m_pLanguage != nullptr ? m_pLanguage->Name() : QString(EnglishName);
    const QUrl url = DocumentUrl(strLanguage);
    // Reloading the page already shown would throw the reader back to its top.
    if (m_pUi->m_pTextBrowser->source() != url) {
        m_pUi->m_pTextBrowser->document()->setDefaultStyleSheet(StyleSheetFor(palette()));
        m_pUi->m_pTextBrowser->setSource(url);
    }
}

QString CManualWindow::StyleSheetFor(const QPalette &palette)
{
    // The pages carry no colours of their own: dark and high-contrast themes
    // would otherwise get dark blue headings on a dark page.
    const auto mix = [](const QColor &a, const QColor &b, double dB) {
        return QColor::fromRgbF(float(a.redF() * (1 - dB) + b.redF() * dB), float(a.greenF() * (1 - dB) + b.greenF() * dB),
                                float(a.blueF() * (1 - dB) + b.blueF() * dB))
            .name();
    };
    const QColor base = palette.color(QPalette::Base);
    const QColor text = palette.color(QPalette::Text);
    const QColor highlight = palette.color(QPalette::Highlight);
    // A theme that leaves the link colour at its light-theme blue on a dark
    // page gets links moved towards the text colour until they read.
    QColor link = palette.color(QPalette::Link);
    if (qAbs(link.lightness() - base.lightness()) < 110)
        link = QColor(mix(link, text, 0.55));
    const QString strHeading = mix(link, text, 0.25);
    return QStringLiteral("body { color: %1; }\n"
                          "a { color: %8; }\n"
                          "h1, h2, h3 { color: %2; }\n"
                          "th { background-color: %3; }\n"
                          "th, td { border-color: %4; }\n"
                          "code, pre { background-color: %5; }\n"
                          ".note { background-color: %6; border-color: %7; }\n")
        .arg(text.name(), strHeading, mix(base, highlight, 0.18), mix(base, text, 0.4), mix(base, text, 0.07),
             mix(base, highlight, 0.1), mix(base, highlight, 0.5), link.name());
}

void CManualWindow::RestoreGeometry()
{
    QSettings settings;
    QRect rect = settings.value(QLatin1String(GeometryKey), DefaultGeometry()).toRect();
    // A stored place on a monitor that is gone would open the window where nobody can see it.
    if (!rect.isValid() || !CWindowPlacement::IsReachable(rect))
        rect = DefaultGeometry();
    setGeometry(rect);
}

bool CManualWindow::FindFrom(const QString &strText, int nPosition)
{
    QTextDocument *pDocument = m_pUi->m_pTextBrowser->document();
    QTextCursor found = pDocument->find(strText, nPosition);
    // Wrap round: text above the cursor is as much in the manual as text below it.
    if (found.isNull() && nPosition > 0)
        found = pDocument->find(strText, 0);
    if (found.isNull())
        return false;
    m_pUi->m_pTextBrowser->setTextCursor(found);
    m_pUi->m_pTextBrowser->ensureCursorVisible();
    return true;
}

void CManualWindow::OnFindEdit(QString strText)
{
    if (strText.isEmpty()) {
        m_pUi->m_pFindEdit->setStyleSheet(QLatin1String("QLineEdit { background: white }"));
        return;
    }
    // Typing one more letter refines the match in place: searching on from the end of the
    // previous match would step over it and report a word that is there as missing.
    const int nStart = m_pUi->m_pTextBrowser->textCursor().selectionStart();
    const bool bFound = FindFrom(strText, nStart);
    m_pUi->m_pFindEdit->setStyleSheet(FindStyle(bFound));
}

void CManualWindow::OnFindNext()
{
    const QString strText = m_pUi->m_pFindEdit->text();
    if (strText.isEmpty())
        return;
    const bool bFound = FindFrom(strText, m_pUi->m_pTextBrowser->textCursor().selectionEnd());
    m_pUi->m_pFindEdit->setStyleSheet(FindStyle(bFound));
}

void CManualWindow::changeEvent(QEvent *pEvent)
{
    if (pEvent->type() == QEvent::PaletteChange) {
        m_pUi->m_pTextBrowser->document()->setDefaultStyleSheet(StyleSheetFor(palette()));
        m_pUi->m_pTextBrowser->reload();
    }
    if (pEvent->type() == QEvent::LanguageChange) {
        LoadDocument();
        m_pUi->retranslateUi(this);
        return;
    }
    QWidget::changeEvent(pEvent);
}
