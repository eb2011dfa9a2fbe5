#pragma once

#include "devicerecord.h"
#include "sweepcontext.h"
#include "visitreportdata.h"

#include <QList>
#include <QString>

class QCoreApplication;
class QIODevice;

// The sweep report as a module the command-line tool loads only when it
// writes a report: Qt Gui brings the display libraries (X, EGL, D-Bus) along,
// and a headless tool must start on machines that have none of them.
// Plain C entry points, looked up by name; the version is part of the names.
extern "C" {
// The application object painting needs, on the offscreen platform unless
// QT_QPA_PLATFORM says otherwise. argc and argv must outlive it.
using KV521CreateReportApplication = QCoreApplication* (*)(int& argc, char** argv);
// Writes the report of one file's records into a file, as CSweepReport::Write
// does; false with a reason.
using KV521WriteReport = bool (*)(const QList<CDeviceRecord>& records, int nVersion, const QString& strFileName,
                                  const QString& strPath, QString* pError);
// The same into a device (the standard output).
using KV521WriteReportTo = bool (*)(const QList<CDeviceRecord>& records, int nVersion, const QString& strFileName,
                                    QIODevice& device, QString* pError);
// One file's report with its sweep (site, room, operator) and the zone its
// times are in; into pDevice when given, else into the file strPath.
using KV521WriteReport2 = bool (*)(const QList<CDeviceRecord>& records, int nVersion, const QString& strFileName,
                                   const CSweepContext& context, bool bZoneKnown, int nUtcOffsetSecs,
                                   const QString& strPath, QIODevice* pDevice, QString* pError);
// The report of a site visit, as CVisitReport::Write does.
using KV521WriteVisitReport = bool (*)(const CVisitReportData& data, const QString& strPath, QIODevice* pDevice,
                                       QString* pError);
}

#define KV521_REPORT_CREATE_APPLICATION "kv521_report_create_application_v1"
#define KV521_REPORT_WRITE "kv521_report_write_v1"
#define KV521_REPORT_WRITE_TO "kv521_report_write_to_v1"
#define KV521_REPORT_WRITE_2 "kv521_report_write_v2"
#define KV521_REPORT_WRITE_VISIT "kv521_report_write_visit_v1"
