#include "tracecategories.h"

Q_LOGGING_CATEGORY(lcLink, "kv521.link", QtWarningMsg)
Q_LOGGING_CATEGORY(lcWorker, "kv521.worker", QtWarningMsg)
Q_LOGGING_CATEGORY(lcFiles, "kv521.files", QtWarningMsg)
Q_LOGGING_CATEGORY(lcMonitor, "kv521.monitor", QtInfoMsg)
