#pragma once

#include "capturetime.h"
#include "devicerecord.h"
#include "sidecar.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QString>

#include <array>
#include <cstdint>

// What the catalogue knows of one data file, read from the file and its
// sidecar alone, so that indexing it again, or rebuilding the catalogue,
// gives the same answers.
class CFileIndexer
{
    Q_DECLARE_TR_FUNCTIONS(CFileIndexer)

public:
    static constexpr int kChannels = 3; // B1, B1F, B2

    struct Event
    {
        int64_t nPosition = 0; // record index within the file, from 0
        int64_t nInstantMs = 0;
        bool bAlarm = false;
        int nSignal = 0;
        int nBand = 0;
        double dLevel = 0.0;   // the highest of the six entries
        QString strLevels;     // the six entries, B1 DC ... B2 AC, in dB
        double dFrequency = 0.0;
    };

    struct Minute
    {
        int64_t nMinute = 0; // minutes since 1970 UTC
        std::array<double, kChannels> maxLevels{};
        int nKinds = 0;      // bit per signal kind present
    };

    struct Result
    {
        QString strSha256;
        bool bLog = false;
        CSidecar sidecar;
        bool bHasSidecar = false;
        // A sidecar that is there but cannot be read: the file is indexed
        // with a guessed year and zone, and the reason is told.
        QString strSidecarProblem;
        int64_t nFirstMs = 0;
        int64_t nLastMs = 0;
        int64_t nRecords = 0;
        std::array<int64_t, kSignalKindCount + 1> kindCounts{}; // last: kinds this program does not know
        std::array<double, kChannels> maxLevels{};
        int64_t nAlarms = 0;
        QList<Event> events;
        QList<Minute> minutes;
    };

    // False with the reason when the file is not a data file of ours.
    static bool Index(const QString& strPath, Result& result, QString* pError);
};
