#pragma once

#include "reportmanifest.h"
#include "sessioncomparison.h"
#include "visitreportdata.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// Puts a site visit's report together from its files and the catalogue, the
// same way for the window's export dialog and for kv521-cli report: every
// source with its sidecar and hash, each room's sessions compared with that
// room's baseline, the report number, and the manifest the report leaves
// beside it. Headless: it paints nothing.
class CVisitAssembler
{
    Q_DECLARE_TR_FUNCTIONS(CVisitAssembler)

public:
    struct Request
    {
        QString strStorage; // the storage folder with the catalogue; empty: the program's
        QStringList files;
        QString strFindings; // the operator's text
        double dToleranceKHz = CSessionComparison::kDefaultToleranceKhz;
        double dMinChangeDb = CSessionComparison::kDefaultMinChangeDb;
        qint64 nNumber = 0; // 0: take the next from the catalogue
    };

    // Loads every source with its sidecar and hash, compares each room's
    // sessions with that room's baseline (a session that is the baseline
    // says so; a room without one: "no baseline"), takes the report number,
    // and fills the manifest. A number is taken only once everything else
    // has been read, so a failure never uses one up. The manifest names the
    // sources by absolute path until WriteManifest places it.
    // False with the reason; warnings (cut-off tails, files without sweep
    // details) are listed.
    static bool Assemble(const Request& request, CVisitReportData& data, CReportManifest& manifest, QString* pError,
                         QStringList* pWarnings);
    // The manifest beside the PDF: X.pdf -> X.json, any other X -> X.json.
    static QString ManifestPathFor(const QString& strPdfPath);
    // Writes the manifest beside the PDF (after the PDF was written), its
    // sources named relative to the manifest's folder so that the report
    // and its data can move together. False with the reason.
    static bool WriteManifest(const CReportManifest& manifest, const QString& strPdfPath, QString* pError);
    // The program's storage folder, where the window and the tool keep sweeps.
    static QString DefaultStorage();
};
