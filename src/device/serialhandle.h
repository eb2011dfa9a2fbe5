#pragma once

#include <QString>

#include <cstddef>

// The operating system's serial port: the only platform-specific code of the
// link. Opens raw (binary, no echo, no flow control, DTR and RTS held low),
// reads return at once with what is waiting.
class CSerialHandle
{
public:
    enum class Parity { None, Odd, Even };

    CSerialHandle() = default;
    ~CSerialHandle();
    CSerialHandle(const CSerialHandle&) = delete;
    CSerialHandle& operator=(const CSerialHandle&) = delete;

    // strPath is a system path (/dev/ttyACM0, \\.\COM5). On failure the reason
    // is in LastError().
    bool Open(const QString& strPath, int nBaud, int nDataBits, Parity eParity, int nStopBits);
    void Close();
    bool IsOpen() const;

    // Bytes written, or -1.
    long Write(const void* pData, size_t nCount);
    // Bytes read without waiting (0 when none is waiting), or -1 on a fault.
    long ReadAvailable(void* pData, size_t nCount);
    // Waits until a byte can be read or nMs pass; true when readable.
    bool WaitReadable(int nMs);

    enum ModemLine { Dtr = 1, Rts = 2 };
    // The modem control lines now raised (ModemLine bits), or -1 where the
    // port or the system cannot tell (pseudo-terminals, Windows).
    int ModemLines() const;

    QString LastError() const { return m_strLastError; }
    // True when the last failed Open was refused for lack of permission.
    bool LastErrorIsPermission() const { return m_bPermissionDenied; }

    // The path to open for a port name as the user or the system gives it.
    static QString SystemPath(const QString& strName);

private:
#ifdef _WIN32
    void* m_hPort = reinterpret_cast<void*>(-1);
#else
    int m_nFd = -1;
#endif
    QString m_strLastError;
    bool m_bPermissionDenied = false;
};
