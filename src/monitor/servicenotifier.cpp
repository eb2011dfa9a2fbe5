#include "servicenotifier.h"

#include "tracecategories.h"

#ifdef KV521_HAVE_SYSTEMD
#include <systemd/sd-daemon.h>
#endif

CServiceNotifier::CServiceNotifier(QObject* pParent)
    : QObject(pParent)
{
    connect(&m_Watchdog, &QTimer::timeout, this, &CServiceNotifier::OnWatchdog);
}

void CServiceNotifier::Ready()
{
#ifdef KV521_HAVE_SYSTEMD
    sd_notify(0, "READY=1");
    uint64_t nUsec = 0;
    if (sd_watchdog_enabled(0, &nUsec) > 0 && nUsec > 0) {
        // Twice per period, as the manager's documentation advises.
        m_Watchdog.start(int(qBound<uint64_t>(1, nUsec / 2000, 3600 * 1000)));
        qCInfo(lcMonitor) << "Watchdog every" << m_Watchdog.interval() << "ms";
    }
#endif
}

void CServiceNotifier::Stopping()
{
    m_Watchdog.stop();
#ifdef KV521_HAVE_SYSTEMD
    sd_notify(0, "STOPPING=1");
#endif
}

void CServiceNotifier::OnWatchdog()
{
#ifdef KV521_HAVE_SYSTEMD
    sd_notify(0, "WATCHDOG=1");
#endif
}
