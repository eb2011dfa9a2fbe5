// The catalogue of a simulated year: 250 working days, 6 hours of recording
// a day at 15 records per second, 20000 log events. Prints figures.
//
// A full year of records is 6 GB of files; the year is written at one
// record in kReducedStep seconds instead (every minute still has records, so
// the minute summaries, alarm events and files are those of the full year),
// and the full-rate cost is extrapolated from one day written at the full
// rate. Run: build/default/bench/bench_catalogue [folder]
#include "catalogue.h"
#include "devicefiles.h"
#include "sidecar.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int kDays = 250;
constexpr int kFilesPerDay = 6; // one hour each
constexpr int kRate = 15;       // records per second at full rate
constexpr int kReducedStep = 4; // seconds between records in the simulated year
constexpr int kLogEvents = 20000;
constexpr int kLogFiles = 250;
const char* const kRooms[] = {"Boardroom", "Room 2", "Office A", "Office B", "Lab"};

// One hour of recording from nHour on: levels that climb above the
// threshold for a while every few minutes, as a transmitter switched on.
QByteArray Recording(const QDate& date, int nHour, int nStepMs, uint32_t nSeed)
{
    const int nRecords = 3600 * 1000 / nStepMs;
    QByteArray data = CDeviceFiles::FileHeader(CDeviceFiles::kRealtimeVersion);
    data.resize(4 + qsizetype(nRecords) * 76);
    for (int i = 0; i < nRecords; ++i) {
        DeviceRawRecord rec;
        rec.Clear();
        const int64_t nMs = int64_t(i) * nStepMs;
        rec.Month = uint8_t(date.month());
        rec.Day = uint8_t(date.day());
        rec.SetTime(date.day() * 345600 + int32_t((nHour * 3600 * 1000 + nMs) / 250));
        rec.BandMask = 0x07;
        const int nPhase = int((nMs / 1000 + nSeed) % 300); // a five-minute cycle
        const int nLevel = nPhase < 20 ? 55 + int((nSeed + uint32_t(i)) % 25) : 30 + int((nSeed * 7 + uint32_t(i)) % 15);
        for (int b = 0; b < 3; ++b) {
            rec.Levels[b] = uint8_t(nLevel * 2 - b * 4);
            rec.Levels[3 + b] = uint8_t(nLevel * 2 - 10);
            rec.Levels[9 + b] = 110; // 55 dB
            rec.Levels[12 + b] = 200;
        }
        rec.Levels[6] = uint8_t(nPhase < 20 ? 1 + (nSeed % 6) : 0);
        memcpy(data.data() + 4 + qsizetype(i) * 76, &rec, sizeof(rec));
    }
    return data;
}

QByteArray Log(const QDate& date, int nEvents, uint32_t nSeed)
{
    QByteArray data = CDeviceFiles::FileHeader(CDeviceFiles::kLogVersion);
    for (int i = 0; i < nEvents; ++i) {
        DeviceRawRecord rec;
        rec.Clear();
        rec.SetSequence(int16_t(i + 1));
        rec.Month = uint8_t(date.month());
        rec.Day = uint8_t(date.day());
        rec.SetTime(date.day() * 345600 + (18 * 3600 + i * 37) * 4);
        rec.BandMask = uint8_t(1 << (i % 3));
        rec.BandBytes[i % 3] = uint8_t((i + nSeed) % 3 == 0 ? 0 : 1);
        rec.Levels[i % 3] = uint8_t(2 * (40 + (i * 7 + nSeed) % 40));
        rec.Levels[6 + i % 3] = uint8_t(i % 7);
        data.append(reinterpret_cast<const char*>(&rec), sizeof(rec));
    }
    return data;
}

bool Store(const QString& strPath, const QByteArray& data, const QString& strRoom, int nYear)
{
    QFile file(strPath);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size())
        return false;
    file.close();
    CSidecar sidecar;
    sidecar.m_Context.m_strClient = QStringLiteral("ACME");
    sidecar.m_Context.m_strRoom = strRoom;
    sidecar.m_Capture.m_nYear = nYear;
    sidecar.m_Capture.m_nUtcOffsetSecs = 3600;
    return sidecar.Write(strPath);
}

