// Log files cut from prepared flash logs, realtime files from the history,
// and reading both back, on a temporary folder.
#include "checkedsavefile.h"
#include "devicefiles.h"
#include "kv520datamodel.h"
#include "kv520protocol.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include "../../tinyfilesystem.h"

#include <cstring>
#include <vector>

using namespace KV520;

namespace {

// One 64-byte log entry as the detector writes it.
QByteArray Event(int nMonth, int nDay, int nHour, int nMinute, int nSecond, int nChannel, int nValue = 7)
{
    QByteArray e(kLogEntrySize, '\0');
    auto* p = reinterpret_cast<uint8_t*>(e.data());
    p[0] = kLogMarker;
    p[1] = 0x11;
    p[2] = 0x22;
    p[3] = 0x33;
    for (int i = 0; i < 15; ++i)
        p[4 + i] = uint8_t(40 + i); // levels, kinds, thresholds
    p[19] = 0xEE;                   // not read
    qToLittleEndian<quint32>(2412u, p + 20);
    p[24] = 1;
    p[28] = uint8_t(nHour);
    p[29] = uint8_t(nMinute);
    p[30] = uint8_t(nSecond);
    p[31] = uint8_t(nDay - 1);
    p[32] = uint8_t(nMonth - 1);
    qToLittleEndian<quint16>(quint16(nValue), p + 34);
    p[36] = uint8_t(nChannel);
    p[40] = 0xEE; // not read
    return e;
}

QByteArray Block(const QList<QByteArray>& entries, int nSession, bool bLast = false)
{
    QByteArray b(kLogBlockSize, '\0');
    for (int i = 0; i < entries.size(); ++i)
        std::memcpy(b.data() + i * kLogEntrySize, entries[i].constData(), kLogEntrySize);
    auto* p = reinterpret_cast<uint8_t*>(b.data());
    p[kLogBlockMarker] = bLast ? 0 : kLogMarker;
    qToLittleEndian<quint16>(quint16(nSession), p + kLogSession);
    p[kLogBlockChecksum] = Checksum(p, kLogBlockChecksummed);
    return b;
}

// A full log buffer: the given blocks, then zero blocks as after a short download.
QByteArray Log(const QList<QByteArray>& blocks)
{
    QByteArray all = blocks.join();
    all.append(QByteArray(kLogBlockSize * kLogBlockCount - all.size(), '\0'));
    return all;
}

QList<DeviceRawRecord> RecordsOf(const QString& strPath, int* pVersion = nullptr)
{
    QFile f(strPath);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray data = f.readAll();
    if (pVersion)
        *pVersion = qFromBigEndian<qint32>(data.constData());
    QList<DeviceRawRecord> out;
    for (qsizetype i = 4; i + 76 <= data.size(); i += 76) {
        DeviceRawRecord r;
        std::memcpy(static_cast<void*>(&r), data.constData() + i, 76);
        out << r;
    }
    return out;
}

std::vector<uint8_t> Frame(uint8_t nDayByte, uint8_t nMonthByte, uint8_t nMarker)
{
    std::vector<uint8_t> f(kFrameSize, 0);
    f[kDay] = nDayByte;
    f[kMonth] = nMonthByte;
    f[kBandMask] = 0x01;
    f[kLevelBlock] = nMarker;
    return f;
}

QStringList Entries(const QString& strFolder)
{
    QStringList names = QDir(strFolder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    names.sort();
    return names;
}

} // namespace

class TestDeviceFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sessionsBecomeFilesNumberedFromOne()
    {
        QTemporaryDir dir;
        const QByteArray log = Log({
            Block({Event(3, 15, 14, 2, 0, 0), Event(3, 15, 14, 3, 0, 1), QByteArray(kLogEntrySize, '\0'),
                   Event(3, 15, 14, 4, 0, 2)},
                  1),
            Block({Event(3, 15, 14, 5, 0, 0), Event(3, 15, 14, 6, 0, 0)}, 1),
            Block({Event(4, 2, 8, 30, 5, 2), Event(4, 2, 8, 31, 0, 2), Event(4, 2, 8, 32, 0, 2)}, 2),
            Block({Event(4, 2, 9, 0, 0, 0)}, 2, true), // the last block: never parsed
        });
        QString strError;
        QStringList written;
        QVERIFY(CDeviceFiles::SaveLogFile(log, dir.path(), &strError, &written));
        QVERIFY(strError.isEmpty());
        QCOMPARE(written, QStringList({"log_0315_1402.ldf", "log_0402_0830.ldf"}));
        // Nothing else is left behind: no temporary file, no "error".
        QCOMPARE(Entries(dir.path()), QStringList({"log_0315_1402.ldf", "log_0402_0830.ldf"}));

