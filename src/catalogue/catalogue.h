#pragma once

#include "capturetime.h"
#include "fileindexer.h"

#include <QCoreApplication>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <cstdint>
#include <limits>

// The catalogue of every sweep in a storage folder: one SQLite database,
// "catalogue.sqlite", with a row per data file, its log events and alarms,
// and per-minute summaries of recordings. The data files and their sidecars
// stay the truth: the catalogue is derived from them alone, so it can be
// rebuilt at any time and a rebuilt one answers as the one it replaces.
//
// WAL journalling and a busy timeout let several programs share one
// database; each writes a file's rows in one transaction. A database that
// fails its integrity check is replaced by a rebuild. One object per thread
// (a Qt SQL connection belongs to the thread that made it).
class QSqlQuery;

class CCatalogue
{
    Q_DECLARE_TR_FUNCTIONS(CCatalogue)

public:
    static constexpr int kBusyTimeoutMs = 10000;
    static QString FileName() { return QStringLiteral("catalogue.sqlite"); }
    // The last report number issued, beside the catalogue: numbers outlive it.
    static QString ReportNumberFileName() { return QStringLiteral("report-number.txt"); }
    static bool IsDataFileName(const QString& strName);

    struct Query
    {
        int64_t nFromMs = std::numeric_limits<int64_t>::min(); // inclusive, UTC
        int64_t nToMs = std::numeric_limits<int64_t>::max();   // exclusive, UTC
        QString strSite;  // the client or the whole site text
        QString strRoom;
        QList<int> kinds; // signal kind codes; empty: any
        double dMinLevel = -1.0;
        bool bAlarmsOnly = false;
    };

    struct EventRow
    {
        QString strPath; // relative to the storage folder
        bool bLog = false;
        QString strSite;
        QString strRoom;
        CCaptureTime capture;
        int64_t nPosition = 0;
        int64_t nInstantMs = 0;
        bool bAlarm = false;
        int nSignal = 0;
        int nBand = 0;
        double dLevel = 0.0;
        QString strLevels;
        double dFrequency = 0.0;
        bool operator==(const EventRow& other) const;
    };

    struct FileRow
    {
        QString strPath;
        QString strSha256;
        bool bLog = false;
        CCaptureTime capture;
        int64_t nFirstMs = 0;
        int64_t nLastMs = 0;
        QString strUsbSerial;
        QString strPort;
        CSweepContext context;
        int64_t nRecords = 0;
        QString strKindCounts;
        double maxLevels[CFileIndexer::kChannels] = {};
        int64_t nAlarms = 0;
        bool operator==(const FileRow& other) const;
    };

    struct BaselineRow
    {
        QString strPath;
        QString strSite;
        QString strRoom;
        int64_t nSetAtMs = 0; // UTC
        bool bCurrent = false; // the room's baseline now; else history
        CCaptureTime capture;
        int64_t nFirstMs = 0;
        int64_t nLastMs = 0;
    };

    explicit CCatalogue(const QString& strStorage);
    ~CCatalogue();
    CCatalogue(const CCatalogue&) = delete;
    CCatalogue& operator=(const CCatalogue&) = delete;

    QString Storage() const { return m_strStorage; }
    QString DatabasePath() const;

    // Opens the database, creating or migrating it. A missing database is
    // built from the folder; a corrupt one is set aside and rebuilt, and
    // Notice() says so. False only when no usable catalogue can be had.
    bool Open(QString* pError);
    bool IsOpen() const;
    void Close();
    QString Notice() const { return m_strNotice; }

    // Brings the catalogue in line with the folder: files added or changed
    // are indexed, files gone are dropped. Files that are not data files of
    // ours are left out, each with a line in Warnings().
    bool Sync(QString* pError);
    // Drops everything and indexes the whole folder again.
    bool Rebuild(QString* pError);
    // Indexes one file now (a recording just closed, a download just saved).
    bool IndexFile(const QString& strPath, QString* pError);
    QStringList Warnings() const { return m_Warnings; }

    QList<EventRow> FindEvents(const Query& query, QString* pError);
    QList<FileRow> FindFiles(const Query& query, QString* pError);
    // The values one context column holds ("client", "address", "site",
    // "room" or "operator"), each once whatever its case, sorted; empty for
    // any other column.
    QStringList DistinctValues(const QString& strColumn, QString* pError);
    // Rows written through this object since it opened: tells a look at the
    // folder that changed something from one that did not. -1 when unknown.
    int64_t ChangeCount();

    // Makes a session of a room that room's baseline. The choice is kept in
    // the file's sidecar (the truth a rebuild reads) and then in the
    // catalogue. Refused for a file without a room or outside the folder.
    // It always becomes the current one, even when the clock went back.
    bool SetBaseline(const QString& strPath, QString* pError,
                     const QDateTime& now = QDateTime::currentDateTimeUtc());
    // The room's baseline now; false when it has none (pError stays empty)
    // or the catalogue failed (with the reason). The site is the whole site
    // text or the client, as the searches take it.
    bool Baseline(const QString& strSite, const QString& strRoom, BaselineRow& row, QString* pError);
    // Every baseline the room had, newest first; with bAnySite, of the room
    // at every site, each site's newest marked current.
    QList<BaselineRow> BaselineHistory(const QString& strSite, const QString& strRoom, QString* pError,
                                       bool bAnySite = false);

    // A report number never issued before from this storage folder: one
    // more than the highest the catalogue or the number file beside it
    // knows, so a rebuilt or replaced catalogue never gives one again. Two
    // programs asking at once get two numbers (the write lock is held).
    // A number the user gives (nGiven > 0) is taken as it is, and no later
    // number is at or below it.
    bool NextReportNumber(int64_t& nNumber, QString* pError, int64_t nGiven = 0);

    // The sites or rooms the catalogue knows, each once, blanks left out, in
    // the order people read them: what a search offers to choose from.
    enum class Field { Site, Room };
    QStringList DistinctValues(Field eField, QString* pError)
    {
        return DistinctValues(eField == Field::Site ? QStringLiteral("site") : QStringLiteral("room"), pError);
    }

    // The path of a file relative to the storage folder, '/' separated;
    // empty when it lies outside.
    QString Relative(const QString& strPath) const;

private:
    bool OpenConnection(QString* pError);
    bool Check(QString* pError);
    bool Exec(const QString& strStatement, QString* pError);
    // Prepares, binds the values in order and runs a read; false with the reason.
    bool Select(QSqlQuery& query, const QString& strStatement, const QVariantList& values, QString* pError);
    bool IndexOne(const QString& strAbsolute, const QString& strRelative, QString* pError);
    QString Where(const Query& query, bool bEvents, QVariantList& values) const;
    bool IndexBaselines(qint64 nFile, const CSidecar& sidecar, QString* pError);

    QString m_strStorage;
    QString m_strConnection;
    QString m_strNotice;
    QStringList m_Warnings;
};
