#include "catalogue.h"

#include "catalogueschema.h"
#include "checkedsavefile.h"

#include <QAtomicInteger>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>

namespace {

QAtomicInteger<quint64> g_nConnections;

struct Stamp
{
    qint64 nSize = -1;
    qint64 nMtime = -1;
    qint64 nSidecarMtime = -1;
    bool operator==(const Stamp& other) const
    {
        return nSize == other.nSize && nMtime == other.nMtime && nSidecarMtime == other.nSidecarMtime;
    }
};

Stamp StampOf(const QFileInfo& info)
{
    Stamp stamp;
    stamp.nSize = info.size();
    stamp.nMtime = info.lastModified().toMSecsSinceEpoch();
    const QFileInfo sidecar(CSidecar::PathFor(info.filePath()));
    stamp.nSidecarMtime = sidecar.isFile() ? sidecar.lastModified().toMSecsSinceEpoch() : 0;
    return stamp;
}

QString KindCounts(const CFileIndexer::Result& result)
{
    QStringList counts;
    for (int64_t n : result.kindCounts)
        counts << QString::number(n);
    return counts.join(QLatin1Char(' '));
}

int KindMask(const CFileIndexer::Result& result)
{
    int nMask = 0;
    for (int k = 1; k < kSignalKindCount; ++k)
        if (result.kindCounts[size_t(k)] > 0)
            nMask |= 1 << k;
    return nMask;
}

} // namespace

bool CCatalogue::EventRow::operator==(const EventRow& o) const
{
    return strPath == o.strPath && bLog == o.bLog && strSite == o.strSite && strRoom == o.strRoom
        && capture.m_nYear == o.capture.m_nYear && capture.m_nUtcOffsetSecs == o.capture.m_nUtcOffsetSecs
        && nPosition == o.nPosition && nInstantMs == o.nInstantMs && bAlarm == o.bAlarm && nSignal == o.nSignal
        && nBand == o.nBand && dLevel == o.dLevel && strLevels == o.strLevels && dFrequency == o.dFrequency;
}

bool CCatalogue::FileRow::operator==(const FileRow& o) const
{
    return strPath == o.strPath && strSha256 == o.strSha256 && bLog == o.bLog
        && capture.m_nYear == o.capture.m_nYear && capture.m_nUtcOffsetSecs == o.capture.m_nUtcOffsetSecs
        && capture.m_bGuessed == o.capture.m_bGuessed && nFirstMs == o.nFirstMs && nLastMs == o.nLastMs
        && strUsbSerial == o.strUsbSerial && strPort == o.strPort && context == o.context && nRecords == o.nRecords
        && strKindCounts == o.strKindCounts && maxLevels[0] == o.maxLevels[0] && maxLevels[1] == o.maxLevels[1]
        && maxLevels[2] == o.maxLevels[2] && nAlarms == o.nAlarms;
}

bool CCatalogue::IsDataFileName(const QString& strName)
{
    // As the storage tree: the extension exactly, in lower case.
    return strName.endsWith(QLatin1String(".rdf")) || strName.endsWith(QLatin1String(".ldf"));
}

CCatalogue::CCatalogue(const QString& strStorage)
    : m_strStorage(QDir(strStorage).absolutePath())
    , m_strConnection(QStringLiteral("kv521catalogue-%1").arg(++g_nConnections))
{
}

CCatalogue::~CCatalogue()
{
    Close();
}

QString CCatalogue::DatabasePath() const
{
    return QDir(m_strStorage).filePath(FileName());
}

bool CCatalogue::IsOpen() const
{
    return QSqlDatabase::contains(m_strConnection) && QSqlDatabase::database(m_strConnection, false).isOpen();
}

void CCatalogue::Close()
{
    if (!QSqlDatabase::contains(m_strConnection))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_strConnection, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_strConnection);
}

bool CCatalogue::Exec(const QString& strStatement, QString* pError)
{
    QSqlQuery query(QSqlDatabase::database(m_strConnection, false));
    if (query.exec(strStatement))
        return true;
    *pError = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(DatabasePath()), query.lastError().text());
    return false;
}

