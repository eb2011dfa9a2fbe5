#include "pseudoterminal.h"

#include <QtGlobal>

#ifndef Q_OS_WIN
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>
#endif

CPseudoTerminal::~CPseudoTerminal()
{
    Close();
}

bool CPseudoTerminal::IsOpen() const
{
    return m_nMaster >= 0;
}

#ifdef Q_OS_WIN

// Windows has no pseudo-terminals a serial-port API can open; a virtual
// null-modem pair and --port do the same job there.
bool CPseudoTerminal::Open(QString* pError)
{
    if (pError)
        *pError = QStringLiteral("the simulated detector needs a pseudo-terminal, which this system does not offer; "
                                 "connect a virtual null-modem pair and use --port instead");
    return false;
}

void CPseudoTerminal::Close() {}

bool CPseudoTerminal::LinkTo(const QString&, QString* pError) const
{
    if (pError)
        *pError = QStringLiteral("not supported on this system");
    return false;
}

CPseudoTerminal::Wait CPseudoTerminal::WaitReadable(int) const { return HungUp; }
CPseudoTerminal::Wait CPseudoTerminal::WaitWritable(int) const { return HungUp; }
int CPseudoTerminal::Read(uint8_t*, int) const { return -1; }
int CPseudoTerminal::Write(const uint8_t*, int) const { return -1; }

#else

namespace {

void MakeRaw(int fd)
{
    termios tio{};
    if (::tcgetattr(fd, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::tcsetattr(fd, TCSANOW, &tio);
    }
}

CPseudoTerminal::Wait PollFor(int fd, short nEvent, int nTimeoutMs)
{
    pollfd pfd{fd, nEvent, 0};
    const int nReady = ::poll(&pfd, 1, nTimeoutMs);
    if (nReady <= 0)
        return CPseudoTerminal::TimedOut;
    if (pfd.revents & nEvent)
        return CPseudoTerminal::Ready;
    // With no PC side open the master reports a hang-up at once.
    return CPseudoTerminal::HungUp;
}

} // namespace

bool CPseudoTerminal::Open(QString* pError)
{
    Close();
    auto fail = [&](const char* what) {
        if (pError)
            *pError = QStringLiteral("%1: %2").arg(QLatin1String(what), QString::fromLocal8Bit(std::strerror(errno)));
        Close();
        return false;
    };
    m_nMaster = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (m_nMaster < 0)
        return fail("posix_openpt");
    if (::grantpt(m_nMaster) != 0 || ::unlockpt(m_nMaster) != 0)
        return fail("grantpt/unlockpt");
    const char* pName = ::ptsname(m_nMaster);
    if (!pName)
        return fail("ptsname");
    m_strSlave = QString::fromLocal8Bit(pName);
    MakeRaw(m_nMaster);
    // Raw on the slave too, so a newline from the PC is not turned into two bytes
    // before the PC side sets its own mode.
    const int nSlave = ::open(pName, O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (nSlave >= 0) {
        MakeRaw(nSlave);
        ::close(nSlave);
    }
    ::fcntl(m_nMaster, F_SETFL, ::fcntl(m_nMaster, F_GETFL) | O_NONBLOCK);
    return true;
}

void CPseudoTerminal::Close()
{
    if (m_nMaster >= 0)
        ::close(m_nMaster);
    m_nMaster = -1;
}

bool CPseudoTerminal::LinkTo(const QString& strPath, QString* pError) const
{
    const QByteArray link = strPath.toLocal8Bit();
    ::unlink(link.constData());
    if (::symlink(m_strSlave.toLocal8Bit().constData(), link.constData()) != 0) {
        if (pError)
            *pError = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    return true;
}

CPseudoTerminal::Wait CPseudoTerminal::WaitReadable(int nTimeoutMs) const
{
    return PollFor(m_nMaster, POLLIN, nTimeoutMs);
}

CPseudoTerminal::Wait CPseudoTerminal::WaitWritable(int nTimeoutMs) const
{
    return PollFor(m_nMaster, POLLOUT, nTimeoutMs);
}

int CPseudoTerminal::Read(uint8_t* p, int nMax) const
{
    const ssize_t n = ::read(m_nMaster, p, size_t(nMax));
    return n > 0 ? int(n) : -1;
}

int CPseudoTerminal::Write(const uint8_t* p, int n) const
{
    const ssize_t w = ::write(m_nMaster, p, size_t(n));
    return w > 0 ? int(w) : -1;
}

#endif
