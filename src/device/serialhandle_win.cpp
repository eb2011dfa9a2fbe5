#include "serialhandle.h"

#include <windows.h>

namespace {
QString LastErrorText(const QString& strWhat)
{
    const DWORD err = GetLastError();
    wchar_t* pText = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, err, 0, reinterpret_cast<wchar_t*>(&pText), 0, nullptr);
    const QString text = pText ? QString::fromWCharArray(pText).trimmed() : QString::number(err);
    LocalFree(pText);
    return strWhat + QStringLiteral(": ") + text;
}
} // namespace

CSerialHandle::~CSerialHandle()
{
    Close();
}

QString CSerialHandle::SystemPath(const QString& strName)
{
    if (strName.startsWith(QLatin1String("\\\\.\\")))
        return strName;
    return QStringLiteral("\\\\.\\") + strName;
}

bool CSerialHandle::Open(const QString& strPath, int nBaud, int nDataBits, Parity eParity, int nStopBits)
{
    Close();
    m_bPermissionDenied = false;
    HANDLE h = CreateFileW(reinterpret_cast<const wchar_t*>(strPath.utf16()), GENERIC_READ | GENERIC_WRITE, 0,
                           nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        m_bPermissionDenied = GetLastError() == ERROR_ACCESS_DENIED;
        m_strLastError = LastErrorText(strPath);
        return false;
    }
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = MAXDWORD; // a read returns at once with what is waiting
    if (!SetCommTimeouts(h, &timeouts)) {
        m_strLastError = LastErrorText(strPath);
        CloseHandle(h);
        return false;
    }
    // Start from the port's own state: a zeroed block carries equal XON and
    // XOFF characters, which SetCommState refuses.
    DCB dcb{};
    dcb.DCBlength = sizeof(dcb);
    if (!GetCommState(h, &dcb)) {
        m_strLastError = LastErrorText(strPath);
        CloseHandle(h);
        return false;
    }
    dcb.fBinary = TRUE;
    dcb.BaudRate = DWORD(nBaud);
    dcb.ByteSize = BYTE(nDataBits);
    dcb.fParity = eParity == Parity::None ? FALSE : TRUE;
    dcb.Parity = eParity == Parity::None ? NOPARITY : eParity == Parity::Odd ? ODDPARITY : EVENPARITY;
    dcb.StopBits = nStopBits == 2 ? TWOSTOPBITS : ONESTOPBIT;
    dcb.fDtrControl = DTR_CONTROL_DISABLE;
    dcb.fRtsControl = RTS_CONTROL_DISABLE;
    dcb.fOutxCtsFlow = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fTXContinueOnXoff = TRUE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    dcb.fErrorChar = FALSE;
    dcb.fNull = FALSE;
    dcb.fAbortOnError = FALSE;
    if (!SetCommState(h, &dcb)) {
        m_strLastError = LastErrorText(strPath);
        CloseHandle(h);
        return false;
    }
    m_hPort = h;
    m_strLastError.clear();
    return true;
}

void CSerialHandle::Close()
{
    if (m_hPort != INVALID_HANDLE_VALUE) {
        CloseHandle(m_hPort);
        m_hPort = INVALID_HANDLE_VALUE;
    }
}

bool CSerialHandle::IsOpen() const
{
    return m_hPort != INVALID_HANDLE_VALUE;
}

int CSerialHandle::ModemLines() const
{
    // The modem status reports the lines coming in, not DTR and RTS going out.
    return -1;
}

long CSerialHandle::Write(const void* pData, size_t nCount)
{
    DWORD nWritten = 0;
    if (!IsOpen() || !WriteFile(m_hPort, pData, DWORD(nCount), &nWritten, nullptr))
        return -1;
    return long(nWritten);
}

long CSerialHandle::ReadAvailable(void* pData, size_t nCount)
{
    DWORD nRead = 0;
    if (!IsOpen() || !ReadFile(m_hPort, pData, DWORD(nCount), &nRead, nullptr))
        return -1;
    return long(nRead);
}

bool CSerialHandle::WaitReadable(int nMs)
{
    // Overlapped waits need an overlapped handle; polling the queue every
    // millisecond keeps the same answer time for a 20 ms poll.
    const ULONGLONG nEnd = GetTickCount64() + ULONGLONG(nMs);
    for (;;) {
        COMSTAT stat{};
        DWORD errors = 0;
        if (!IsOpen() || !ClearCommError(m_hPort, &errors, &stat))
            return false;
        if (stat.cbInQue > 0)
            return true;
        if (GetTickCount64() >= nEnd)
            return false;
        Sleep(1);
    }
}
