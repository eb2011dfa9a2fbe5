#pragma once

#include "devicerecord.h"

#include <QByteArray>
#include <QList>
#include <QString>

class CKV520DataModel;

// The device's files: log files cut from a downloaded flash log, realtime
// files written from the history, and reading either back. Each failure gives
// a reason in *pError for the user.
class CDeviceFiles
{
public:
    static bool SaveLogFile(const QByteArray& logBlocks, const QString& strFolder, QString* pError);
    static bool SaveRealtimeFile(const CKV520DataModel& model, const QString& strFolder, int nVersion,
                                 QString& strName, QString* pError);
    static bool LoadDataFile(const QString& strPath, QList<CDeviceRecord>& records, int& nVersion, QString* pError);
};
