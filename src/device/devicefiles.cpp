#include "devicefiles.h"
#include "checkedsavefile.h"
#include "kv520datamodel.h"
#include "kv520protocol.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <cstring>
#include <vector>

using namespace KV520;

namespace {

QString Tr(const char* pText)
{
    return QCoreApplication::translate("CDeviceFiles", pText);
}

void SetError(QString* pError, const QString& strText)
{
    if (pError)
        *pError = strText;
}

QString TwoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

// Two digits per field, whatever the detector or a corrupt log says: a byte
// outside the calendar is taken to its nearest valid value rather than making
// a name that the storage tree cannot read back.
QString FileStem(const char* pPrefix, int nMonth, int nDay, int nHour, int nMinute)
{
    return QLatin1String(pPrefix) + TwoDigits(qBound(1, nMonth, 12)) + TwoDigits(qBound(1, nDay, 31))
         + QLatin1Char('_') + TwoDigits(qBound(0, nHour, 23)) + TwoDigits(qBound(0, nMinute, 59));
}

QByteArray VersionHeader(int32_t nVersion)
{
    QByteArray header(CDeviceFiles::kHeaderSize, '\0');
    qToBigEndian<qint32>(nVersion, header.data());
    return header;
}

bool CheckFolder(const QString& strFolder, QString* pError)
{
    if (strFolder.isEmpty()) {
        SetError(pError, Tr(QT_TRANSLATE_NOOP("CDeviceFiles", "No storage folder is selected.")));
        return false;
    }
    if (!QFileInfo(strFolder).isDir()) {
        SetError(pError, Tr(QT_TRANSLATE_NOOP("CDeviceFiles", "The folder %1 does not exist.")).arg(QDir::toNativeSeparators(strFolder)));
        return false;
    }
    return true;
}

// Writes header and records under a temporary name and renames the result over
// any earlier file of that name only when everything was written.
bool WriteDataFile(const QString& strPath, int32_t nVersion, const char* pData, qint64 nSize, QString* pError)
{
    CCheckedSaveFile file(strPath);
    if (!file.Open()) {
        SetError(pError, Tr(QT_TRANSLATE_NOOP("CDeviceFiles", "Could not create %1: %2")).arg(QDir::toNativeSeparators(strPath), file.ErrorString()));
        return false;
    }
    if (!file.Write(VersionHeader(nVersion)) || !file.Write(pData, nSize) || !file.Commit()) {
        SetError(pError, Tr(QT_TRANSLATE_NOOP("CDeviceFiles", "Could not write %1: %2")).arg(QDir::toNativeSeparators(strPath), file.ErrorString()));
        return false;
    }
    return true;
}

enum class NameState { Free, Same, Taken };

// What stands under the name: nothing, the very bytes to be written, or
// anything else (other bytes, a folder, a FIFO) that must stay untouched.
NameState StateOfName(const QString& strPath, const QByteArray& content)
{
    const QFileInfo info(strPath);
    if (!info.exists() && !info.isSymLink())
        return NameState::Free;
    // Only a regular file is read: opening a FIFO would wait for a writer.
    if (!info.isFile() || info.size() != content.size())
        return NameState::Taken;
    QFile file(strPath);
    if (!file.open(QIODevice::ReadOnly))
        return NameState::Taken;
    return file.readAll() == content ? NameState::Same : NameState::Taken;
}

// Beyond this many files of one minute something is wrong with the folder.
constexpr int kMaxSuffix = 999;

// The name the content goes under: the first of "stem.ext", "stem_2.ext", ...
// that is free or already holds these very bytes. Taken when none is.
NameState ChooseName(const QDir& folder, const QString& strStem, const QString& strExtension,
                     const QByteArray& content, QString& strName)
{
    NameState eState = NameState::Taken;
    for (int nSuffix = 1; nSuffix <= kMaxSuffix && eState == NameState::Taken; ++nSuffix) {
        strName = nSuffix == 1 ? strStem + strExtension : strStem + QStringLiteral("_%1").arg(nSuffix) + strExtension;
        eState = StateOfName(folder.filePath(strName), content);
    }
    return eState;
}

QString NoFreeName(const QString& strPath)
{
    return Tr(QT_TRANSLATE_NOOP("CDeviceFiles", "Could not create %1: no free file name"))
        .arg(QDir::toNativeSeparators(strPath));
}

} // namespace

