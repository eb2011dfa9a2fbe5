#pragma once

#include "devicerecord.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Records of an opened file as comma-separated values: one row per record,
// '.' as the decimal point in every language, fields quoted where they need
// it. Log files get the columns of the log list; realtime files use the same
// names for the same quantities, plus the threshold of every entry.
class CCsvExporter
{
public:
    // Plain: UTF-8 with LF line ends, what scripts and csv readers expect.
    // Excel: a byte order mark and CRLF, without which spreadsheets take
    // UTF-8 for the local code page.
    enum class Dialect { Plain, Excel };

    static QString Quote(const QString& strField);
    static QStringList Header(int nVersion);
    // With an offset the times are stated in it (the PC's offset when the
    // records were captured); without, in this PC's zone now.
    static QStringList Row(const CDeviceRecord& record, int nRow, int nVersion,
                           std::optional<int> utcOffset = std::nullopt);
    // The fields quoted and joined, without a line end.
    static QString Line(const QStringList& fields);
    // What comes before the first line, and after every line.
    static QByteArray Preamble(Dialect eDialect);
    static QByteArray LineEnd(Dialect eDialect);
    static QByteArray Build(const QList<CDeviceRecord>& records, int nVersion, Dialect eDialect = Dialect::Excel,
                            std::optional<int> utcOffset = std::nullopt);
    static bool Write(const QString& strPath, const QList<CDeviceRecord>& records, int nVersion, QString* pError,
                      Dialect eDialect = Dialect::Excel, std::optional<int> utcOffset = std::nullopt);
};
