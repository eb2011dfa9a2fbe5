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

    // The sites or rooms the catalogue knows, each once, blanks left out, in
    // the order people read them: what a search offers to choose from.
    enum class Field { Site, Room };
    QStringList DistinctValues(Field eField, QString* pError);

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

    QString m_strStorage;
    QString m_strConnection;
    QString m_strNotice;
    QStringList m_Warnings;
};
