// The catalogue of every sweep: what it answers, and that it answers the same
// after a rebuild, a migration, damage, and two programs writing at once.
#include "catalogue.h"
#include "catalogueschema.h"
#include "sessioncomparison.h"
#include "sweepfiles.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QtEndian>

#include <algorithm>

using namespace SweepFiles;

namespace {

constexpr int kCet = 3600;

int64_t Utc(const char* pIso)
{
    return QDateTime::fromString(QString::fromLatin1(pIso), Qt::ISODate).toMSecsSinceEpoch();
}

QList<CCatalogue::Query> Questions()
{
    QList<CCatalogue::Query> questions;
    CCatalogue::Query all;
    questions << all;
    CCatalogue::Query boardroomAlarms;
    boardroomAlarms.strRoom = QStringLiteral("boardroom");
    boardroomAlarms.bAlarmsOnly = true;
    questions << boardroomAlarms;
    CCatalogue::Query loudInMarch = boardroomAlarms;
    loudInMarch.dMinLevel = 60;
    loudInMarch.nFromMs = Utc("2026-03-01T00:00:00+01:00");
    loudInMarch.nToMs = Utc("2026-04-01T00:00:00+02:00");
    questions << loudInMarch;
    CCatalogue::Query gsm;
    gsm.kinds = {2};
    questions << gsm;
    CCatalogue::Query officeLoud;
    officeLoud.strSite = QStringLiteral("Office");
    officeLoud.dMinLevel = 60;
    officeLoud.bAlarmsOnly = true;
    questions << officeLoud;
    return questions;
}

struct Answers
{
    QList<QList<CCatalogue::EventRow>> events;
    QList<QList<CCatalogue::FileRow>> files;
};

Answers Ask(CCatalogue& catalogue)
{
    Answers answers;
    QString strError;
    for (const CCatalogue::Query& query : Questions()) {
        answers.events << catalogue.FindEvents(query, &strError);
        answers.files << catalogue.FindFiles(query, &strError);
    }
    return answers;
}

QList<int64_t> Positions(const QList<CCatalogue::EventRow>& rows)
{
    QList<int64_t> positions;
    for (const CCatalogue::EventRow& row : rows)
        positions << row.nPosition;
    return positions;
}

CDeviceRecord Converted(DeviceRawRecord raw, uint32_t nKilohertz = 0)
{
    qToLittleEndian<quint32>(nKilohertz, raw.Levels + 16);
    raw.Levels[20] = nKilohertz != 0 ? 1 : 0;
    return CDeviceRecord::FromRaw(raw, CDeviceRecord::Mode::File, 2026);
}

QStringList Keys(const QList<CSessionDifference>& differences)
{
    QStringList keys;
    for (const CSessionDifference& d : differences)
        keys << QStringLiteral("%1@%2").arg(CSessionDifference::KindKey(d.m_eKind)).arg(d.m_nPosition);
    return keys;
}

void RemoveDatabase(const CCatalogue& catalogue)
{
    for (const char* pSuffix : {"", "-wal", "-shm"})
        QFile::remove(catalogue.DatabasePath() + QLatin1String(pSuffix));
}

} // namespace

