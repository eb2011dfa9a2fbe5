#include "catalogueschema.h"

#include <QCoreApplication>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

const QList<CCatalogueSchema::Step>& CCatalogueSchema::Steps()
{
    static const QList<Step> steps = {
        {1,
         {QStringLiteral("CREATE TABLE files ("
                         " id INTEGER PRIMARY KEY,"
                         " path TEXT NOT NULL UNIQUE," // relative to the storage folder, '/' separated
                         " size INTEGER NOT NULL, mtime INTEGER NOT NULL, sidecar_mtime INTEGER NOT NULL,"
                         " sha256 TEXT NOT NULL,"
                         " kind TEXT NOT NULL," // realtime or log
                         " first_utc INTEGER, last_utc INTEGER," // ms since 1970 UTC
                         " utc_offset INTEGER NOT NULL, time_guessed INTEGER NOT NULL,"
                         " usb_serial TEXT, port TEXT,"
                         " client TEXT, address TEXT, site TEXT, room TEXT, operator TEXT, notes TEXT,"
                         " records INTEGER NOT NULL, kind_counts TEXT NOT NULL, kinds INTEGER NOT NULL,"
                         " max_b1 REAL, max_b1f REAL, max_b2 REAL, alarms INTEGER NOT NULL)"),
          QStringLiteral("CREATE INDEX files_room ON files(room COLLATE NOCASE)"),
          QStringLiteral("CREATE TABLE events ("
                         " file_id INTEGER NOT NULL REFERENCES files(id) ON DELETE CASCADE,"
                         " position INTEGER NOT NULL, instant INTEGER NOT NULL,"
                         " source TEXT NOT NULL," // log or alarm
                         " alarm INTEGER NOT NULL, signal INTEGER NOT NULL, band INTEGER NOT NULL,"
                         " level REAL NOT NULL, levels TEXT NOT NULL, frequency REAL NOT NULL,"
                         " PRIMARY KEY (file_id, position)) WITHOUT ROWID"),
          QStringLiteral("CREATE INDEX events_instant ON events(instant)"),
          QStringLiteral("CREATE TABLE minutes ("
                         " file_id INTEGER NOT NULL REFERENCES files(id) ON DELETE CASCADE,"
                         " minute INTEGER NOT NULL," // minutes since 1970 UTC
                         " max_b1 REAL NOT NULL, max_b1f REAL NOT NULL, max_b2 REAL NOT NULL,"
                         " kinds INTEGER NOT NULL,"
                         " PRIMARY KEY (file_id, minute)) WITHOUT ROWID")}},
        {2,
         {// A room's baselines: each time a file was made one, as its sidecar
          // tells; the latest of a room is its baseline, the rest its history.
          QStringLiteral("CREATE TABLE baselines ("
                         " file_id INTEGER NOT NULL REFERENCES files(id) ON DELETE CASCADE,"
                         " set_at INTEGER NOT NULL," // ms since 1970 UTC
                         " PRIMARY KEY (file_id, set_at)) WITHOUT ROWID"),
          // The last report number issued (also kept in a file beside the catalogue).
          QStringLiteral("CREATE TABLE counters (name TEXT PRIMARY KEY, value INTEGER NOT NULL)"),
          // Sidecars read before this version were not asked for baselines:
          // every file is read again at the next look.
          QStringLiteral("UPDATE files SET sidecar_mtime = -1")}},
    };
    return steps;
}

int CCatalogueSchema::Latest()
{
    return Steps().last().nTo;
}

int CCatalogueSchema::VersionOf(QSqlDatabase& db, QString* pError)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next()) {
        *pError = query.lastError().text();
        return -1;
    }
    return query.value(0).toInt();
}

bool CCatalogueSchema::MigrateTo(QSqlDatabase& db, int nTarget, QString* pError)
{
    const int nVersion = VersionOf(db, pError);
    if (nVersion < 0)
        return false;
    if (nVersion > Latest()) {
        *pError = QCoreApplication::translate("CCatalogue",
                                              "The catalogue was made by a later version of the program (schema %1).")
                      .arg(nVersion);
        return false;
    }
    for (const Step& step : Steps()) {
        if (step.nTo <= nVersion || step.nTo > nTarget)
            continue;
        QSqlQuery query(db);
        if (!query.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
            *pError = query.lastError().text();
            return false;
        }
        // Another program may have migrated meanwhile: the version is read again under the lock.
        QString strIgnored;
        if (VersionOf(db, &strIgnored) >= step.nTo) {
            query.exec(QStringLiteral("ROLLBACK"));
            continue;
        }
        for (const QString& strStatement : step.statements) {
            if (!query.exec(strStatement)) {
                *pError = query.lastError().text();
                QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
                return false;
            }
        }
        if (!query.exec(QStringLiteral("PRAGMA user_version = %1").arg(step.nTo))
            || !query.exec(QStringLiteral("COMMIT"))) {
            *pError = query.lastError().text();
            QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
            return false;
        }
    }
    return true;
}
