#pragma once

#include "devicerecord.h"
#include "sweepcontext.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QList>
#include <QString>

#include <array>

class QIODevice;
class QPainter;
class QPagedPaintDevice;
class QRectF;

// A sweep report of one realtime or log file as an A4 PDF: title block,
// the diagram over the whole file, counts per signal kind and channel, the
// highest levels with their times, and the table of events with the alarm
// rows marked. Texts in the program's current language.
class CSweepReport
{
    Q_DECLARE_TR_FUNCTIONS(CSweepReport)

public:
    CSweepReport(const QList<CDeviceRecord>& records, int nVersion, const QString& strFileName);

    // Where, by whom, and the zone the detector's clock was in, as the
    // file's sidecar tells them; shown in the title block and kept in the
    // PDF's document information.
    void SetContext(const CSweepContext& context, bool bZoneKnown, int nUtcOffsetSecs);

    // Written to a temporary file and renamed into place, so a failed report
    // never replaces a good one.
    bool Write(const QString& strPath, QString* pError);
    // Into an open device, for example a buffer bound for a pipe.
    bool Write(QIODevice& device, QString* pError);
    // Pages of the last written report.
    int PageCount() const { return m_nPages; }

    // An alarm row: a log event the detector flagged on some channel, a
    // realtime record with a level at or above its threshold.
    static bool IsAlarm(const CDeviceRecord& record, bool bLog);

private:
    struct Summary
    {
        std::array<int, kSignalKindCount + 1> signalCounts{}; // last: kinds this program does not know
        // Runs of consecutive records of one kind: a realtime file counts a
        // transmitter seen for a minute as thousands of records.
        std::array<int, kSignalKindCount + 1> signalEpisodes{};
        std::array<int, 3> channelCounts{};
        std::array<double, 6> maxLevels{};
        std::array<int64_t, 6> maxTimes{};
        int nChannelMask = 0;
        int64_t nFirst = 0;
        int64_t nLast = 0;
    };

    void Summarise();
    void Paint(QPainter& painter, QPagedPaintDevice& device);
    double PaintTitle(QPainter& painter, double dWidth);
    double PaintSummary(QPainter& painter, double dTop, double dWidth);
    double PaintTableLegend(QPainter& painter, double dTop, double dWidth);
    void PaintFooter(QPainter& painter, double dWidth, double dHeight, int nPage);
    double Mm(double dMillimetres) const;

    // A shared copy: callers may pass a temporary list.
    const QList<CDeviceRecord> m_Records;
    int m_nVersion;
    bool m_bLog;
    QString m_strFileName;
    // Rows of the events table, indices into m_Records: every event of a log
    // file; for a realtime file the records where a level reached its threshold.
    QList<int> m_TableRows;
    Summary m_Summary;
    CSweepContext m_Context;
    bool m_bZoneKnown = false;
    int m_nUtcOffsetSecs = 0;
    QDateTime m_Created;
    int m_nResolution = 300;
    int m_nPages = 0;
};
