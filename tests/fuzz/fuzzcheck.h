#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

// A broken invariant is a finding like a crash: libFuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                                                        \
    do {                                                                                                             \
        if (!(condition)) {                                                                                          \
            std::fprintf(stderr, "%s:%d: broken: %s\n", __FILE__, __LINE__, #condition);                            \
            std::abort();                                                                                            \
        }                                                                                                            \
    } while (false)

// One application object for the whole run, on the offscreen platform so no
// display is needed; settings go to a throw-away folder, never the user's.
template <class TApplication>
void StartFuzzApplication(int* pArgc, char*** pArgv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_LOGGING_RULES", "qt.qpa.*=false");
    qputenv("XDG_CONFIG_HOME", QDir::tempPath().toLocal8Bit() + "/kv521-fuzz-config");
    // Kept to the end of the process: tearing Qt down among static destructors
    // would only add noise to every run.
    static TApplication* pApp = new TApplication(*pArgc, *pArgv);
    Q_UNUSED(pApp);
}
