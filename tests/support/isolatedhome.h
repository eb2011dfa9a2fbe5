#pragma once

#include <QTemporaryDir>
#include <QtGlobal>

// Keeps the user's own settings and storage folder out of a test, and its
// texts in English: a throwaway home, set before the application object
// reads anything. Lives as long as the suite.
class CIsolatedHome
{
public:
    CIsolatedHome()
    {
        qputenv("XDG_CONFIG_HOME", m_Home.filePath(QStringLiteral("config")).toUtf8());
        qputenv("XDG_DATA_HOME", m_Home.filePath(QStringLiteral("data")).toUtf8());
        qputenv("LANG", "en_US.UTF-8");
    }
    QString Path() const { return m_Home.path(); }

private:
    QTemporaryDir m_Home;
};
