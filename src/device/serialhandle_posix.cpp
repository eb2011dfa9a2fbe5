#include "serialhandle.h"

#include <QObject>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#if defined(__APPLE__)
#include <IOKit/serial/ioss.h>
#endif

namespace {
speed_t BaudConstant(int nBaud)
{
    switch (nBaud) {
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    case 230400: return B230400;
#ifdef B460800
    case 460800: return B460800;
#endif
#ifdef B921600
    case 921600: return B921600;
#endif
    default: return 0;
    }
}
} // namespace

CSerialHandle::~CSerialHandle()
{
    Close();
}

QString CSerialHandle::SystemPath(const QString& strName)
{
    if (strName.startsWith(QLatin1Char('/')))
        return strName;
    return QStringLiteral("/dev/") + strName;
}

bool CSerialHandle::Open(const QString& strPath, int nBaud, int nDataBits, Parity eParity, int nStopBits)
{
    Close();
    m_bPermissionDenied = false;
    const QByteArray path = strPath.toLocal8Bit();
    const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int err = errno;
        m_bPermissionDenied = err == EACCES || err == EPERM;
        m_strLastError = QStringLiteral("%1: %2").arg(strPath, QString::fromLocal8Bit(std::strerror(err)));
        return false;
    }
    auto fail = [&](const char* what) {
        m_strLastError = QStringLiteral("%1: %2: %3").arg(strPath, QLatin1String(what),
                                                             QString::fromLocal8Bit(std::strerror(errno)));
        ::close(fd);
        return false;
    };
    // Not shared, like the exclusive open on Windows. A pseudo-terminal may refuse; that is fine.
    ::ioctl(fd, TIOCEXCL);
    // TIOCEXCL does not stop root. The advisory lock stops a second instance
    // whoever runs it, which would otherwise take half of the frames; it goes
    // with the descriptor. A file system without locks is no reason to refuse.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
        m_strLastError = QStringLiteral("%1: %2").arg(strPath, QString::fromLocal8Bit(std::strerror(EBUSY)));
        ::close(fd);
        return false;
    }

    termios tio;
    if (::tcgetattr(fd, &tio) != 0)
        return fail("tcgetattr");
    ::cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    // Closing must not drop and so toggle DTR: that would reset the detector too.
    tio.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB | HUPCL);
#ifdef CRTSCTS
    tio.c_cflag &= ~CRTSCTS;
#endif
    tio.c_cflag |= nDataBits == 7 ? CS7 : CS8;
    if (eParity != Parity::None)
        tio.c_cflag |= PARENB | (eParity == Parity::Odd ? PARODD : 0);
    if (nStopBits == 2)
        tio.c_cflag |= CSTOPB;
    tio.c_iflag &= ~(IXON | IXOFF | IXANY);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    const speed_t speed = BaudConstant(nBaud);
    if (speed != 0) {
        ::cfsetispeed(&tio, speed);
        ::cfsetospeed(&tio, speed);
    }
    if (::tcsetattr(fd, TCSANOW, &tio) != 0)
        return fail("tcsetattr");
#if defined(__APPLE__)
    if (speed == 0) {
        speed_t custom = speed_t(nBaud);
        if (::ioctl(fd, IOSSIOSPEED, &custom) != 0)
            return fail("IOSSIOSPEED");
    }
#else
    if (speed == 0) {
        errno = EINVAL;
        return fail("baud rate");
    }
#endif
    // The driver raises DTR and RTS on every open, and a rising DTR resets
    // boards of the detector's kind: drop both at once, as the Windows handle
    // opens with them disabled. A pseudo-terminal has no modem lines.
    int nLines = TIOCM_DTR | TIOCM_RTS;
    ::ioctl(fd, TIOCMBIC, &nLines);
    m_nFd = fd;
    m_strLastError.clear();
    return true;
}

void CSerialHandle::Close()
{
    if (m_nFd >= 0) {
        ::close(m_nFd); // a fault while closing is of no use to anyone
        m_nFd = -1;
    }
}

bool CSerialHandle::IsOpen() const
{
    return m_nFd >= 0;
}

int CSerialHandle::ModemLines() const
{
    int nBits = 0;
    if (m_nFd < 0 || ::ioctl(m_nFd, TIOCMGET, &nBits) != 0)
        return -1;
    return ((nBits & TIOCM_DTR) ? Dtr : 0) | ((nBits & TIOCM_RTS) ? Rts : 0);
}

long CSerialHandle::Write(const void* pData, size_t nCount)
{
    if (m_nFd < 0)
        return -1;
    const char* p = static_cast<const char*>(pData);
    size_t nDone = 0;
    // The port is non-blocking; a full output queue is waited out briefly so a
    // 59-byte settings write is never cut short.
    int nStalls = 0;
    while (nDone < nCount) {
        const ssize_t n = ::write(m_nFd, p + nDone, nCount - nDone);
        if (n > 0) {
            nDone += size_t(n);
            nStalls = 0;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) && ++nStalls < 50) {
            pollfd pfd{m_nFd, POLLOUT, 0};
            ::poll(&pfd, 1, 20);
            continue;
        }
        break;
    }
    return long(nDone);
}

long CSerialHandle::ReadAvailable(void* pData, size_t nCount)
{
    if (m_nFd < 0)
        return -1;
    for (;;) {
        const ssize_t n = ::read(m_nFd, pData, nCount);
        if (n >= 0)
            return long(n);
        if (errno == EINTR)
            continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK)
            return 0;
        return -1;
    }
}

bool CSerialHandle::WaitReadable(int nMs)
{
    if (m_nFd < 0)
        return false;
    pollfd pfd{m_nFd, POLLIN, 0};
    int n;
    do {
        n = ::poll(&pfd, 1, nMs);
    } while (n < 0 && errno == EINTR);
    return n > 0 && (pfd.revents & POLLIN);
}