class TestCatalogue : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void answersKnownQuestionsAndARebuildAnswersTheSame()
    {
        QTemporaryDir dir;
        const QDir storage(dir.path());
        Answers incremental;
        {
            // Incremental: the catalogue exists first, files come one by one.
            CCatalogue catalogue(dir.path());
            QString strError;
            QVERIFY2(catalogue.Open(&strError), qPrintable(strError));
            QVERIFY(WriteOfficeDay(storage));
            for (const char* strName : {"rt_0315_1000.rdf", "rt_0315_1100.rdf", "log_0316_0900.ldf"})
                QVERIFY2(catalogue.IndexFile(storage.filePath(QLatin1String(strName)), &strError), qPrintable(strError));
            // A file that came and went outside the program, one found at the next look.
            QVERIFY(WriteData(storage.filePath(QStringLiteral("gone.rdf")), {Record(3, 1, 8, 0, 0, 90, 10)}, false));
            QVERIFY(catalogue.IndexFile(storage.filePath(QStringLiteral("gone.rdf")), &strError));
            QVERIFY(QFile::remove(storage.filePath(QStringLiteral("gone.rdf"))));
            QVERIFY2(catalogue.Sync(&strError), qPrintable(strError));
            incremental = Ask(catalogue);

            const QList<CCatalogue::EventRow> boardroom = incremental.events[1];
            QCOMPARE(boardroom.size(), 4);
            // The recording's alarm onsets, then the log's flagged events.
            QCOMPARE(Positions(boardroom), (QList<int64_t>{1, 4, 0, 2}));
            QCOMPARE(boardroom[0].nInstantMs, Utc("2026-03-15T09:00:01Z"));
            QCOMPARE(boardroom[2].strPath, QStringLiteral("log_0316_0900.ldf"));
            QCOMPARE(Positions(incremental.events[2]), (QList<int64_t>{4, 0}));
            QCOMPARE(incremental.events[3].size(), 1);
            QCOMPARE(incremental.events[3][0].dLevel, 70.0);
            QCOMPARE(incremental.events[4].size(), 3);
            QCOMPARE(incremental.files[1].size(), 2);

            const QList<CCatalogue::FileRow> files = incremental.files[0];
            QCOMPARE(files.size(), 4);
            const CCatalogue::FileRow& first = files[0];
            QCOMPARE(first.strPath, QStringLiteral("rt_0315_1000.rdf"));
            QCOMPARE(first.nRecords, 7);
            QCOMPARE(first.nAlarms, 2);
            QCOMPARE(first.maxLevels[0], 63.0);
            QCOMPARE(first.context.m_strOperator, QStringLiteral("Jo"));
            QCOMPARE(first.nLastMs, Utc("2026-03-15T09:01:06Z"));
            QCOMPARE(first.strSha256.size(), 64);
            // No sidecar: year and zone from the modification time, said to be guessed.
            QCOMPARE(files[3].strPath, QStringLiteral("old/rt_0402_0800.rdf"));
            QVERIFY(files[3].capture.m_bGuessed);
            QVERIFY(!files[0].capture.m_bGuessed);

        }
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("check"));
            db.setDatabaseName(storage.filePath(CCatalogue::FileName()));
            QVERIFY(db.open());
            QSqlQuery query(db);
            QVERIFY(query.exec(QStringLiteral("SELECT m.max_b1 FROM minutes m JOIN files f ON f.id = m.file_id"
                                              " WHERE f.path = 'rt_0315_1000.rdf' ORDER BY m.minute")));
            QList<double> maxima;
            while (query.next())
                maxima << query.value(0).toDouble();
            QCOMPARE(maxima, (QList<double>{57, 63}));
            query.exec(QStringLiteral("PRAGMA journal_mode"));
            QVERIFY(query.next());
            QCOMPARE(query.value(0).toString(), QStringLiteral("wal"));
            query.finish();
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("check"));

        // Gone: the catalogue is built again, on its own, from the folder.
        CCatalogue rebuilt(dir.path());
        RemoveDatabase(rebuilt);
        QString strError;
        QVERIFY2(rebuilt.Open(&strError), qPrintable(strError));
        const Answers again = Ask(rebuilt);
        QCOMPARE(again.events, incremental.events);
        QCOMPARE(again.files, incremental.files);
        QVERIFY(rebuilt.Rebuild(&strError));
        QCOMPARE(Ask(rebuilt).events, incremental.events);
    }

    void aSessionAcrossNewYearKeepsItsYears()
    {
        QTemporaryDir dir;
        const QDir storage(dir.path());
        QVERIFY(WriteSweep(storage.filePath(QStringLiteral("rt_1231_2359.rdf")),
                           {Record(12, 31, 23, 59, 58, 10, 50), Record(1, 1, 0, 0, 2, 55, 50)}, false,
                           QStringLiteral("Office"), QStringLiteral("Hall"), 2025, kCet));
        CCatalogue catalogue(dir.path());
        QString strError;
        QVERIFY2(catalogue.Open(&strError), qPrintable(strError));
        const QList<CCatalogue::FileRow> files = catalogue.FindFiles(CCatalogue::Query(), &strError);
        QCOMPARE(files.size(), 1);
        QCOMPARE(files[0].nFirstMs, Utc("2025-12-31T22:59:58Z"));
        QCOMPARE(files[0].nLastMs, Utc("2025-12-31T23:00:02Z"));
        CCatalogue::Query newYear;
        newYear.nFromMs = Utc("2026-01-01T00:00:00+01:00");
        const QList<CCatalogue::EventRow> events = catalogue.FindEvents(newYear, &strError);
        QCOMPARE(events.size(), 1);
        QCOMPARE(events[0].capture.IsoText(events[0].nInstantMs), QStringLiteral("2026-01-01T00:00:02+01:00"));
    }

    void aCorruptDatabaseIsReplacedByARebuild()
    {
        QTemporaryDir dir;
        QVERIFY(WriteOfficeDay(QDir(dir.path())));
        QList<CCatalogue::EventRow> before;
        QString strError;
        {
            CCatalogue catalogue(dir.path());
            QVERIFY2(catalogue.Open(&strError), qPrintable(strError));
            before = catalogue.FindEvents(CCatalogue::Query(), &strError);
            QVERIFY(catalogue.Notice().isEmpty());
        }
        {
            // Scrambled pages after the header: SQLite opens it, the check fails.
            QFile file(QDir(dir.path()).filePath(CCatalogue::FileName()));
            QVERIFY(file.open(QIODevice::ReadWrite));
            const QByteArray bytes = file.readAll();
            QVERIFY(bytes.size() > 4096);
            file.seek(100);
            file.write(QByteArray(int(bytes.size()) - 100, '\x5a'));
        }
        CCatalogue catalogue(dir.path());
        QVERIFY2(catalogue.Open(&strError), qPrintable(strError));
        QVERIFY(!catalogue.Notice().isEmpty());
        QCOMPARE(catalogue.FindEvents(CCatalogue::Query(), &strError), before);

        // Not a database at all.
        catalogue.Close();
        RemoveDatabase(catalogue);
        QFile junk(catalogue.DatabasePath());
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write(QByteArray(8192, 'x'));
        junk.close();
        CCatalogue again(dir.path());
        QVERIFY2(again.Open(&strError), qPrintable(strError));
        QCOMPARE(again.FindEvents(CCatalogue::Query(), &strError), before);
    }

    void twoWritersShareOneDatabase()
    {
        QTemporaryDir dir;
        const QDir storage(dir.path());
        constexpr int kFilesEach = 25;
        for (int w = 0; w < 2; ++w)
            for (int i = 0; i < kFilesEach; ++i)
                QVERIFY(WriteSweep(storage.filePath(QStringLiteral("w%1/rt_%2.rdf").arg(w).arg(i)),
                                   {Record(5, 1, 8, i, 0, 20, 10), Record(5, 1, 8, i, 1, 5, 10)}, false,
                                   QStringLiteral("Office"), QStringLiteral("Room %1").arg(w), 2026, 0));
        {
            CCatalogue first(dir.path());
            QString strError;
            QVERIFY(first.Open(&strError));
            QVERIFY(first.Rebuild(&strError));
        }
        // Each writer its own connection on its own thread, indexing its files
        // over and over while the other does the same.
        QStringList errors[2];
        QList<QThread*> threads;
        for (int w = 0; w < 2; ++w)
            threads << QThread::create([&, w] {
                CCatalogue catalogue(dir.path());
                QString strError;
                if (!catalogue.Open(&strError)) {
                    errors[w] << strError;
                    return;
                }
                for (int round = 0; round < 3; ++round)
                    for (int i = 0; i < kFilesEach; ++i)
                        if (!catalogue.IndexFile(storage.filePath(QStringLiteral("w%1/rt_%2.rdf").arg(w).arg(i)), &strError))
                            errors[w] << strError;
            });
        for (QThread* pThread : threads)
            pThread->start();
        for (QThread* pThread : threads) {
            QVERIFY(pThread->wait(60000));
            delete pThread;
        }
        QCOMPARE(errors[0], QStringList());
        QCOMPARE(errors[1], QStringList());
        CCatalogue catalogue(dir.path());
        QString strError;
        QVERIFY2(catalogue.Open(&strError), qPrintable(strError));
        QVERIFY(catalogue.Notice().isEmpty()); // the integrity check passed
        QCOMPARE(catalogue.FindFiles(CCatalogue::Query(), &strError).size(), 2 * kFilesEach);
        QCOMPARE(catalogue.FindEvents(CCatalogue::Query(), &strError).size(), 2 * kFilesEach);
    }

    void migratesFromEveryEarlierVersion()
    {
        for (int nVersion = 0; nVersion < CCatalogueSchema::Latest(); ++nVersion) {
            QTemporaryDir dir;
            QVERIFY(WriteOfficeDay(QDir(dir.path())));
            const QString strConnection = QStringLiteral("old%1").arg(nVersion);
            {
                QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), strConnection);
                db.setDatabaseName(QDir(dir.path()).filePath(CCatalogue::FileName()));
                QVERIFY(db.open());
                QString strError;
                QVERIFY2(CCatalogueSchema::MigrateTo(db, nVersion, &strError), qPrintable(strError));
                // Version 0: a database someone created and left empty.
                QVERIFY(QSqlQuery(db).exec(QStringLiteral("CREATE TABLE IF NOT EXISTS scratch (x)")));
                QCOMPARE(CCatalogueSchema::VersionOf(db, &strError), nVersion);
                db.close();
            }
            QSqlDatabase::removeDatabase(strConnection);
            CCatalogue catalogue(dir.path());
            QString strError;
            QVERIFY2(catalogue.Open(&strError), qPrintable(strError));
            QVERIFY(catalogue.Notice().isEmpty());
            QVERIFY2(catalogue.Sync(&strError), qPrintable(strError));
            CCatalogue::Query boardroom;
            boardroom.strRoom = QStringLiteral("Boardroom");
            boardroom.bAlarmsOnly = true;
            QCOMPARE(catalogue.FindEvents(boardroom, &strError).size(), 4);
        }

        // A later program's catalogue is left alone.
        QTemporaryDir dir;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("later"));
            db.setDatabaseName(QDir(dir.path()).filePath(CCatalogue::FileName()));
            QVERIFY(db.open());
            QVERIFY(QSqlQuery(db).exec(QStringLiteral("PRAGMA user_version = %1").arg(CCatalogueSchema::Latest() + 1)));
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("later"));
        CCatalogue catalogue(dir.path());
        QString strError;
        QVERIFY(!catalogue.Open(&strError));
        QVERIFY(strError.contains(QStringLiteral("later version")));
        QVERIFY(QFileInfo::exists(catalogue.DatabasePath()));
    }

    void baselinesKeepTheirHistoryAndSurviveARebuild()
    {
        QTemporaryDir dir;
        const QDir storage(dir.path());
        QVERIFY(WriteOfficeDay(storage));
        const QString strOffice = QStringLiteral("Office");
        const QString strBoardroom = QStringLiteral("Boardroom");
        const QString strRecording = storage.filePath(QStringLiteral("rt_0315_1000.rdf"));
        const QString strLog = storage.filePath(QStringLiteral("log_0316_0900.ldf"));
        QList<CCatalogue::BaselineRow> history;
        {
            CCatalogue catalogue(dir.path());
            QString strError;
            QVERIFY2(catalogue.Open(&strError), qPrintable(strError));
            CCatalogue::BaselineRow row;
            QVERIFY(!catalogue.Baseline(strOffice, strBoardroom, row, &strError));
            QVERIFY(strError.isEmpty());
            const QDateTime t1 = QDateTime::fromString(QStringLiteral("2026-03-20T10:00:00Z"), Qt::ISODate);
            QVERIFY2(catalogue.SetBaseline(strRecording, &strError, t1), qPrintable(strError));
            QVERIFY(catalogue.SetBaseline(strLog, &strError, t1.addDays(1)));
            // Chosen again with a clock set back: it is still the room's baseline now.
            QVERIFY(catalogue.SetBaseline(strRecording, &strError, t1.addDays(-1)));
            QVERIFY(catalogue.Baseline(strOffice, strBoardroom, row, &strError));
            QCOMPARE(row.strPath, QStringLiteral("rt_0315_1000.rdf"));
            QVERIFY(row.nSetAtMs > t1.addDays(1).toMSecsSinceEpoch());
            history = catalogue.BaselineHistory(strOffice, strBoardroom, &strError);
            QCOMPARE(history.size(), 3);
            QCOMPARE(history[1].strPath, QStringLiteral("log_0316_0900.ldf"));
            QCOMPARE(history[2].nSetAtMs, t1.toMSecsSinceEpoch());
            QVERIFY(history[0].bCurrent && !history[1].bCurrent && !history[2].bCurrent);
            // Another room's baseline is its own.
            QVERIFY(!catalogue.Baseline(strOffice, QStringLiteral("Room 2"), row, &strError));
            // A file from before sidecars has no room: refused, nothing written beside it.
            const QString strOld = storage.filePath(QStringLiteral("old/rt_0402_0800.rdf"));
            QVERIFY(!catalogue.SetBaseline(strOld, &strError));
            QVERIFY(strError.contains(QStringLiteral("room")));
            QVERIFY(!QFileInfo::exists(CSidecar::PathFor(strOld)));
        }
        CSidecar sidecar;
        QVERIFY(CSidecar::Read(strRecording, sidecar));
        QCOMPARE(sidecar.m_Context.m_strRoom, strBoardroom);
        // The catalogue is lost: the folder alone gives the same baselines.
        CCatalogue rebuilt(dir.path());
        RemoveDatabase(rebuilt);
        QString strError;
        QVERIFY2(rebuilt.Open(&strError), qPrintable(strError));
        const QList<CCatalogue::BaselineRow> again = rebuilt.BaselineHistory(strOffice, strBoardroom, &strError);
        QCOMPARE(again.size(), history.size());
        for (int i = 0; i < again.size(); ++i) {
            QCOMPARE(again[i].strPath, history[i].strPath);
            QCOMPARE(again[i].nSetAtMs, history[i].nSetAtMs);
            QCOMPARE(again[i].bCurrent, history[i].bCurrent);
        }
    }

    void reportNumbersAreNeverGivenTwice()
    {
        QTemporaryDir dir;
        {
            CCatalogue catalogue(dir.path());
            QString strError;
            QVERIFY(catalogue.Open(&strError));
        }
        constexpr int kEach = 15;
        QList<int64_t> numbers[2];
        QStringList errors[2];
        QList<QThread*> threads;
        for (int w = 0; w < 2; ++w)
            threads << QThread::create([&, w] {
                CCatalogue catalogue(dir.path());
                QString strError;
                int64_t nNumber = 0;
                if (!catalogue.Open(&strError))
                    errors[w] << strError;
                for (int i = 0; errors[w].isEmpty() && i < kEach; ++i) {
                    if (catalogue.NextReportNumber(nNumber, &strError))
                        numbers[w] << nNumber;
                    else
                        errors[w] << strError;
                }
            });
        for (QThread* pThread : threads)
            pThread->start();
        for (QThread* pThread : threads) {
            QVERIFY(pThread->wait(60000));
            delete pThread;
        }
        QCOMPARE(errors[0] + errors[1], QStringList());
        QList<int64_t> all = numbers[0] + numbers[1];
        std::sort(all.begin(), all.end());
        for (int i = 0; i < all.size(); ++i)
            QCOMPARE(all[i], int64_t(i + 1));
        QVERIFY(std::is_sorted(numbers[0].cbegin(), numbers[0].cend()));

        // The catalogue lost: the file beside it keeps the count; the file
        // lost: the catalogue does.
        CCatalogue catalogue(dir.path());
        RemoveDatabase(catalogue);
        QString strError;
        QVERIFY(catalogue.Open(&strError));
        int64_t nNumber = 0;
        QVERIFY2(catalogue.NextReportNumber(nNumber, &strError), qPrintable(strError));
        QCOMPARE(nNumber, 2 * kEach + 1);
        const QString strFile = QDir(dir.path()).filePath(CCatalogue::ReportNumberFileName());
        QVERIFY(QFile::remove(strFile));
        QVERIFY(catalogue.NextReportNumber(nNumber, &strError));
        QCOMPARE(nNumber, 2 * kEach + 2);
        // A number given by hand is never given again by the count.
        QVERIFY(catalogue.NextReportNumber(nNumber, &strError, 500));
        QCOMPARE(nNumber, int64_t(500));
        QVERIFY(catalogue.NextReportNumber(nNumber, &strError, 7));
        QVERIFY(catalogue.NextReportNumber(nNumber, &strError));
        QCOMPARE(nNumber, int64_t(501));
        // Garbled: no number rather than one perhaps given before.
        QFile garbled(strFile);
        QVERIFY(garbled.open(QIODevice::WriteOnly));
        garbled.write("12x\n");
        garbled.close();
        QVERIFY(!catalogue.NextReportNumber(nNumber, &strError));
        QVERIFY(strError.contains(CCatalogue::ReportNumberFileName()));
        QCOMPARE(nNumber, int64_t(501));
    }

    void comparisonTellsWhatChangedAndNothingElse()
    {
        CSessionComparison::Session base;
        base.records = {Converted(Record(3, 15, 10, 0, 0, 40, 55, 1), 2400000),
                        Converted(Record(3, 15, 10, 0, 1, 50, 55), 2437000)};
        CSessionComparison::Session now;
        now.records = {Converted(Record(4, 15, 10, 0, 0, 40, 55, 1), 2400000),
                       Converted(Record(4, 15, 10, 0, 1, 50, 55), 2437400), // the same carrier, read 0.4 MHz off
                       Converted(Record(4, 15, 10, 0, 2, 52, 55, 2), 2460000),
                       Converted(Record(4, 15, 10, 0, 3, 57, 55, 2), 2460300)};
        QCOMPARE(Keys(CSessionComparison::Compare(now, now)), QStringList());
        QCOMPARE(Keys(CSessionComparison::Compare(base, base)), QStringList());

        const QList<CSessionDifference> differences = CSessionComparison::Compare(now, base);
        QCOMPARE(Keys(differences),
                 (QStringList{"signal-new@2", "frequency-new@2", "level-rose@3", "alarm-new@3"}));
        QCOMPARE(differences[0].m_nSignal, 2);
        QCOMPARE(differences[0].m_nTime, now.records[2].m_nTime);
        QCOMPARE(differences[1].m_dFrequency, 2460000.0);
        QCOMPARE(differences[2].m_dBefore, 50.0);
        QCOMPARE(differences[2].m_dNow, 57.0);
        QCOMPARE(differences[3].m_nChannel, 0);
        QCOMPARE(differences[3].m_nSignal, 2);
        QVERIFY(differences[3].m_strText.contains(QStringLiteral("GSM")));

        // The other way round: what is gone, and no alarm or frequency "new".
        QCOMPARE(Keys(CSessionComparison::Compare(base, now)), (QStringList{"signal-gone@-1", "level-fell@1"}));

        // A larger least change hides the rise; a tighter tolerance parts the carriers.
        CSessionComparison::Options options;
        options.dMinChangeDb = 8;
        options.dToleranceKhz = 200;
        QCOMPARE(Keys(CSessionComparison::Compare(now, base, options)),
                 (QStringList{"signal-new@2", "frequency-new@1", "frequency-new@2", "frequency-new@3", "alarm-new@3"}));
    }

    void aCatalogueWithoutBaselinesLearnsThemFromTheSidecars()
    {
        // A version-1 catalogue built while the sidecars already told of a
        // baseline (by a later program, then rebuilt by an earlier one).
        QTemporaryDir dir;
        const QDir storage(dir.path());
        QVERIFY(WriteOfficeDay(storage));
        const QString strRecording = storage.filePath(QStringLiteral("rt_0315_1000.rdf"));
        QVERIFY(CSidecar::AddBaseline(strRecording, Utc("2026-03-20T10:00:00Z"), nullptr));
        {
            CCatalogue catalogue(dir.path());
            QString strError;
            QVERIFY2(catalogue.Open(&strError), qPrintable(strError));
        }
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("v1"));
            db.setDatabaseName(storage.filePath(CCatalogue::FileName()));
            QVERIFY(db.open());
            QSqlQuery query(db);
            QVERIFY(query.exec(QStringLiteral("DROP TABLE baselines")));
            QVERIFY(query.exec(QStringLiteral("PRAGMA user_version = 1")));
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("v1"));
        CCatalogue catalogue(dir.path());
        QString strError;
        QVERIFY2(catalogue.Open(&strError), qPrintable(strError));
        QVERIFY2(catalogue.Sync(&strError), qPrintable(strError));
        CCatalogue::BaselineRow row;
        QVERIFY(catalogue.Baseline(QStringLiteral("office"), QStringLiteral("boardroom"), row, &strError));
        QCOMPARE(row.strPath, QStringLiteral("rt_0315_1000.rdf"));
        QCOMPARE(row.nSetAtMs, Utc("2026-03-20T10:00:00Z"));
    }
};

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