bool CCatalogue::OpenConnection(QString* pError)
{
    Close();
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE"))) {
        *pError = tr("The SQLite driver of Qt is not installed.");
        return false;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_strConnection);
    db.setDatabaseName(DatabasePath());
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
    if (!db.open()) {
        *pError = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(DatabasePath()), db.lastError().text());
        return false;
    }
    // WAL: readers never wait for the writer, and a killed writer leaves the
    // last committed state. NORMAL syncs at checkpoints, which WAL keeps safe.
    return Exec(QStringLiteral("PRAGMA journal_mode = WAL"), pError)
        && Exec(QStringLiteral("PRAGMA synchronous = NORMAL"), pError)
        && Exec(QStringLiteral("PRAGMA foreign_keys = ON"), pError);
}

bool CCatalogue::Check(QString* pError)
{
    QSqlQuery query(QSqlDatabase::database(m_strConnection, false));
    if (!query.exec(QStringLiteral("PRAGMA integrity_check")) || !query.next()) {
        *pError = query.lastError().text();
        return false;
    }
    const QString strResult = query.value(0).toString();
    if (strResult != QLatin1String("ok")) {
        *pError = strResult;
        return false;
    }
    return true;
}

bool CCatalogue::Open(QString* pError)
{
    m_strNotice.clear();
    if (!QDir().mkpath(m_strStorage)) {
        *pError = tr("Could not create the folder %1.").arg(QDir::toNativeSeparators(m_strStorage));
        return false;
    }
    const bool bExisted = QFileInfo(DatabasePath()).isFile();
    QString strProblem;
    bool bOk = OpenConnection(&strProblem) && (!bExisted || Check(&strProblem));
    if (bOk) {
        int nVersion = 0;
        {
            QSqlDatabase db = QSqlDatabase::database(m_strConnection, false);
            bOk = CCatalogueSchema::MigrateTo(db, CCatalogueSchema::Latest(), &strProblem);
            QString strIgnored;
            nVersion = CCatalogueSchema::VersionOf(db, &strIgnored);
        }
        // A later program's catalogue is not ours to replace.
        if (!bOk && nVersion > CCatalogueSchema::Latest()) {
            *pError = strProblem;
            Close();
            return false;
        }
    }
    if (bOk) {
        if (!bExisted)
            return Sync(pError);
        return true;
    }
    // Damaged: it is only derived data, so it goes and is built anew.
    Close();
    for (const QString& strSuffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")})
        QFile::remove(DatabasePath() + strSuffix);
    m_strNotice = tr("The catalogue could not be read (%1); it has been rebuilt from the storage folder.").arg(strProblem);
    if (!OpenConnection(pError))
        return false;
    {
        QSqlDatabase db = QSqlDatabase::database(m_strConnection, false);
        if (!CCatalogueSchema::MigrateTo(db, CCatalogueSchema::Latest(), pError))
            return false;
    }
    return Sync(pError);
}

QString CCatalogue::Relative(const QString& strPath) const
{
    const QString strAbsolute = QFileInfo(strPath).absoluteFilePath();
    const QString strRelative = QDir(m_strStorage).relativeFilePath(strAbsolute);
    if (strRelative.startsWith(QLatin1String("../")) || strRelative == QLatin1String("..")
        || QDir::isAbsolutePath(strRelative))
        return QString();
    return strRelative;
}

bool CCatalogue::Sync(QString* pError)
{
    m_Warnings.clear();
    if (!IsOpen()) {
        *pError = tr("The catalogue is not open.");
        return false;
    }
    QHash<QString, Stamp> known;
    {
        QSqlQuery query(QSqlDatabase::database(m_strConnection, false));
        if (!query.exec(QStringLiteral("SELECT path, size, mtime, sidecar_mtime FROM files"))) {
            *pError = query.lastError().text();
            return false;
        }
        while (query.next())
            known.insert(query.value(0).toString(),
                         Stamp{query.value(1).toLongLong(), query.value(2).toLongLong(), query.value(3).toLongLong()});
    }
    QDirIterator it(m_strStorage, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    QStringList found;
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        if (!IsDataFileName(info.fileName()) || !info.isFile())
            continue;
        const QString strRelative = QDir(m_strStorage).relativeFilePath(info.absoluteFilePath());
        found << strRelative;
        const auto known_it = known.constFind(strRelative);
        if (known_it != known.constEnd() && *known_it == StampOf(info))
            continue;
        QString strError;
        if (!IndexOne(info.absoluteFilePath(), strRelative, &strError))
            m_Warnings << strError;
    }
    const QSet<QString> present(found.cbegin(), found.cend());
    for (auto k = known.cbegin(); k != known.cend(); ++k) {
        if (present.contains(k.key()))
            continue;
        QSqlQuery query(QSqlDatabase::database(m_strConnection, false));
        query.prepare(QStringLiteral("DELETE FROM files WHERE path = ?"));
        query.addBindValue(k.key());
        if (!query.exec()) {
            *pError = query.lastError().text();
            return false;
        }
    }
    return true;
}

bool CCatalogue::Rebuild(QString* pError)
{
    if (!IsOpen() && !Open(pError))
        return false;
    if (!Exec(QStringLiteral("DELETE FROM files"), pError))
        return false;
    return Sync(pError);
}

bool CCatalogue::IndexFile(const QString& strPath, QString* pError)
{
    const QString strRelative = Relative(strPath);
    if (strRelative.isEmpty()) {
        *pError = tr("%1 is not in the storage folder %2.")
                      .arg(QDir::toNativeSeparators(strPath), QDir::toNativeSeparators(m_strStorage));
        return false;
    }
    return IndexOne(QFileInfo(strPath).absoluteFilePath(), strRelative, pError);
}

bool CCatalogue::IndexOne(const QString& strAbsolute, const QString& strRelative, QString* pError)
{
    // Stamped before reading: a file that changes meanwhile is read again next time.
    const Stamp stamp = StampOf(QFileInfo(strAbsolute));
    CFileIndexer::Result result;
    QSqlDatabase db = QSqlDatabase::database(m_strConnection, false);
    if (!CFileIndexer::Index(strAbsolute, result, pError)) {
        QSqlQuery drop(db);
        drop.prepare(QStringLiteral("DELETE FROM files WHERE path = ?"));
        drop.addBindValue(strRelative);
        drop.exec();
        return false;
    }
    if (!result.strSidecarProblem.isEmpty())
        m_Warnings << result.strSidecarProblem;
    // IMMEDIATE: the write lock is taken (or waited for) up front, so two
    // programs never both hold a read lock that neither can upgrade.
    if (!Exec(QStringLiteral("BEGIN IMMEDIATE"), pError))
        return false;
    const auto fail = [&](const QSqlQuery& query) {
        *pError = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(DatabasePath()), query.lastError().text());
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        return false;
    };
    QSqlQuery query(db);
    query.prepare(QStringLiteral("DELETE FROM files WHERE path = ?"));
    query.addBindValue(strRelative);
    if (!query.exec())
        return fail(query);
    const CSidecar& sidecar = result.sidecar;
    query.prepare(QStringLiteral(
        "INSERT INTO files (path, size, mtime, sidecar_mtime, sha256, kind, first_utc, last_utc, utc_offset,"
        " time_guessed, usb_serial, port, client, address, site, room, operator, notes, records, kind_counts, kinds,"
        " max_b1, max_b1f, max_b2, alarms) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    const QVariantList values = {strRelative,
                                 stamp.nSize,
                                 stamp.nMtime,
                                 stamp.nSidecarMtime,
                                 result.strSha256,
                                 result.bLog ? QStringLiteral("log") : QStringLiteral("realtime"),
                                 result.nRecords > 0 ? QVariant(qint64(result.nFirstMs)) : QVariant(),
                                 result.nRecords > 0 ? QVariant(qint64(result.nLastMs)) : QVariant(),
                                 sidecar.m_Capture.m_nUtcOffsetSecs,
                                 result.bHasSidecar && !sidecar.m_Capture.m_bGuessed ? 0 : 1,
                                 sidecar.m_strUsbSerial,
                                 sidecar.m_strPort,
                                 sidecar.m_Context.m_strClient,
                                 sidecar.m_Context.m_strAddress,
                                 sidecar.m_Context.Site(),
                                 sidecar.m_Context.m_strRoom,
                                 sidecar.m_Context.m_strOperator,
                                 sidecar.m_Context.m_strNotes,
                                 qint64(result.nRecords),
                                 KindCounts(result),
                                 KindMask(result),
                                 result.maxLevels[0],
                                 result.maxLevels[1],
                                 result.maxLevels[2],
                                 qint64(result.nAlarms)};
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!query.exec())
        return fail(query);
    const qint64 nFile = query.lastInsertId().toLongLong();

    if (!IndexBaselines(nFile, sidecar, pError)) {
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        return false;
    }

    QSqlQuery events(db);
    events.prepare(QStringLiteral("INSERT INTO events (file_id, position, instant, source, alarm, signal, band, level,"
                                  " levels, frequency) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    for (const CFileIndexer::Event& event : result.events) {
        events.bindValue(0, nFile);
        events.bindValue(1, qint64(event.nPosition));
        events.bindValue(2, qint64(event.nInstantMs));
        events.bindValue(3, result.bLog ? QStringLiteral("log") : QStringLiteral("alarm"));
        events.bindValue(4, event.bAlarm ? 1 : 0);
        events.bindValue(5, event.nSignal);
        events.bindValue(6, event.nBand);
        events.bindValue(7, event.dLevel);
        events.bindValue(8, event.strLevels);
        events.bindValue(9, event.dFrequency);
        if (!events.exec())
            return fail(events);
    }
    QSqlQuery minutes(db);
    minutes.prepare(QStringLiteral(
        "INSERT INTO minutes (file_id, minute, max_b1, max_b1f, max_b2, kinds) VALUES (?, ?, ?, ?, ?, ?)"));
    for (const CFileIndexer::Minute& minute : result.minutes) {
        minutes.bindValue(0, nFile);
        minutes.bindValue(1, qint64(minute.nMinute));
        minutes.bindValue(2, minute.maxLevels[0]);
        minutes.bindValue(3, minute.maxLevels[1]);
        minutes.bindValue(4, minute.maxLevels[2]);
        minutes.bindValue(5, minute.nKinds);
        if (!minutes.exec())
            return fail(minutes);
    }
    QSqlQuery commit(db);
    if (!commit.exec(QStringLiteral("COMMIT")))
        return fail(commit);
    return true;
}

QString CCatalogue::Where(const Query& query, bool bEvents, QVariantList& values) const
{
    QStringList conditions;
    if (bEvents) {
        conditions << QStringLiteral("e.instant >= ?") << QStringLiteral("e.instant < ?");
    } else {
        conditions << QStringLiteral("f.last_utc >= ?") << QStringLiteral("f.first_utc < ?");
    }
    values << qint64(query.nFromMs) << qint64(query.nToMs);
    if (!query.strRoom.isEmpty()) {
        conditions << QStringLiteral("f.room = ? COLLATE NOCASE");
        values << query.strRoom;
    }
    if (!query.strSite.isEmpty()) {
        conditions << QStringLiteral("(f.site = ? COLLATE NOCASE OR f.client = ? COLLATE NOCASE)");
        values << query.strSite << query.strSite;
    }
    if (!query.kinds.isEmpty()) {
        if (bEvents) {
            QStringList marks;
            for (int nKind : query.kinds) {
                marks << QStringLiteral("?");
                values << nKind;
            }
            conditions << QStringLiteral("e.signal IN (%1)").arg(marks.join(QLatin1Char(',')));
        } else {
            int nMask = 0;
            for (int nKind : query.kinds)
                nMask |= 1 << nKind;
            conditions << QStringLiteral("(f.kinds & ?) != 0");
            values << nMask;
        }
    }
    if (query.dMinLevel >= 0.0) {
        conditions << (bEvents ? QStringLiteral("e.level >= ?") : QStringLiteral("MAX(f.max_b1, f.max_b1f, f.max_b2) >= ?"));
        values << query.dMinLevel;
    }
    if (query.bAlarmsOnly)
        conditions << (bEvents ? QStringLiteral("e.alarm = 1") : QStringLiteral("f.alarms > 0"));
    return conditions.join(QStringLiteral(" AND "));
}

bool CCatalogue::Select(QSqlQuery& query, const QString& strStatement, const QVariantList& values, QString* pError)
{
    query.setForwardOnly(true);
    query.prepare(strStatement);
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (query.exec())
        return true;
    *pError = query.lastError().text();
    return false;
}

QList<CCatalogue::EventRow> CCatalogue::FindEvents(const Query& q, QString* pError)
{
    QList<EventRow> rows;
    QVariantList values;
    const QString strWhere = Where(q, true, values);
    QSqlQuery query(QSqlDatabase::database(m_strConnection, false));
    if (!Select(query,
                QStringLiteral("SELECT f.path, f.kind, f.site, f.room, f.utc_offset, f.time_guessed, e.position,"
                               " e.instant, e.alarm, e.signal, e.band, e.level, e.levels, e.frequency, f.first_utc"
                               " FROM events e JOIN files f ON f.id = e.file_id WHERE %1"
                               " ORDER BY e.instant, f.path, e.position")
                    .arg(strWhere),
                values, pError))
        return rows;
    while (query.next()) {
        EventRow row;
        row.strPath = query.value(0).toString();
        row.bLog = query.value(1).toString() == QLatin1String("log");
        row.strSite = query.value(2).toString();
        row.strRoom = query.value(3).toString();
        row.capture.m_nUtcOffsetSecs = query.value(4).toInt();
        row.capture.m_bGuessed = query.value(5).toInt() != 0;
        row.capture.m_bKnown = !row.capture.m_bGuessed;
        row.nPosition = query.value(6).toLongLong();
        row.nInstantMs = query.value(7).toLongLong();
        row.bAlarm = query.value(8).toInt() != 0;
        row.nSignal = query.value(9).toInt();
        row.nBand = query.value(10).toInt();
        row.dLevel = query.value(11).toDouble();
        row.strLevels = query.value(12).toString();
        row.dFrequency = query.value(13).toDouble();
        row.capture.m_nYear = QDateTime::fromMSecsSinceEpoch(query.value(14).toLongLong(), Qt::OffsetFromUTC,
                                                             row.capture.m_nUtcOffsetSecs)
                                  .date()
                                  .year();
        rows << row;
    }
    return rows;
}

QList<CCatalogue::FileRow> CCatalogue::FindFiles(const Query& q, QString* pError)
{
    QList<FileRow> rows;
    QVariantList values;
    const QString strWhere = Where(q, false, values);
    QSqlQuery query(QSqlDatabase::database(m_strConnection, false));
    if (!Select(query,
                QStringLiteral("SELECT path, sha256, kind, utc_offset, time_guessed, first_utc, last_utc, usb_serial,"
                               " port, client, address, room, operator, notes, records, kind_counts, max_b1, max_b1f,"
                               " max_b2, alarms FROM files f WHERE %1 ORDER BY first_utc, path")
                    .arg(strWhere),
                values, pError))
        return rows;
    while (query.next()) {
        FileRow row;
        row.strPath = query.value(0).toString();
        row.strSha256 = query.value(1).toString();
        row.bLog = query.value(2).toString() == QLatin1String("log");
        row.capture.m_nUtcOffsetSecs = query.value(3).toInt();
        row.capture.m_bGuessed = query.value(4).toInt() != 0;
        row.capture.m_bKnown = !row.capture.m_bGuessed;
        row.nFirstMs = query.value(5).toLongLong();
        row.nLastMs = query.value(6).toLongLong();
        row.capture.m_nYear =
            QDateTime::fromMSecsSinceEpoch(row.nFirstMs, Qt::OffsetFromUTC, row.capture.m_nUtcOffsetSecs).date().year();
        row.strUsbSerial = query.value(7).toString();
        row.strPort = query.value(8).toString();
        row.context.m_strClient = query.value(9).toString();
        row.context.m_strAddress = query.value(10).toString();
        row.context.m_strRoom = query.value(11).toString();
        row.context.m_strOperator = query.value(12).toString();
        row.context.m_strNotes = query.value(13).toString();
        row.nRecords = query.value(14).toLongLong();
        row.strKindCounts = query.value(15).toString();
        for (int c = 0; c < CFileIndexer::kChannels; ++c)
            row.maxLevels[c] = query.value(16 + c).toDouble();
        row.nAlarms = query.value(19).toLongLong();
        rows << row;
    }
    return rows;
}

QStringList CCatalogue::DistinctValues(const QString& strColumn, QString* pError)
{
    QStringList values;
    // Named into the statement, so only the context columns are let through.
    static const QStringList columns = {QStringLiteral("client"), QStringLiteral("address"), QStringLiteral("site"),
                                        QStringLiteral("room"), QStringLiteral("operator")};
    if (!columns.contains(strColumn))
        return values;
    QSqlQuery query(QSqlDatabase::database(m_strConnection, false));
    if (!Select(query,
                // Searches ignore case, so "Boardroom" and "boardroom" are one choice.
                QStringLiteral("SELECT MIN(%1) FROM files WHERE %1 <> '' GROUP BY %1 COLLATE NOCASE"
                               " ORDER BY MIN(%1) COLLATE NOCASE")
                    .arg(strColumn),
                {}, pError))
        return values;
    while (query.next())
        values << query.value(0).toString();
    return values;
}

int64_t CCatalogue::ChangeCount()
{
    QSqlQuery query(QSqlDatabase::database(m_strConnection, false));
    if (!query.exec(QStringLiteral("SELECT total_changes()")) || !query.next())
        return -1;
    return query.value(0).toLongLong();
}

bool CCatalogue::IndexBaselines(qint64 nFile, const CSidecar& sidecar, QString* pError)
{
    QSqlQuery query(QSqlDatabase::database(m_strConnection, false));
    query.prepare(QStringLiteral("INSERT OR IGNORE INTO baselines (file_id, set_at) VALUES (?, ?)"));
    for (int64_t nSetAt : sidecar.m_BaselineSetAtMs) {
        query.bindValue(0, nFile);
        query.bindValue(1, qint64(nSetAt));
        if (!query.exec()) {
            *pError = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(DatabasePath()), query.lastError().text());
            return false;
        }
    }
    return true;
}

