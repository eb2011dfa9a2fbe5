#include "reportmodule.h"

#include "sweepreport.h"
#include "visitreport.h"

#include <QGuiApplication>

extern "C" Q_DECL_EXPORT QCoreApplication* kv521_report_create_application_v1(int& argc, char** argv)
{
    // The report paints into a file and never needs a display.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return new QGuiApplication(argc, argv);
}

extern "C" Q_DECL_EXPORT bool kv521_report_write_v1(const QList<CDeviceRecord>& records, int nVersion,
                                                    const QString& strFileName, const QString& strPath,
                                                    QString* pError)
{
    CSweepReport report(records, nVersion, strFileName);
    return report.Write(strPath, pError);
}

extern "C" Q_DECL_EXPORT bool kv521_report_write_to_v1(const QList<CDeviceRecord>& records, int nVersion,
                                                       const QString& strFileName, QIODevice& device,
                                                       QString* pError)
{
    CSweepReport report(records, nVersion, strFileName);
    return report.Write(device, pError);
}

extern "C" Q_DECL_EXPORT bool kv521_report_write_v2(const QList<CDeviceRecord>& records, int nVersion,
                                                    const QString& strFileName, const CSweepContext& context,
                                                    bool bZoneKnown, int nUtcOffsetSecs, const QString& strPath,
                                                    QIODevice* pDevice, QString* pError)
{
    CSweepReport report(records, nVersion, strFileName);
    report.SetContext(context, bZoneKnown, nUtcOffsetSecs);
    return pDevice ? report.Write(*pDevice, pError) : report.Write(strPath, pError);
}

extern "C" Q_DECL_EXPORT bool kv521_report_write_visit_v1(const CVisitReportData& data, const QString& strPath,
                                                          QIODevice* pDevice, QString* pError)
{
    CVisitReport report(data);
    return pDevice ? report.Write(*pDevice, pError) : report.Write(strPath, pError);
}
