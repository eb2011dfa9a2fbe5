#pragma once

#include <QString>
#include <QTranslator>

// Program-wide holder of the installed translators and the current language name.
class CLanguage
{
public:
    CLanguage();
    ~CLanguage();
    CLanguage(const CLanguage &) = delete;
    CLanguage &operator=(const CLanguage &) = delete;

    // The program's one language object.
    static CLanguage &Instance();

    void Load(const QString &strName);
    // The language chosen in the preferences, or the system's before any choice.
    // Needs the application's organisation and name set.
    void LoadStored();
    static const char *const SettingsKey;
    QString Name() const;

private:
    QTranslator m_QtTranslator;
    QTranslator m_AppTranslator;
    QString m_strName;
};