bool CCatalogue::SetBaseline(const QString& strPath, QString* pError, const QDateTime& now)
{
    if (Relative(strPath).isEmpty()) {
        *pError = tr("%1 is not in the storage folder %2.")
                      .arg(QDir::toNativeSeparators(strPath), QDir::toNativeSeparators(m_strStorage));
        return false;
    }
    CSidecar sidecar;
    if (!CSidecar::Read(strPath, sidecar) || sidecar.m_Context.m_strRoom.isEmpty()) {
        *pError = tr("%1 was not recorded in a room, so it cannot be a room's baseline.")
                      .arg(QDir::toNativeSeparators(strPath));
        return false;
    }
    int64_t nSetAt = now.toMSecsSinceEpoch();
    BaselineRow current;
    QString strError;
    if (Baseline(sidecar.m_Context.Site(), sidecar.m_Context.m_strRoom, current, &strError))
        nSetAt = std::max(nSetAt, current.nSetAtMs + 1);
    else if (!strError.isEmpty()) {
        *pError = strError;
        return false;
    }
    return CSidecar::AddBaseline(strPath, nSetAt, pError) && IndexFile(strPath, pError);
}

bool CCatalogue::Baseline(const QString& strSite, const QString& strRoom, BaselineRow& row, QString* pError)
{
    QString strError;
    const QList<BaselineRow> rows = BaselineHistory(strSite, strRoom, &strError);
    if (!strError.isEmpty()) {
        *pError = strError;
        return false;
    }
    if (rows.isEmpty())
        return false;
    row = rows.first();
    return true;
}