QString CDeviceFiles::LogCutNotice(int nBlocksRead)
{
    return Tr(QT_TRANSLATE_NOOP("CDeviceFiles",
                                "The detector's log is longer than one download can hold: %1 blocks were read, the "
                                "rest of the log was not."))
        .arg(nBlocksRead);
}

QString CDeviceFiles::NoEventsNotice()
{
    return Tr(QT_TRANSLATE_NOOP("CDeviceFiles", "The log holds no events."));
}

QList<CDeviceFiles::LogFile> CDeviceFiles::ParseLog(const QByteArray& logBlocks)
{
    QList<LogFile> files;
    const auto* p = reinterpret_cast<const uint8_t*>(logBlocks.constData());
    const int nBlocks = int(qMin<qsizetype>(logBlocks.size() / kLogBlockSize, kLogBlockCount));
    if (nBlocks == 0)
        return files;

    LogFile current;
    bool bHeader = false;
    int nEntry = 0;
    int nSession = qFromLittleEndian<quint16>(p + kLogSession);
    int nFirstMonth = 0;
    int nLargestDay = 0;
    uint8_t nBandMask = 0; // an unknown channel code keeps the previous event's mask

    for (int n = 0; n < nBlocks; ++n) {
        const uint8_t* pBlock = p + size_t(n) * kLogBlockSize;
        // The log's last block carries no marker and is never parsed.
        if (pBlock[kLogBlockMarker] != kLogMarker)
            continue;
        const int nBlockSession = qFromLittleEndian<quint16>(pBlock + kLogSession);
        if (nBlockSession != nSession) {
            if (bHeader)
                files << current;
            current = LogFile();
            bHeader = false;
            nEntry = 0;
            nSession = nBlockSession;
        }
        for (int e = 0; e < kLogEntriesPerBlock; ++e) {
            const uint8_t* E = pBlock + e * kLogEntrySize;
            if (E[0] != kLogMarker)
                continue;
            const int nSeconds = E[28] * 3600 + E[29] * 60 + E[30];
            const int nDay = E[31] + 1;
            const int nMonth = E[32] + 1;
            // The day is 1-based here, unlike the 0-based day byte of live records.
            int32_t nTime = int32_t(nDay) * kTicksPerDay + nSeconds * kTicksPerSecond;
            if (!bHeader) {
                nFirstMonth = nMonth;
                nLargestDay = nDay;
            }
            if (nDay > nLargestDay)
                nLargestDay = nDay;
            if (nMonth != nFirstMonth)
                nTime += int32_t(nLargestDay) * kTicksPerDay;

            DeviceRawRecord rec;
            rec.Clear();
            rec.SetSequence(int16_t(nEntry + 1));
            std::memcpy(rec.BandBytes, E + 1, 3);
            rec.SetTime(nTime);
            rec.Day = uint8_t(nDay);
            rec.Month = uint8_t(nMonth);
            rec.StatusWord[0] = E[34];
            rec.StatusWord[1] = E[35];
            std::memcpy(rec.Levels, E + 4, 15);
            std::memcpy(rec.Levels + 16, E + 20, 4);
            rec.Levels[20] = E[24];
            if (E[36] <= 2)
                nBandMask = uint8_t(1u << E[36]);
            rec.BandMask = nBandMask;

            if (!bHeader) {
                current.strName = FileStem("log_", nMonth, nDay, E[28], E[29]) + QStringLiteral(".ldf");
                bHeader = true;
            }
            current.records.append(reinterpret_cast<const char*>(&rec), sizeof(rec));
            ++nEntry;
        }
    }
    if (bHeader)
        files << current;
    return files;
}

bool CDeviceFiles::SaveLogFile(const QByteArray& logBlocks, const QString& strFolder, QString* pError,
                               QStringList* pWritten)
{
    SetError(pError, QString());
    if (pWritten)
        pWritten->clear();
    if (!CheckFolder(strFolder, pError))
        return false;
    const QList<LogFile> files = ParseLog(logBlocks);
    if (files.isEmpty()) {
        SetError(pError, NoEventsNotice());
        return true;
    }
    const QDir folder(strFolder);
    for (const LogFile& file : files) {
        const QByteArray content = VersionHeader(kLogVersion) + file.records;
        QString strName;
        const NameState eState = ChooseName(folder, file.strName.chopped(4), QStringLiteral(".ldf"), content, strName);
        if (eState == NameState::Taken) {
            SetError(pError, NoFreeName(folder.filePath(file.strName)));
            return false;
        }
        if (eState == NameState::Free
            && !WriteDataFile(folder.filePath(strName), kLogVersion, file.records.constData(), file.records.size(),
                              pError))
            return false;
        if (pWritten && !pWritten->contains(strName))
            pWritten->append(strName);
    }
    return true;
}

