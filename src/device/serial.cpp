#include "serial.h"
#include "qtserialportenumerator.h"

#include <QElapsedTimer>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

namespace {
const int kDataBits[] = {7, 8};
const CSerialHandle::Parity kParity[] = {CSerialHandle::Parity::None, CSerialHandle::Parity::Odd,
                                         CSerialHandle::Parity::Even};
const int kStopBits[] = {1, 2};
constexpr int kPollMs = 20;
} // namespace

CSerial::CSerial()
    : m_pEnumerator(std::make_shared<CQtSerialPortEnumerator>())
{
}

CSerial::~CSerial()
{
    Close();
}

void CSerial::SetEnumerator(std::shared_ptr<ISerialPortEnumerator> pEnumerator)
{
    m_pEnumerator = std::move(pEnumerator);
}

void CSerial::SetPortOverride(const QString& strName)
{
    m_strPortName = strName;
    m_bOverride = !strName.isEmpty();
}

void CSerial::FindPort(const QString& strPattern, int nProperty)
{
    m_strPortName.clear();
    if (!m_pEnumerator)
        return;
    const QList<SerialPortEntry> ports = m_pEnumerator->Ports();
    for (const SerialPortEntry& port : ports) {
        const QString& text = nProperty == 1 ? port.m_strDescription : port.m_strHardwareId;
        if (text.contains(strPattern, Qt::CaseSensitive)) {
            m_strPortName = port.m_strLocation.isEmpty() ? port.m_strName : port.m_strLocation;
            return;
        }
    }
}

void CSerial::FindDetectorPort()
{
    FindPort(QStringLiteral("Arduino"), 1);
}

bool CSerial::Connect()
{
    if (m_strPortName.isEmpty())
        FindDetectorPort();
    if (m_strPortName.isEmpty())
        return false;
    if (Open(921600, 1, 0, 0))
        return true;
    // A discovered port that will not open may have gone away; look again next
    // time so a detector plugged in on another port is found.
    if (!m_bOverride)
        m_strPortName.clear();
    return false;
}

bool CSerial::Open(int nBaud, int nDataBitsIndex, int nParityIndex, int nStopBitsIndex)
{
    if (nDataBitsIndex < 0 || nDataBitsIndex > 1 || nParityIndex < 0 || nParityIndex > 2 || nStopBitsIndex < 0
        || nStopBitsIndex > 1) {
        m_nStatus = Closed;
        return false;
    }
    m_nBufferPos = m_nBufferLen = 0;
    if (!m_Handle.Open(CSerialHandle::SystemPath(m_strPortName), nBaud, kDataBits[nDataBitsIndex],
                       kParity[nParityIndex], kStopBits[nStopBitsIndex])) {
        m_nStatus = Closed;
        return false;
    }
    m_nBaud = nBaud;
    m_nStatus = Opened;
    return true;
}

bool CSerial::Write(const void* pBuffer, int nCount, int& nWritten)
{
    const long n = m_Handle.Write(pBuffer, size_t(nCount));
    nWritten = n > 0 ? int(n) : 0;
    return true;
}

int CSerial::WriteText(const char* pText)
{
    int nWritten = 0;
    Write(pText, int(std::strlen(pText)), nWritten);
    return nWritten;
}

bool CSerial::Refill()
{
    const long n = m_Handle.ReadAvailable(m_Buffer, sizeof(m_Buffer));
    m_nBufferPos = 0;
    m_nBufferLen = n > 0 ? int(n) : 0;
    return m_nBufferLen > 0;
}

bool CSerial::ReadByte()
{
    if (m_nBufferPos >= m_nBufferLen && !Refill())
        return false;
    m_nLastByte = m_Buffer[m_nBufferPos++];
    return true;
}

bool CSerial::Read(void* pBuffer, int nCount, int& nReceived, int nSilenceMs)
{
    uint8_t* pOut = static_cast<uint8_t*>(pBuffer);
    nReceived = 0;
    if (nCount <= 0)
        return true;
    const int nPolls = nSilenceMs / kPollMs;
    int nIdle = 0;
    for (;;) {
        bool bGot = false;
        // Take whole runs of buffered bytes at a time rather than byte by byte.
        while (m_nBufferPos < m_nBufferLen || Refill()) {
            bGot = true;
            const int n = std::min(nCount - nReceived, m_nBufferLen - m_nBufferPos);
            std::memcpy(pOut + nReceived, m_Buffer + m_nBufferPos, size_t(n));
            m_nBufferPos += n;
            nReceived += n;
            m_nLastByte = pOut[nReceived - 1];
            nIdle = 0;
            if (nReceived == nCount)
                return true;
        }
        if (nIdle >= nPolls)
            return true;
        if (m_bWaitingReads && bGot && m_nBaud > 0) {
            // Nothing more is waiting and the rest cannot arrive faster than the
            // line carries it: sleep that long instead of waking for every packet.
            const long nMicros = std::min(long(nCount - nReceived) * 10L * 1000000L / m_nBaud, 200000L);
            std::this_thread::sleep_for(std::chrono::microseconds(nMicros));
            continue;
        }
        if (m_bWaitingReads) {
            // A readable line that yields nothing (a hung-up peer) counts as silence too.
            if (!m_Handle.WaitReadable(kPollMs))
                ++nIdle;
            else if (!Refill()) {
                std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
                ++nIdle;
            }
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
            ++nIdle;
        }
        if (!m_Handle.IsOpen())
            return true;
    }
}

void CSerial::Drain()
{
    while (ReadByte()) {
    }
}

void CSerial::DrainUntilQuiet(int nQuietMs, int nMaxMs)
{
    QElapsedTimer timer;
    timer.start();
    for (;;) {
        Drain();
        if (timer.elapsed() >= nMaxMs || !m_Handle.WaitReadable(nQuietMs))
            return;
    }
}

void CSerial::Close()
{
    m_Handle.Close();
    m_nBufferPos = m_nBufferLen = 0;
    m_nStatus = Closed;
}