QList<CCatalogue::BaselineRow> CCatalogue::BaselineHistory(const QString& strSite, const QString& strRoom,
                                                           QString* pError, bool bAnySite)
{
    QList<BaselineRow> rows;
    QVariantList values{strRoom};
    QString strWhere = QStringLiteral("f.room = ? COLLATE NOCASE");
    if (!bAnySite) {
        strWhere += QStringLiteral(" AND (f.site = ? COLLATE NOCASE OR f.client = ? COLLATE NOCASE)");
        values << strSite << strSite;
    }
    QSqlQuery query(QSqlDatabase::database(m_strConnection, false));
    if (!Select(query,
                QStringLiteral("SELECT f.path, f.site, f.room, b.set_at, f.utc_offset, f.time_guessed, f.first_utc,"
                               " f.last_utc FROM baselines b JOIN files f ON f.id = b.file_id WHERE %1"
                               " ORDER BY b.set_at DESC, f.path")
                    .arg(strWhere),
                values, pError))
        return rows;
    QSet<QString> seen;
    while (query.next()) {
        BaselineRow row;
        row.strPath = query.value(0).toString();
        row.strSite = query.value(1).toString();
        row.strRoom = query.value(2).toString();
        row.nSetAtMs = query.value(3).toLongLong();
        row.capture.m_nUtcOffsetSecs = query.value(4).toInt();
        row.capture.m_bGuessed = query.value(5).toInt() != 0;
        row.capture.m_bKnown = !row.capture.m_bGuessed;
        row.nFirstMs = query.value(6).toLongLong();
        row.nLastMs = query.value(7).toLongLong();
        row.capture.m_nYear =
            QDateTime::fromMSecsSinceEpoch(row.nFirstMs, Qt::OffsetFromUTC, row.capture.m_nUtcOffsetSecs).date().year();
        // Newest first: the first row of each site and room is its baseline.
        const QString strKey = row.strSite.toCaseFolded() + QLatin1Char('\n') + row.strRoom.toCaseFolded();
        row.bCurrent = !seen.contains(strKey);
        seen.insert(strKey);
        rows << row;
    }
    return rows;
}