bool CDeviceFiles::SaveRealtimeFile(const CKV520DataModel& model, const QString& strFolder, int nVersion,
                                    QString& strName, QString* pError)
{
    SetError(pError, QString());
    if (!CheckFolder(strFolder, pError))
        return false;
    // One snapshot of the ring: the worker may go on storing meanwhile, and
    // what arrives after this point belongs to the next save.
    const bool bWrapped = model.HasWrapped();
    const int nWrite = model.WriteIndex();
    const int nCount = bWrapped ? kHistorySize : nWrite;
    if (nCount <= 0) {
        SetError(pError, Tr(QT_TRANSLATE_NOOP("CDeviceFiles", "There is no data to save.")));
        return false;
    }
    std::vector<DeviceRawRecord> records(static_cast<size_t>(nCount));
    int nCopied = 0;
    if (bWrapped) {
        // Oldest first: from the write index to the end of the ring, then from its start.
        nCopied = model.CopyRecords(nWrite, kHistorySize - nWrite, records.data());
        nCopied += model.CopyRecords(0, nWrite, records.data() + nCopied);
    } else {
        nCopied = model.CopyRecords(0, nCount, records.data());
    }
    if (nCopied <= 0) {
        SetError(pError, Tr(QT_TRANSLATE_NOOP("CDeviceFiles", "There is no data to save.")));
        return false;
    }
    // As with log files, a stored file (the recorder's own file of the same
    // minute, an earlier save) is never replaced by other bytes.
    const QString strStem = RealtimeFileStem(records.front());
    const QByteArray content =
        VersionHeader(nVersion)
        + QByteArray::fromRawData(reinterpret_cast<const char*>(records.data()),
                                  qsizetype(nCopied) * qsizetype(sizeof(DeviceRawRecord)));
    const QDir folder(strFolder);
    QString strFile;
    const NameState eState = ChooseName(folder, strStem, QStringLiteral(".rdf"), content, strFile);
    if (eState == NameState::Taken) {
        SetError(pError, NoFreeName(folder.filePath(strStem + QStringLiteral(".rdf"))));
        return false;
    }
    strName = strFile.chopped(4); // without ".rdf"
    if (eState == NameState::Same)
        return true;
    return WriteDataFile(folder.filePath(strFile), nVersion, content.constData() + kHeaderSize,
                         content.size() - kHeaderSize, pError);
}

bool CDeviceFiles::LoadDataFile(const QString& strPath, QList<CDeviceRecord>& records, int& nVersion, QString* pError,
                                QString* pWarning)
{
    SetError(pError, QString());
    SetError(pWarning, QString());
    // Opening a FIFO waits for a writer that never comes, and a device may
    // never end: only regular files (or links to them) are read. The test
    // itself is a stat and cannot block.
    if (!QFileInfo(strPath).isFile()) {
        SetError(pError, Tr(QT_TRANSLATE_NOOP("CDeviceFiles", "%1 is not a regular file.")).arg(QDir::toNativeSeparators(strPath)));
        return false;
    }
    QFile file(strPath);
    if (!file.open(QIODevice::ReadOnly)) {
        SetError(pError, Tr(QT_TRANSLATE_NOOP("CDeviceFiles", "Could not open %1: %2")).arg(QDir::toNativeSeparators(strPath), file.errorString()));
        return false;
    }
    const qint64 nSize = file.size();
    if (nSize < kHeaderSize) {
        SetError(pError, Tr(QT_TRANSLATE_NOOP("CDeviceFiles", "The file is too short to be a data file.")));
        return false;
    }
    // Whole records only: a partial record at the end (an interrupted copy)
    // would otherwise be shown with made-up bytes.
    const qint64 nRecords = (nSize - kHeaderSize) / qint64(sizeof(DeviceRawRecord));
    if (nRecords > kMaxFileRecords) {
        SetError(pError, Tr(QT_TRANSLATE_NOOP("CDeviceFiles", "The file is too large to be a data file.")));
        return false;
    }
    const QByteArray header = file.read(kHeaderSize);
    if (header.size() != kHeaderSize) {
        SetError(pError, Tr(QT_TRANSLATE_NOOP("CDeviceFiles", "Could not read %1: %2")).arg(QDir::toNativeSeparators(strPath), file.errorString()));
        return false;
    }
    nVersion = qFromBigEndian<qint32>(header.constData());
    if (nVersion != kRealtimeVersion && nVersion != kLogVersion) {
        SetError(pError, Tr(QT_TRANSLATE_NOOP("CDeviceFiles", "The file has the unknown format version %1.")).arg(nVersion));
        return false;
    }
    records += RecordsFromRaw(file.read(nRecords * qint64(sizeof(DeviceRawRecord))), QDate::currentDate().year());
    const qint64 nTail = (nSize - kHeaderSize) % qint64(sizeof(DeviceRawRecord));
    if (nTail > 0)
        SetError(pWarning, Tr(QT_TRANSLATE_NOOP("CDeviceFiles", "%1: the last %2 bytes are not a whole record and were ignored."))
                               .arg(QDir::toNativeSeparators(strPath))
                               .arg(nTail));
    return true;
}

