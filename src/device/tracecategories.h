#pragma once

#include <QLoggingCategory>

// The program's trace for bug reports. Every category is silent by default
// (only warnings pass); "--verbose" or QT_LOGGING_RULES turn the debug lines
// on. A disabled qCDebug costs one test of a flag, so the lines may sit on
// the exchange's hot path.
Q_DECLARE_LOGGING_CATEGORY(lcLink)   // "kv521.link": port open/close, bytes sent, frames, drains
Q_DECLARE_LOGGING_CATEGORY(lcWorker) // "kv521.worker": worker start/stop, commands, downloads
Q_DECLARE_LOGGING_CATEGORY(lcFiles)  // "kv521.files": data, log and settings files
// "kv521.monitor": the unattended service. Its information lines pass by
// default: a service's log is where its user looks.
Q_DECLARE_LOGGING_CATEGORY(lcMonitor)
