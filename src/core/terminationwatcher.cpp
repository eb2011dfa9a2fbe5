#include "terminationwatcher.h"

#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

// A handler may only do async-signal-safe things: it writes the signal's
// number into a pipe, and the GUI thread reads it from there.
int g_aPipe[2] = {-1, -1};
const int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

void OnSignal(int nSignal)
{
    const unsigned char byte = static_cast<unsigned char>(nSignal);
    [[maybe_unused]] const ssize_t n = ::write(g_aPipe[1], &byte, 1);
}

} // namespace

CTerminationWatcher::CTerminationWatcher(QObject* pParent) : QObject(pParent)
{
    if (g_aPipe[0] >= 0 || ::pipe(g_aPipe) != 0)
        return; // one watcher per process
    for (int fd : g_aPipe) {
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
    m_pNotifier = new QSocketNotifier(g_aPipe[0], QSocketNotifier::Read, this);
    connect(m_pNotifier, &QSocketNotifier::activated, this, &CTerminationWatcher::OnReadable);
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART | SA_RESETHAND; // the next one takes the default way
    for (int nSignal : kSignals)
        ::sigaction(nSignal, &action, nullptr);
}

CTerminationWatcher::~CTerminationWatcher()
{
    if (!m_pNotifier)
        return;
    for (int nSignal : kSignals)
        ::signal(nSignal, SIG_DFL);
    delete m_pNotifier;
    m_pNotifier = nullptr;
    for (int& fd : g_aPipe) {
        ::close(fd);
        fd = -1;
    }
}

void CTerminationWatcher::OnReadable()
{
    unsigned char byte = 0;
    while (::read(g_aPipe[0], &byte, 1) == 1)
        emit terminationRequested(byte);
}

#else

CTerminationWatcher::CTerminationWatcher(QObject* pParent) : QObject(pParent) {}
CTerminationWatcher::~CTerminationWatcher() = default;
void CTerminationWatcher::OnReadable() {}

#endif
