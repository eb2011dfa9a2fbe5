#pragma once

#include "iserialhandle.h"

// The operating system's serial port: the only platform-specific code of the
// link. Opens raw (binary, no echo, no flow control, DTR and RTS held low),
// reads return at once with what is waiting.
class CSerialHandle : public ISerialHandle
{
public:
    CSerialHandle() = default;
    ~CSerialHandle() override;
    CSerialHandle(const CSerialHandle&) = delete;
    CSerialHandle& operator=(const CSerialHandle&) = delete;

    bool Open(const QString& strPath, int nBaud, int nDataBits, Parity eParity, int nStopBits) override;
    void Close() override;
    bool IsOpen() const override;

    long Write(const void* pData, size_t nCount) override;
    long ReadAvailable(void* pData, size_t nCount) override;
    bool WaitReadable(int nMs) override;

    enum ModemLine { Dtr = 1, Rts = 2 };
    // The modem control lines now raised (ModemLine bits), or -1 where the
    // port or the system cannot tell (pseudo-terminals, Windows).
    int ModemLines() const;

    QString LastError() const override { return m_strLastError; }
    bool LastErrorIsPermission() const override { return m_bPermissionDenied; }

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
