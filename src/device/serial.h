#pragma once

#include "iserialportenumerator.h"
#include "portchoice.h"
#include "portdiscovery.h"
#include "serialhandle.h"

#include <QString>

#include <atomic>
#include <cstdint>
#include <memory>

// The detector's serial link: finds the detector's port (or takes the one the
// user chose), opens it and moves bytes, with a read that gives up after a
// stretch of silence. Used by the exchange worker only.
class CSerial
{
public:
    enum Status { Closed = 0, Opened = 1, Online = 2 };

    CSerial();
    virtual ~CSerial();

    // Ports come from the system unless a test gives its own list.
    void SetEnumerator(std::shared_ptr<ISerialPortEnumerator> pEnumerator);
    // The port behind the link: the system's unless a test plays the detector.
    void SetHandle(std::shared_ptr<ISerialHandle> pHandle);

    // nProperty 1 matches the device description, anything else the hardware id.
    // Case-sensitive; the first port in enumeration order wins.
    void FindPort(const QString& strPattern, int nProperty);
    bool Connect();
    // Indices into the data bits (7, 8), parity (none, odd, even) and stop bits (1, 2) tables.
    bool Open(int nBaud, int nDataBitsIndex, int nParityIndex, int nStopBitsIndex);
    bool Write(const void* pBuffer, int nCount, int& nWritten);
    int WriteText(const char* pText);
    bool ReadByte();
    uint8_t LastByte() const { return m_nLastByte; }
    // Reads until nCount bytes came or the line was silent for nSilenceMs.
    bool Read(void* pBuffer, int nCount, int& nReceived, int nSilenceMs);
    void Drain();
    // Reads and drops bytes until the line has been quiet for nQuietMs, at most nMaxMs.
    void DrainUntilQuiet(int nQuietMs, int nMaxMs);
    void Close();

    QString PortName() const { return m_strPortName; }
    // The USB serial number of the port at strPort as the system lists it; empty when none.
    QString SerialNumberOf(const QString& strPort) const;
    // A port named by the user: used instead of discovery, never forgotten.
    void SetPortOverride(const QString& strName);
    bool HasPortOverride() const { return m_bOverride; }
    // A port picked in the chooser: used like an override, and when the same
    // detector shows up under another name (unplugged and back), that name.
    void SetChosenPort(const CPortChoice& choice);
    // Back to automatic discovery.
    void ClearPortChoice();
    // What the last automatic search found (Found also while a port is named).
    CPortDiscovery::Outcome DiscoveryOutcome() const { return CPortDiscovery::Outcome(m_nDiscovery.load()); }

    // Why the last open failed (empty after a successful open).
    QString LastError() const { return m_pHandle->LastError(); }
    bool LastErrorIsPermission() const { return m_pHandle->LastErrorIsPermission(); }

    // A read either sleeps for the line time of the bytes still to come and
    // takes them in one call, or (as the detector's first software did) sleeps
    // a fixed 20 ms whenever nothing is waiting. Kept switchable for the benchmark.
    void SetWaitingReads(bool bWaiting) { m_bWaitingReads = bWaiting; }

    std::atomic<int> m_nStatus{Closed};

private:
    bool Refill();
    // How long to sleep for nBytes to arrive; bLast when they end the read.
    int LineMicros(int nBytes, bool bLast) const;

    uint8_t m_nLastByte = 0;
    QString m_strPortName;
    bool m_bOverride = false;
    CPortChoice m_Chosen;
    std::atomic<int> m_nDiscovery{int(CPortDiscovery::Outcome::Found)};
    bool m_bWaitingReads = true;
    int m_nBaud = 0;
    std::shared_ptr<ISerialPortEnumerator> m_pEnumerator;
    std::shared_ptr<ISerialHandle> m_pHandle;
    // Bytes taken from the system in one read and served by ReadByte.
    uint8_t m_Buffer[8192];
    int m_nBufferPos = 0;
    int m_nBufferLen = 0;
};
