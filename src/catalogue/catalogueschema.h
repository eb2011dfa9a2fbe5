#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// The catalogue's schema as a list of steps, each taking the database from
// one version (PRAGMA user_version) to the next. A new version adds a step;
// the steps already shipped never change, so a catalogue of any earlier
// version reaches the current one by the same path.
class CCatalogueSchema
{
public:
    struct Step
    {
        int nTo;
        QStringList statements;
    };

    static const QList<Step>& Steps();
    static int Latest();

    static int VersionOf(QSqlDatabase& db, QString* pError);
    // Applies the steps above the database's version up to nTarget, each in
    // a transaction of its own. A database of a later version is refused.
    static bool MigrateTo(QSqlDatabase& db, int nTarget, QString* pError);
};
