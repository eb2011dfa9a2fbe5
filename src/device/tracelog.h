#pragma once

#include <QString>

// Where the trace goes: "--verbose" turns on every kv521 category (the
// default message handler writes to stderr), "--log-file FILE" copies every
// message to FILE as well. One per process.
class CTraceLog
{
public:
    // Turns the kv521 trace categories on (rules from QT_LOGGING_RULES still apply on top).
    static void EnableVerbose();
    // Appends every message from now on to strPath, besides stderr. False with
    // the reason when the file cannot be opened; the trace then stays on stderr.
    static bool OpenFile(const QString& strPath, QString* pError = nullptr);
    // Stops copying to the file and closes it.
    static void CloseFile();
};
