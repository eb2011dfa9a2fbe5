#include "devicefiles.h"
#include "kv520datamodel.h"

// Filled in with the storage and log views.
bool CDeviceFiles::SaveLogFile(const QByteArray&, const QString&, QString* pError)
{
    if (pError)
        *pError = QStringLiteral("Not available yet.");
    return false;
}

bool CDeviceFiles::SaveRealtimeFile(const CKV520DataModel&, const QString&, int, QString&, QString* pError)
{
    if (pError)
        *pError = QStringLiteral("Not available yet.");
    return false;
}

bool CDeviceFiles::LoadDataFile(const QString&, QList<CDeviceRecord>&, int&, QString* pError)
{
    if (pError)
        *pError = QStringLiteral("Not available yet.");
    return false;
}
