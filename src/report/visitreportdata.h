#pragma once

#include "devicerecord.h"
#include "sidecar.h"

#include <QCoreApplication>
#include <QList>
#include <QString>

// What a visit report is made of, filled without any display library (the
// command-line tool fills it, the report module paints it): the sessions of
// one site visit as files with their sidecars and hashes, the comparison of
// each room with its baseline as plain rows, the report number and the
// operator's findings.
class CVisitReportData
{
    Q_DECLARE_TR_FUNCTIONS(CVisitReportData)

public:
    struct Difference
    {
        QString strInstant;
        QString strWhat;
        QString strThen;
        QString strNow;
    };
    enum class Baseline { NotCompared, None, Compared };
    struct Comparison
    {
        QString strRoom;
        Baseline eBaseline = Baseline::NotCompared;
        // Which session the room was compared with, for the reader.
        QString strBaseline;
        // Why the room was not compared, or that a session is the baseline itself.
        QString strNote;
        QList<Difference> differences;
    };
    struct Source
    {
        QString strPath;
        QString strFileName;
        QString strSha256; // lower-case hex of the whole file
        qint64 nSize = 0;
        int nVersion = 0;
        // Times are the detector's wall clock in the year its sidecar names.
        QList<CDeviceRecord> records;
        bool bHasSidecar = false;
        CSidecar sidecar;

        bool IsLog() const;
        // The sidecar's room, else the file's name: a file never goes unlisted.
        QString Room() const;
    };

    QString m_strNumber;
    QString m_strFindings;
    QList<Source> m_Sources;
    QList<Comparison> m_Comparisons;

    // Reads a realtime or log file and its sidecar; false with the reason.
    // Only regular files are read. pWarning: a notice such as a cut-off tail.
    static bool LoadSource(const QString& strPath, Source& source, QString* pError, QString* pWarning = nullptr);
    // The rooms in the order their first session began.
    QStringList Rooms() const;
    const Comparison* ComparisonOf(const QString& strRoom) const;
};
