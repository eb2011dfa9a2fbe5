#include "language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>

const char *const CLanguage::SettingsKey = "General/Language";

CLanguage::CLanguage()
    : m_strName(QLocale::system().name())
{
}

CLanguage::~CLanguage()
{
    // The application may outlive a non-global instance; never leave it holding dangling translators.
    if (QCoreApplication::instance() != nullptr) {
        QCoreApplication::removeTranslator(&m_AppTranslator);
        QCoreApplication::removeTranslator(&m_QtTranslator);
    }
}

CLanguage &CLanguage::Instance()
{
    static CLanguage language;
    return language;
}

void CLanguage::Load(const QString &strName)
{
    QCoreApplication::removeTranslator(&m_AppTranslator);
    QCoreApplication::removeTranslator(&m_QtTranslator);

    // English is the language of the source texts, so it needs no translator.
    if (strName != QLatin1String("en_US")) {
        const QString strLang = strName.section(QLatin1Char('_'), 0, 0);
        // Only translators that actually loaded are installed: an empty one would
        // just cost a lookup for every string and a pointless LanguageChange.
        if (m_QtTranslator.load(QLatin1String("qtbase_") + strLang,
                                QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(&m_QtTranslator);
        if (m_AppTranslator.load(QLatin1String(":/CKV521MainWindow/analyzer_") + strName + QLatin1String(".qm")))
            QCoreApplication::installTranslator(&m_AppTranslator);
    }
    // Kept even without a translation: the manual window picks its document by this name.
    m_strName = strName;
}

void CLanguage::LoadStored()
{
    Load(QSettings().value(QLatin1String(SettingsKey), QLocale::system().name()).toString());
}

QString CLanguage::Name() const
{
    return m_strName;
}
