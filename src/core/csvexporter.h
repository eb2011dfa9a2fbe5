#pragma once

#include "devicerecord.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Records of an opened file as comma-separated values for spreadsheets:
// one row per record, '.' as the decimal point in every language, fields
// quoted where they need it. Log files get the columns of the log list.
class CCsvExporter
{
public:
    static QString Quote(const QString& strField);
    static QStringList Header(int nVersion);
    static QStringList Row(const CDeviceRecord& record, int nRow, int nVersion);
    // The fields quoted and joined, without a line end.
    static QString Line(const QStringList& fields);
    // UTF-8 with a byte order mark, CRLF line ends.
    static QByteArray Build(const QList<CDeviceRecord>& records, int nVersion);
    static bool Write(const QString& strPath, const QList<CDeviceRecord>& records, int nVersion, QString* pError);
};