bool CCatalogue::NextReportNumber(int64_t& nNumber, QString* pError, int64_t nGiven)
{
    if (!IsOpen()) {
        *pError = tr("The catalogue is not open.");
        return false;
    }
    QSqlDatabase db = QSqlDatabase::database(m_strConnection, false);
    if (!Exec(QStringLiteral("BEGIN IMMEDIATE"), pError))
        return false;
    const auto fail = [&](const QString& strError) {
        *pError = strError;
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        return false;
    };
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT value FROM counters WHERE name = 'report'")))
        return fail(query.lastError().text());
    int64_t nLast = query.next() ? query.value(0).toLongLong() : 0;
    query.finish();

    // Read under the write lock, so two programs never read the same.
    const QString strFile = QDir(m_strStorage).filePath(ReportNumberFileName());
    const QFileInfo info(strFile);
    if (info.exists()) {
        QFile file(strFile);
        constexpr qint64 kMaxText = 32;
        bool bOk = info.isFile() && info.size() <= kMaxText && file.open(QIODevice::ReadOnly);
        const qint64 nStored = bOk ? file.read(kMaxText).trimmed().toLongLong(&bOk) : 0;
        // A number that cannot be read could be any: no number is given
        // rather than one that may have been given already.
        if (!bOk || nStored < 0)
            return fail(tr("%1 does not hold the last report number; put the last number issued into it.")
                            .arg(QDir::toNativeSeparators(strFile)));
        nLast = std::max<int64_t>(nLast, nStored);
    }
    if (nGiven <= 0 && nLast >= std::numeric_limits<int64_t>::max() - 1)
        return fail(tr("No report numbers are left."));
    const int64_t nNext = nGiven > 0 ? nGiven : nLast + 1;
    const int64_t nHighest = std::max(nLast, nNext);
    QString strWriteError;
    if (!CCheckedSaveFile::WriteWhole(strFile, QByteArray::number(qint64(nHighest)) + '\n', &strWriteError))
        return fail(strWriteError);
    query.prepare(QStringLiteral("INSERT OR REPLACE INTO counters (name, value) VALUES ('report', ?)"));
    query.addBindValue(qint64(nHighest));
    if (!query.exec())
        return fail(query.lastError().text());
    if (!query.exec(QStringLiteral("COMMIT")))
        return fail(query.lastError().text());
    nNumber = nNext;
    return true;
}
