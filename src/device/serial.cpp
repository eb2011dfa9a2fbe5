#include "serial.h"
#include "qtserialportenumerator.h"
#include "tracecategories.h"

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
    , m_pHandle(std::make_shared<CSerialHandle>())
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

void CSerial::SetHandle(std::shared_ptr<ISerialHandle> pHandle)
{
    Close();
    if (pHandle)
        m_pHandle = std::move(pHandle);
}

void CSerial::SetPortOverride(const QString& strName)
{
    m_strPortName = strName;
    m_bOverride = !strName.isEmpty();
    m_Chosen = CPortChoice::Named(strName);
    m_nDiscovery = int(CPortDiscovery::Outcome::Found);
}

void CSerial::SetChosenPort(const CPortChoice& choice)
{
    SetPortOverride(choice.Port());
    m_Chosen = choice;
}

void CSerial::ClearPortChoice()
{
    SetPortOverride(QString());
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

bool CSerial::Connect()
{
    if (m_bOverride && m_Chosen.HasIdentity() && m_pEnumerator) {
        // The chosen detector may have come back under another name.
        SerialPortEntry port;
        if (CPortDiscovery::FindChosen(m_pEnumerator->Ports(), m_Chosen, &port) && port.OpenPath() != m_strPortName) {
            qCDebug(lcLink) << "chosen detector" << m_Chosen.SerialNumber() << m_Chosen.UsbId() << "now at"
                            << port.OpenPath();
            m_strPortName = port.OpenPath();
        }
    }
    if (m_strPortName.isEmpty() && m_pEnumerator) {
        const CPortDiscovery::Result found = CPortDiscovery::Automatic(m_pEnumerator->Ports());
        if (m_nDiscovery.exchange(int(found.m_eOutcome)) != int(found.m_eOutcome))
            qCDebug(lcLink) << "automatic search:" << int(found.m_eOutcome) << found.m_Port.OpenPath();
        m_strPortName = found.m_Port.OpenPath();
    }
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
    if (!m_pHandle->Open(CSerialHandle::SystemPath(m_strPortName), nBaud, kDataBits[nDataBitsIndex],
                       kParity[nParityIndex], kStopBits[nStopBitsIndex])) {
        qCDebug(lcLink) << "open failed:" << m_pHandle->LastError();
        m_nStatus = Closed;
        return false;
    }
    qCDebug(lcLink) << "opened" << m_strPortName << nBaud << "baud";
    m_nBaud = nBaud;
    m_nStatus = Opened;
    return true;
}

bool CSerial::Write(const void* pBuffer, int nCount, int& nWritten)
{
    const long n = m_pHandle->Write(pBuffer, size_t(nCount));
    nWritten = n > 0 ? int(n) : 0;
    qCDebug(lcLink).nospace().noquote() << "sent " << nWritten << " of " << nCount << " bytes: "
                              << QByteArray::fromRawData(static_cast<const char*>(pBuffer), nCount).toHex(' ');
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
    const long n = m_pHandle->ReadAvailable(m_Buffer, sizeof(m_Buffer));
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
            if (!m_pHandle->WaitReadable(kPollMs))
                ++nIdle;
            else if (!Refill()) {
                std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
                ++nIdle;
            }
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
            ++nIdle;
        }
        if (!m_pHandle->IsOpen())
            return true;
    }
}

void CSerial::Drain()
{
    int nDropped = 0;
    while (ReadByte())
        ++nDropped;
    qCDebug(lcLink) << "drained" << nDropped << "waiting bytes";
}

void CSerial::DrainUntilQuiet(int nQuietMs, int nMaxMs)
{
    QElapsedTimer timer;
    timer.start();
    int nDropped = 0;
    for (;;) {
        while (ReadByte())
            ++nDropped;
        if (timer.elapsed() >= nMaxMs || !m_pHandle->WaitReadable(nQuietMs))
            break;
    }
    qCDebug(lcLink) << "drained" << nDropped << "bytes in" << timer.elapsed() << "ms";
}

void CSerial::Close()
{
    if (m_pHandle->IsOpen())
        qCDebug(lcLink) << "closed" << m_strPortName;
    m_pHandle->Close();
    m_nBufferPos = m_nBufferLen = 0;
    m_nStatus = Closed;
}