        int nVersion = -1;
        const QList<DeviceRawRecord> a = RecordsOf(dir.filePath("log_0315_1402.ldf"), &nVersion);
        QCOMPARE(nVersion, 2);
        QCOMPARE(a.size(), 5);
        for (int i = 0; i < a.size(); ++i)
            QCOMPARE(int(a[i].GetSequence()), i + 1);
        const QList<DeviceRawRecord> b = RecordsOf(dir.filePath("log_0402_0830.ldf"));
        QCOMPARE(b.size(), 3);
        QCOMPARE(int(b[0].GetSequence()), 1);
        QCOMPARE(int(b[2].GetSequence()), 3);

        // Byte for byte: 232 bytes, big-endian version, the entry's fields in place.
        QFile f(dir.filePath("log_0402_0830.ldf"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray data = f.readAll();
        QCOMPARE(data.size(), 232);
        QCOMPARE(data.left(4), QByteArray::fromHex("00000002"));
        QByteArray expected(76, '\0');
        auto* e = reinterpret_cast<uint8_t*>(expected.data());
        e[0] = 1;
        e[2] = 0x11, e[3] = 0x22, e[4] = 0x33;
        qToLittleEndian<qint32>(2 * kTicksPerDay + (8 * 3600 + 30 * 60 + 5) * 4, e + 8);
        e[12] = 2;
        e[13] = 4;
        e[14] = 7;
        for (int i = 0; i < 15; ++i)
            e[16 + i] = uint8_t(40 + i);
        qToLittleEndian<quint32>(2412u, e + 32);
        e[36] = 1;
        e[72] = 0x04;
        QCOMPARE(data.mid(4, 76).toHex(), expected.toHex());
    }

    void sessionSeenAgainStartsNewFileAndSameMinuteGetsFreeName()
    {
        QTemporaryDir dir;
        const QByteArray log = Log({
            Block({Event(5, 1, 10, 0, 0, 0), Event(5, 1, 10, 0, 30, 0)}, 7),
            Block({Event(5, 1, 11, 0, 0, 0)}, 8),
            Block({Event(5, 1, 12, 0, 0, 0)}, 7), // session 7 again: a new file
            Block({Event(5, 1, 11, 0, 40, 0), Event(5, 1, 11, 1, 0, 0), Event(5, 1, 11, 2, 0, 0)}, 9),
            Block({}, 10), // a session without events leaves the earlier files alone
        });
        QStringList written;
        QVERIFY(CDeviceFiles::SaveLogFile(log, dir.path(), nullptr, &written));
        const QStringList expected({"log_0501_1000.ldf", "log_0501_1100.ldf", "log_0501_1200.ldf",
                                    "log_0501_1100_2.ldf"});
        QCOMPARE(written, expected);
        QCOMPARE(RecordsOf(dir.filePath("log_0501_1000.ldf")).size(), 2);
        QCOMPARE(RecordsOf(dir.filePath("log_0501_1100.ldf")).size(), 1);
        // Session 9 starts in the same minute as session 8 and must not replace it.
        const QList<DeviceRawRecord> second = RecordsOf(dir.filePath("log_0501_1100_2.ldf"));
        QCOMPARE(second.size(), 3);
        QCOMPARE(second[0].GetTime(), 1 * kTicksPerDay + (11 * 3600 + 40) * 4);

        // The same log again finds its bytes in place: no new names, nothing rewritten.
        const QDateTime old(QDate(2001, 1, 1), QTime(0, 0));
        for (const QString& strName : expected) {
            QFile f(dir.filePath(strName));
            QVERIFY(f.open(QIODevice::ReadWrite) && f.setFileTime(old, QFileDevice::FileModificationTime));
        }
        written.clear();
        QVERIFY(CDeviceFiles::SaveLogFile(log, dir.path(), nullptr, &written));
        QCOMPARE(written, expected);
        for (const QString& strName : expected)
            QCOMPARE(QFileInfo(dir.filePath(strName)).lastModified(), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 4);

        // A user's own file under the name stays as it is.
        QTemporaryDir other;
        QFile mine(QDir(other.path()).filePath("log_0501_1000.ldf"));
        QVERIFY(mine.open(QIODevice::WriteOnly));
        mine.write("mine");
        mine.close();
        QVERIFY(CDeviceFiles::SaveLogFile(log, other.path(), nullptr, &written));
        QCOMPARE(written.first(), QString("log_0501_1000_2.ldf"));
        QVERIFY(mine.open(QIODevice::ReadOnly));
        QCOMPARE(mine.readAll(), QByteArray("mine"));
    }

    void timesAcrossYearEndAndMonthChange()
    {
        const QList<CDeviceFiles::LogFile> files = CDeviceFiles::ParseLog(Log({
            Block({Event(12, 31, 23, 59, 59, 0)}, 1),
            Block({Event(1, 31, 22, 0, 0, 0), Event(2, 1, 0, 0, 1, 0), Event(2, 3, 0, 0, 0, 0)}, 2),
        }));
        QCOMPARE(files.size(), 2);
        DeviceRawRecord r;
        std::memcpy(static_cast<void*>(&r), files[0].records.constData(), 76);
        QCOMPARE(r.GetTime(), 31 * kTicksPerDay + (23 * 3600 + 59 * 60 + 59) * 4); // the 1-based day
        QCOMPARE(files[0].strName, QString("log_1231_2359.ldf"));
        // Into February: times go on from the largest day of January.
        QCOMPARE(files[1].records.size(), 3 * 76);
        std::memcpy(static_cast<void*>(&r), files[1].records.constData() + 76, 76);
        QCOMPARE(r.GetTime(), 1 * kTicksPerDay + 1 * 4 + 31 * kTicksPerDay);
        QCOMPARE(int(r.Month), 2);
        std::memcpy(static_cast<void*>(&r), files[1].records.constData() + 152, 76);
        QCOMPARE(r.GetTime(), 3 * kTicksPerDay + 31 * kTicksPerDay);
    }

    void channelCodeGivesBandMask()
    {
        const QList<CDeviceFiles::LogFile> files = CDeviceFiles::ParseLog(
            Log({Block({Event(6, 1, 1, 0, 0, 1), Event(6, 1, 1, 1, 0, 9), Event(6, 1, 1, 2, 0, 2)}, 1)}));
        QCOMPARE(files.size(), 1);
        DeviceRawRecord r[3];
        std::memcpy(static_cast<void*>(r), files[0].records.constData(), sizeof(r));
        QCOMPARE(int(r[0].BandMask), 0x02);
        QCOMPARE(int(r[1].BandMask), 0x02); // unknown code: the previous event's mask
        QCOMPARE(int(r[2].BandMask), 0x04);

        const CDeviceRecord rec = CDeviceRecord::FromRaw(r[0], CDeviceRecord::Mode::File, 2024);
        QCOMPARE(rec.m_Levels[0].m_dLevel, 0.0);
        QCOMPARE(rec.m_Levels[2].m_dLevel, 41 / 2.0);     // L[1]
        QCOMPARE(rec.m_Levels[2].m_dThreshold, 50 / 2.0); // L[10]
        QCOMPARE(rec.m_Levels[3].m_dLevel, 44 / 2.0);     // L[4]
        QCOMPARE(rec.m_Levels[3].m_dThreshold, 53 / 2.0); // L[13]
        QCOMPARE(rec.m_Levels[2].m_nBandByte, 0x22);
        QCOMPARE(rec.m_nStatusWord, 7);
        QCOMPARE(rec.m_dFrequency, 2412.0);
    }

    // Corrupt date bytes must not widen a name beyond its two digits per field.
    void namesKeepTwoDigitsForDatesOutsideTheCalendar()
    {
        const QList<CDeviceFiles::LogFile> files =
            CDeviceFiles::ParseLog(Log({Block({Event(201, 250, 99, 77, 0, 0)}, 1)}));
        QCOMPARE(files.size(), 1);
        QCOMPARE(files[0].strName, QString("log_1231_2359.ldf"));

        QTemporaryDir dir;
        CKV520DataModel model;
        const auto f = Frame(255, 255, 1); // day and month bytes wrap to 0
        model.StoreDataFrame(f.data(), 0);
        QString strName;
        QVERIFY(CDeviceFiles::SaveRealtimeFile(model, dir.path(), 0, strName, nullptr));
        QCOMPARE(strName, QString("rt_0101_0000"));
    }

    void logWithoutEventsWritesNothing()
    {
        QTemporaryDir dir;
        QString strError;
        QStringList written;
        // Only the last block (no marker), then a marked block without events.
        QVERIFY(CDeviceFiles::SaveLogFile(Log({Block({Event(1, 1, 1, 1, 1, 0)}, 1, true)}), dir.path(), &strError,
                                          &written));
        QCOMPARE(strError, CDeviceFiles::NoEventsNotice());
        QVERIFY(written.isEmpty());
        QVERIFY(CDeviceFiles::SaveLogFile(Log({Block({}, 1)}), dir.path(), &strError));
        QCOMPARE(strError, CDeviceFiles::NoEventsNotice());
        QVERIFY(Entries(dir.path()).isEmpty());
        QVERIFY(CDeviceFiles::SaveLogFile(QByteArray(), dir.path(), &strError));
    }

    // Every write goes to a device that is always full: each save fails with
    // the system's reason and the file's name, and leaves no file behind.
    void aFullDiskFailsEverySaveAndLeavesNoFile()
    {
        QTemporaryDir dir;
        CKV520DataModel model;
        const auto f = Frame(0, 0, 1);
        model.StoreDataFrame(f.data(), 0);
        CCheckedSaveFile::RedirectWritesForTest(QStringLiteral("/dev/full"));
        QString strName, strError;
        const bool bLogSaved =
            CDeviceFiles::SaveLogFile(Log({Block({Event(1, 1, 1, 1, 1, 0)}, 1)}), dir.path(), &strError);
        const QString strLogError = strError;
        const bool bRealtimeSaved = CDeviceFiles::SaveRealtimeFile(model, dir.path(), 0, strName, &strError);
        CCheckedSaveFile::RedirectWritesForTest(QString());
        QVERIFY(!bLogSaved);
        QVERIFY2(strLogError.contains("log_0101_0101.ldf") && strLogError.contains("No space left on device"),
                 qPrintable(strLogError));
        QVERIFY(!bRealtimeSaved);
        QVERIFY2(strError.contains("rt_0101_0000.rdf") && strError.contains("No space left on device"),
                 qPrintable(strError));
        QCOMPARE(Entries(dir.path()), QStringList());
    }

    // The same on a file system that really fills up: the session that fits
    // is stored whole, the next one fails and leaves nothing, not even an
    // empty file.
    void aFileSystemFillingUpKeepsWholeFilesOnly()
    {
        CTinyFileSystem disk(8);
        if (!disk.Mounted())
            QSKIP("No permission to mount a small file system here");
        QList<QByteArray> blocks;
        for (int n = 0; n < 10; ++n)
            blocks << Block({Event(2, 3, 4, 5, n, 0), Event(2, 3, 4, 5, n, 0), Event(2, 3, 4, 5, n, 0),
                             Event(2, 3, 4, 5, n, 0)},
                            1);
        for (int n = 0; n < 30; ++n)
            blocks << Block({Event(2, 3, 6, 7, n, 0), Event(2, 3, 6, 7, n, 0), Event(2, 3, 6, 7, n, 0),
                             Event(2, 3, 6, 7, n, 0)},
                            2);
        QString strError;
        QVERIFY(!CDeviceFiles::SaveLogFile(Log(blocks), disk.Path(), &strError));
        QVERIFY2(strError.contains("log_0203_0607.ldf") && strError.contains("No space left on device"),
                 qPrintable(strError));
        QCOMPARE(Entries(disk.Path()), QStringList({"log_0203_0405.ldf"}));
        QCOMPARE(RecordsOf(QDir(disk.Path()).filePath("log_0203_0405.ldf")).size(), 40);
    }

    void writersRefuseMissingFolder()
    {
        QTemporaryDir dir;
        CKV520DataModel model;
        const auto f = Frame(0, 0, 1);
        model.StoreDataFrame(f.data(), 0);
        QString strName, strError;
        const QByteArray log = Log({Block({Event(1, 1, 1, 1, 1, 0)}, 1)});
        for (const QString& strFolder : {QString(), dir.filePath("missing")}) {
            QVERIFY(!CDeviceFiles::SaveLogFile(log, strFolder, &strError));
            QVERIFY(!strError.isEmpty());
            strError.clear();
            QVERIFY(!CDeviceFiles::SaveRealtimeFile(model, strFolder, 0, strName, &strError));
            QVERIFY(!strError.isEmpty());
        }
        QVERIFY(!QFileInfo::exists(dir.filePath("missing")));
    }

    void realtimeFileHoldsEveryRecordAndReloads()
    {
        QTemporaryDir dir;
        CKV520DataModel model;
        QString strName, strError;
        QVERIFY(!CDeviceFiles::SaveRealtimeFile(model, dir.path(), 0, strName, &strError)); // nothing stored
        for (int i = 0; i < 101; ++i) {
            const auto f = Frame(4, 2, uint8_t(i));
            model.StoreDataFrame(f.data(), 12 * kTicksPerHour + 34 * kTicksPerMinute + i * 4);
        }
        QVERIFY2(CDeviceFiles::SaveRealtimeFile(model, dir.path(), 0, strName, &strError), qPrintable(strError));
        QCOMPARE(strName, QString("rt_0305_1234"));
        const QString strPath = dir.filePath("rt_0305_1234.rdf");
        QCOMPARE(QFileInfo(strPath).size(), qint64(4 + 101 * 76));
        QCOMPARE(Entries(dir.path()), QStringList({"rt_0305_1234.rdf"}));

        QList<CDeviceRecord> records;
        int nVersion = -1;
        QVERIFY(CDeviceFiles::LoadDataFile(strPath, records, nVersion, &strError));
        QCOMPARE(nVersion, 0);
        QCOMPARE(records.size(), 101);
        QCOMPARE(records.first().m_Levels[0].m_dLevel, 0.0); // record 0 is in the file
        QCOMPARE(records.last().m_Levels[0].m_dLevel, 50.0);
        const QDateTime first = QDateTime::fromSecsSinceEpoch(records.first().m_nTime);
        QCOMPARE(first.time(), QTime(12, 34, 0));
        QCOMPARE(first.date().day(), 5);
    }

    void wrappedRingIsSavedOldestFirst()
    {
        QTemporaryDir dir;
        CKV520DataModel model;
        // Frames on two days: the five that overwrite the ring's start are on day 2.
        for (int i = 0; i < kHistorySize + 5; ++i) {
            const auto f = Frame(i < kHistorySize ? 0 : 1, 0, uint8_t(i));
            model.StoreDataFrame(f.data(), i < 5 ? 0 : 8 * kTicksPerHour);
        }
        QVERIFY(model.HasWrapped());
        QString strName, strError;
        QVERIFY2(CDeviceFiles::SaveRealtimeFile(model, dir.path(), 0, strName, &strError), qPrintable(strError));
        QCOMPARE(strName, QString("rt_0101_0800")); // record 5, the oldest left
        const QList<DeviceRawRecord> raw = RecordsOf(dir.filePath(strName + ".rdf"));
        QCOMPARE(raw.size(), kHistorySize);
        QCOMPARE(int(raw.first().Levels[0]), 5);
        QCOMPARE(int(raw.last().Levels[0]), int(uint8_t(kHistorySize + 4)));
        QCOMPARE(int(raw.last().Day), 2);
    }

    void loadReadsWholeRecordsAndRefusesStrangeFiles()
    {
        QTemporaryDir dir;
        auto write = [&](const QString& strName, const QByteArray& data) {
            QFile f(dir.filePath(strName));
            f.open(QIODevice::WriteOnly);
            f.write(data);
            return dir.filePath(strName);
        };
        QByteArray record(76, '\0');
        record[12] = 3;
        record[13] = 4;
        record[72] = 1;
        record[16] = 51;
        QList<CDeviceRecord> records;
        int nVersion = -1;
        QString strError;

        // A partial record at the end is dropped, even when most of it is there.
        QVERIFY(CDeviceFiles::LoadDataFile(write("t.ldf", QByteArray::fromHex("00000002") + record + record.left(75)),
                                           records, nVersion, &strError));
        QCOMPARE(nVersion, 2);
        QCOMPARE(records.size(), 1);
        QCOMPARE(records[0].m_Levels[0].m_dLevel, 25.5);

        // Only the header: no records, no error.
        records.clear();
        QVERIFY(CDeviceFiles::LoadDataFile(write("h.rdf", QByteArray(4, '\0')), records, nVersion, &strError));
        QVERIFY(records.isEmpty());

        QFile huge(dir.filePath("huge.rdf"));
        QVERIFY(huge.open(QIODevice::WriteOnly));
        QVERIFY(huge.resize(4 + 76 * (CDeviceFiles::kMaxFileRecords + 1)));
        huge.close();
        const QStringList bad = {dir.filePath("missing.ldf"), write("s.ldf", QByteArray::fromHex("000000")),
                                 write("v.ldf", QByteArray::fromHex("00000003") + record), huge.fileName(),
                                 write("le.ldf", QByteArray::fromHex("02000000") + record)};
        for (const QString& strPath : bad) {
            records = {CDeviceRecord()};
            strError.clear();
            QVERIFY2(!CDeviceFiles::LoadDataFile(strPath, records, nVersion, &strError), qPrintable(strPath));
            QVERIFY(!strError.isEmpty());
            QCOMPARE(records.size(), 1); // left as it was
        }
    }
    // Flash logs and files are untrusted: random bytes must give whole records
    // or a refusal, never a read outside the buffer (run under AddressSanitizer).
    void randomBytesGiveWholeRecordsOrARefusal()
    {
        QRandomGenerator rng(521);
        auto randomBytes = [&](qsizetype nSize) {
            QByteArray b(nSize, '\0');
            for (char& c : b)
                c = char(rng.bounded(256));
            return b;
        };
        const QRegularExpression name(QStringLiteral("^log_\\d{4,6}_\\d{4,6}\\.ldf$"));
        QTemporaryDir dir;
        for (int nRound = 0; nRound < 300; ++nRound) {
            // Markers are set often, or the random bytes would never reach the entries.
            const int nBlocks = int(rng.bounded(40));
            QByteArray log = randomBytes(qsizetype(nBlocks) * kLogBlockSize + rng.bounded(kLogBlockSize));
            auto* p = reinterpret_cast<uint8_t*>(log.data());
            for (int b = 0; b < nBlocks; ++b) {
                uint8_t* pBlock = p + b * kLogBlockSize;
                if (rng.bounded(4) != 0)
                    pBlock[kLogBlockMarker] = kLogMarker;
                qToLittleEndian<quint16>(quint16(rng.bounded(3)), pBlock + kLogSession);
                for (int e = 0; e < kLogEntriesPerBlock; ++e)
                    if (rng.bounded(3) != 0)
                        pBlock[e * kLogEntrySize] = kLogMarker;
            }
            qsizetype nEvents = 0;
            for (const CDeviceFiles::LogFile& file : CDeviceFiles::ParseLog(log)) {
                QVERIFY2(name.match(file.strName).hasMatch(), qPrintable(file.strName));
                QVERIFY(!file.records.isEmpty());
                QCOMPARE(file.records.size() % 76, 0);
                nEvents += file.records.size() / 76;
            }
            QVERIFY(nEvents <= qsizetype(nBlocks) * kLogEntriesPerBlock);

            const QString strFolder = dir.filePath(QString::number(nRound));
            QVERIFY(QDir().mkpath(strFolder));
            QString strError;
            QStringList written;
            QVERIFY(CDeviceFiles::SaveLogFile(log, strFolder, &strError, &written));
            for (const QString& strFile : written) {
                QList<CDeviceRecord> records;
                int nVersion = -1;
                QVERIFY(CDeviceFiles::LoadDataFile(QDir(strFolder).filePath(strFile), records, nVersion, &strError));
                QCOMPARE(nVersion, int(CDeviceFiles::kLogVersion));
                QVERIFY(!records.isEmpty());
            }
        }

        for (int nRound = 0; nRound < 500; ++nRound) {
            QByteArray data = randomBytes(rng.bounded(4 + 76 * 6));
            if (data.size() >= 4 && rng.bounded(4) != 0)
                qToBigEndian<qint32>(rng.bounded(2) ? 2 : 0, data.data());
            const QString strPath = dir.filePath(QStringLiteral("f%1.rdf").arg(nRound));
            QFile f(strPath);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(data);
            f.close();
            QList<CDeviceRecord> records;
            int nVersion = -1;
            QString strError;
            if (!CDeviceFiles::LoadDataFile(strPath, records, nVersion, &strError)) {
                QVERIFY(!strError.isEmpty());
                QVERIFY(records.isEmpty());
                continue;
            }
            QCOMPARE(records.size(), (data.size() - 4) / 76);
            for (const CDeviceRecord& r : records) {
                QCOMPARE(r.m_Levels.size(), 6);
                for (const CDeviceLevel& level : r.m_Levels)
                    QVERIFY(level.m_dLevel >= 0 && level.m_dLevel <= 127.5);
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestDeviceFiles)
#include "tst_devicefiles.moc"