qint64 FolderBytes(const QString& strFolder, const QString& strPattern)
{
    qint64 nBytes = 0;
    for (const QFileInfo& info : QDir(strFolder).entryInfoList({strPattern}, QDir::Files))
        nBytes += info.size();
    return nBytes;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir temporary;
    const QString strRoot = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temporary.path();
    QString strError;

    // One day at the full rate, catalogued file by file as each is closed.
    const QString strDay = QDir(strRoot).filePath(QStringLiteral("day"));
    QDir().mkpath(strDay);
    QDate day(2026, 3, 2);
    for (int f = 0; f < kFilesPerDay; ++f)
        Store(QDir(strDay).filePath(QStringLiteral("rt_%1.rdf").arg(f)), Recording(day, 9 + f, 1000 / kRate, uint32_t(f)),
              QLatin1String(kRooms[f % 5]), 2026);
    CCatalogue dayCatalogue(strDay);
    QElapsedTimer timer;
    timer.start();
    if (!dayCatalogue.Open(&strError)) {
        std::fprintf(stderr, "%s\n", qPrintable(strError));
        return 1;
    }
    const double dDayMs = double(timer.nsecsElapsed()) / 1e6;
    const qint64 nDayRecords = int64_t(kFilesPerDay) * 3600 * kRate;
    const double dPerRecordUs = dDayMs * 1000.0 / double(nDayRecords);
    std::printf("one day (%d files, %lld records, %.1f MB) catalogued: %.0f ms, %.2f us per record\n", kFilesPerDay,
                (long long)nDayRecords, double(FolderBytes(strDay, QStringLiteral("*.rdf"))) / 1e6, dDayMs, dPerRecordUs);
    std::printf("  that is %.2f ms of a worker's time per hour of recording, %.3f%% of one core while recording\n",
                dDayMs / kFilesPerDay, dDayMs / kFilesPerDay / 3600e3 * 100.0);

    // The year at one record in kReducedStep seconds.
    const QString strYear = QDir(strRoot).filePath(QStringLiteral("year"));
    QDir().mkpath(strYear);
    timer.restart();
    QDate date(2026, 1, 5);
    int nDay = 0;
    int nFiles = 0;
    while (nDay < kDays) {
        if (date.dayOfWeek() <= 5) {
            for (int f = 0; f < kFilesPerDay; ++f, ++nFiles)
                Store(QDir(strYear).filePath(QStringLiteral("rt_%1_%2.rdf").arg(date.toString(QStringLiteral("MMdd"))).arg(f)),
                      Recording(date, 9 + f, kReducedStep * 1000, uint32_t(nFiles)), QLatin1String(kRooms[nFiles % 5]), 2026);
            ++nDay;
        }
        date = date.addDays(1);
    }
    for (int l = 0; l < kLogFiles; ++l)
        Store(QDir(strYear).filePath(QStringLiteral("log_%1.ldf").arg(l)), Log(QDate(2026, 1, 5).addDays(l), kLogEvents / kLogFiles, uint32_t(l)),
              QLatin1String(kRooms[l % 5]), 2026);
    std::printf("simulated year written: %d recordings, %d logs, %.0f s\n", nFiles, kLogFiles,
                double(timer.elapsed()) / 1000.0);

    CCatalogue catalogue(strYear);
    timer.restart();
    if (!catalogue.Open(&strError)) {
        std::fprintf(stderr, "%s\n", qPrintable(strError));
        return 1;
    }
    const double dBuildS = double(timer.elapsed()) / 1000.0;
    timer.restart();
    if (!catalogue.Rebuild(&strError)) {
        std::fprintf(stderr, "%s\n", qPrintable(strError));
        return 1;
    }
    const double dRebuildS = double(timer.elapsed()) / 1000.0;
    const qint64 nReducedRecords = int64_t(nFiles) * 3600 / kReducedStep;
    const qint64 nFullRecords = int64_t(nFiles) * 3600 * kRate;
    const double dFullRebuildS = dRebuildS + double(nFullRecords - nReducedRecords) * dPerRecordUs / 1e6;
    std::printf("full rebuild of %d files: %.1f s at the reduced rate (%lld records); at 15 records/s "
                "(%lld records) extrapolated %.0f s (goal < 60 s); first build %.1f s\n",
                nFiles + kLogFiles, dRebuildS, (long long)nReducedRecords, (long long)nFullRecords, dFullRebuildS, dBuildS);

    CCatalogue::Query query;
    query.strRoom = QStringLiteral("Boardroom");
    query.bAlarmsOnly = true;
    query.dMinLevel = 60.0;
    query.nFromMs = QDateTime(QDate(2026, 3, 1), QTime(0, 0), Qt::OffsetFromUTC, 3600).toMSecsSinceEpoch();
    query.nToMs = QDateTime(QDate(2026, 4, 1), QTime(0, 0), Qt::OffsetFromUTC, 7200).toMSecsSinceEpoch();
    int nFound = 0;
    catalogue.FindEvents(query, &strError); // warm
    timer.restart();
    constexpr int kRuns = 20;
    for (int r = 0; r < kRuns; ++r)
        nFound = int(catalogue.FindEvents(query, &strError).size());
    std::printf("search \"alarms >= 60 dB in room Boardroom in March\": %d events, %.1f ms (goal < 200 ms)\n", nFound,
                double(timer.nsecsElapsed()) / 1e6 / kRuns);
    const qint64 nAll = catalogue.FindEvents(CCatalogue::Query(), &strError).size();
    catalogue.Close();

    // Checkpointed: the WAL folded into the database.
    {
        CCatalogue closing(strYear);
        closing.Open(&strError);
    }
    const qint64 nDb = QFileInfo(catalogue.DatabasePath()).size()
                     + QFileInfo(catalogue.DatabasePath() + QStringLiteral("-wal")).size();
    const qint64 nRawFull = nFullRecords * 76 + int64_t(nFiles) * 4 + FolderBytes(strYear, QStringLiteral("*.ldf"));
    std::printf("catalogue: %.1f MB for %lld events; raw files of the full-rate year %.2f GB: %.2f %% (goal < 5 %%)\n",
                double(nDb) / 1e6, (long long)nAll, double(nRawFull) / 1e9, 100.0 * double(nDb) / double(nRawFull));
    return 0;
}