QList<CDeviceRecord> CDeviceFiles::RecordsFromRaw(const QByteArray& data, int nYear)
{
    const qsizetype nWhole = data.size() / qsizetype(sizeof(DeviceRawRecord));
    QList<CDeviceRecord> records;
    records.reserve(nWhole);
    DeviceRawRecord raw;
    for (qsizetype i = 0; i < nWhole; ++i) {
        std::memcpy(static_cast<void*>(&raw), data.constData() + i * qsizetype(sizeof(raw)), sizeof(raw));
        records.append(CDeviceRecord::FromRaw(raw, CDeviceRecord::Mode::File, nYear));
    }
    return records;
}

QString CDeviceFiles::RealtimeFileStem(const DeviceRawRecord& oldest)
{
    const int32_t t = oldest.GetTime();
    return FileStem("rt_", oldest.Month, oldest.Day, int((t / kTicksPerHour) % 24), int((t / kTicksPerMinute) % 60));
}

bool CDeviceFiles::BeginRealtimeFile(QFile& file, QString* pError)
{
    SetError(pError, QString());
    const QString strPath = file.fileName();
    // Unbuffered: each append reaches the system at once, so a crash of the
    // program loses nothing that was appended.
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)) {
        SetError(pError, Tr(QT_TRANSLATE_NOOP("CDeviceFiles", "Could not create %1: %2")).arg(QDir::toNativeSeparators(strPath), file.errorString()));
        return false;
    }
    const QByteArray header = VersionHeader(kRealtimeVersion);
    if (file.write(header) != header.size()) {
        SetError(pError, Tr(QT_TRANSLATE_NOOP("CDeviceFiles", "Could not write %1: %2")).arg(QDir::toNativeSeparators(strPath), file.errorString()));
        file.close();
        return false;
    }
    return true;
}

bool CDeviceFiles::AppendRealtimeRecords(QFile& file, const DeviceRawRecord* pRecords, int nCount, QString* pError)
{
    SetError(pError, QString());
    if (nCount <= 0)
        return true;
    const qint64 nSize = qint64(nCount) * qint64(sizeof(DeviceRawRecord));
    const char* pData = reinterpret_cast<const char*>(pRecords);
    // A short write is retried with the rest; the system tells why (no
    // space) only on a write that takes nothing.
    for (qint64 nDone = 0; nDone < nSize;) {
        const qint64 n = file.write(pData + nDone, nSize - nDone);
        if (n <= 0) {
            SetError(pError, Tr(QT_TRANSLATE_NOOP("CDeviceFiles", "Could not write %1: %2")).arg(QDir::toNativeSeparators(file.fileName()), file.errorString()));
            return false;
        }
        nDone += n;
    }
    return true;
}

QByteArray CDeviceFiles::FileHeader(int32_t nVersion)
{
    return VersionHeader(nVersion);
}

bool CDeviceFiles::ReadFirstRecord(const QString& strPath, DeviceRawRecord& first)
{
    first.Clear();
    QFile file(strPath);
    return QFileInfo(strPath).isFile() && file.open(QIODevice::ReadOnly) && file.seek(kHeaderSize)
        && file.read(reinterpret_cast<char*>(&first), sizeof(first)) == qint64(sizeof(first));
}
