#pragma once

#include <QString>

#include <chrono>
#include <cstddef>
#include <thread>

// An open serial port as the link uses it: raw bytes in and out, reads that
// return at once with what is waiting. The system's port is the one real
// implementation; tests play the detector behind their own.
class ISerialHandle
{
public:
    enum class Parity { None, Odd, Even };

    virtual ~ISerialHandle() = default;

    // strPath is a system path (/dev/ttyACM0, \\.\COM5). On failure the reason
    // is in LastError().
    virtual bool Open(const QString& strPath, int nBaud, int nDataBits, Parity eParity, int nStopBits) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;

    // Bytes written, or -1.
    virtual long Write(const void* pData, size_t nCount) = 0;
    // Bytes read without waiting (0 when none is waiting), or -1 on a fault.
    virtual long ReadAvailable(void* pData, size_t nCount) = 0;
    // Waits until a byte can be read or nMs pass; true when readable.
    virtual bool WaitReadable(int nMs) = 0;
    // Sleeps nMicros, the time the bytes still to come take on the line, then
    // reads up to nCount of them without waiting: one wake-up and one read
    // instead of one per packet. A port whose bytes are there at once (a
    // test's) need not sleep.
    virtual long ReadAfter(int nMicros, void* pData, size_t nCount)
    {
        if (nMicros > 0)
            std::this_thread::sleep_for(std::chrono::microseconds(nMicros));
        return ReadAvailable(pData, nCount);
    }

    virtual QString LastError() const = 0;
    // True when the last failed Open was refused for lack of permission.
    virtual bool LastErrorIsPermission() const = 0;
};
