#pragma once

#include "devicerecord.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>

class CKV520DataModel;
class QFile;

// The device's files: log files cut from a downloaded flash log, realtime
// files written from the history, and reading either back. Each failure gives
// a reason in *pError for the user.
//
// Both kinds are a big-endian int32 version followed by raw 76-byte records.
// Every file is written to a temporary file first and renamed into place, so
// an interrupted save never leaves a half-written file under a real name.
class CDeviceFiles
{
public:
    static constexpr int32_t kRealtimeVersion = 0;
    static constexpr int32_t kLogVersion = 2;
    static constexpr int kHeaderSize = 4;
    // Far more than the history ring or a full flash log can produce; a larger
    // file is not one of ours and is refused before anything is allocated.
    static constexpr qint64 kMaxFileRecords = 1000000;

    // Splits the blocks into sessions and writes one log file per session.
    // A log without any event writes nothing and still succeeds, with a
    // notice in *pError ("The log holds no events.") for the user.
    // A stored file is never replaced by different bytes: a session whose
    // name is taken gets the next free "_2", "_3", ... name, and one whose
    // bytes are already stored under its name or such a name is not written.
    // pWritten, when given, receives the names of the sessions' files.
    static bool SaveLogFile(const QByteArray& logBlocks, const QString& strFolder, QString* pError,
                            QStringList* pWritten = nullptr);
    // Writes every stored record, oldest first; strName gets the file name
    // without folder and extension. Stored files are kept as SaveLogFile
    // keeps them: the same bytes are not written again, other bytes take the
    // next free "_2", "_3", ... name.
    static bool SaveRealtimeFile(const CKV520DataModel& model, const QString& strFolder, int nVersion,
                                 QString& strName, QString* pError);
    // Appends the records of the file, converted in file mode. Files with a
    // version other than 0 or 2, shorter than the header or of absurd size are
    // refused with a reason. A cut-off last record (an interrupted copy) is
    // left out, and *pWarning, when given, says how many bytes were ignored;
    // it is emptied otherwise.
    static bool LoadDataFile(const QString& strPath, QList<CDeviceRecord>& records, int& nVersion, QString* pError,
                             QString* pWarning = nullptr);

    // The records of a log file cut from the blocks, one list per file, in the
    // order the files are written; names as SaveLogFile gives them.
    struct LogFile
    {
        QString strName;
        QByteArray records; // 76 bytes per event
    };
    static QList<LogFile> ParseLog(const QByteArray& logBlocks);
    // The records in raw 76-byte form, as a data file or a parsed log holds
    // them; a cut-off rest is left out.
    static QList<CDeviceRecord> RecordsFromRaw(const QByteArray& raw, int nYear = 0);

    static QString NoEventsNotice();
    // A download that stopped at the buffer's end while the log went on.
    static QString LogCutNotice(int nBlocksRead);

    // A realtime file written as the records arrive (a recording): the name
    // Save Data would give it, then the header, then records appended in
    // order, so a finished recording holds what Save Data writes for the same
    // records. The file is created new and never replaces an existing one.
    static QString RealtimeFileStem(const DeviceRawRecord& oldest);
    static bool BeginRealtimeFile(QFile& file, QString* pError);
    static bool AppendRealtimeRecords(QFile& file, const DeviceRawRecord* pRecords, int nCount, QString* pError);

    // The version header that starts a file, for writers that stream records.
    static QByteArray FileHeader(int32_t nVersion);

    // The first record of a realtime or log file, whose day and month date
    // the whole file. False for anything but a regular file holding one; a
    // FIFO under the name is never opened.
    static bool ReadFirstRecord(const QString& strPath, DeviceRawRecord& first);
};
