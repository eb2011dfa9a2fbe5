#pragma once

#include "visitreportdata.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QString>

class QIODevice;
class QPainter;
class QPagedPaintDevice;

// The report of one site visit as an A4 PDF a client can be handed: who
// swept which rooms when, with which detector and settings; per room the
// diagram, the comparison with its baseline, the alarms and the highest
// levels; the operator's findings; and an appendix naming every source file
// with its SHA-256, so the data behind the report can be checked.
class CVisitReport
{
    Q_DECLARE_TR_FUNCTIONS(CVisitReport)

public:
    explicit CVisitReport(const CVisitReportData& data);

    // Written to a temporary file and renamed into place.
    bool Write(const QString& strPath, QString* pError);
    bool Write(QIODevice& device, QString* pError);
    int PageCount() const { return m_nPages; }

private:
    class CPageFlow;

    void Paint(QPainter& painter, QPagedPaintDevice& device, int nTotalPages);
    void PaintCover(CPageFlow& flow);
    void PaintSettings(CPageFlow& flow);
    void PaintRoom(CPageFlow& flow, const QString& strRoom);
    void PaintFindings(CPageFlow& flow);
    void PaintAppendix(CPageFlow& flow);

    const CVisitReportData& m_Data;
    QDateTime m_Created;
    int m_nPages = 0;
};
