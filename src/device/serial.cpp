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
// Bytes taken per line-time sleep: below the 4 KB a terminal's line
// discipline holds before it stops the sender.
constexpr int kLineChunk = 3584;
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

QString CSerial::SerialNumberOf(const QString& strPort) const
{
    if (!m_pEnumerator || strPort.isEmpty())
        return QString();
    const QList<SerialPortEntry> ports = m_pEnumerator->Ports();
    for (const SerialPortEntry& port : ports)
        if (port.OpenPath() == strPort || port.m_strName == strPort)
            return port.m_strSerialNumber;
    return QString();
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

int CSerial::LineMicros(int nBytes, bool bLast) const
{
    if (m_nBaud <= 0)
        return 0;
    const long long nMicros = static_cast<long long>(nBytes) * 10 * 1000000 / m_nBaud;
    // The piece that ends a message waits a little longer: a sender rarely
    // keeps the line quite full, and a USB bridge hands bytes over once a
    // millisecond. Waking early costs another sleep and read for a few bytes.
    return int(bLast ? nMicros + nMicros / 16 + 500 : nMicros);
}

bool CSerial::Read(void* pBuffer, int nCount, int& nReceived, int nSilenceMs)
{
    uint8_t* pOut = static_cast<uint8_t*>(pBuffer);
    nReceived = 0;
    if (nCount <= 0)
        return true;
    // Bytes a drain read ahead come first.
    if (m_nBufferPos < m_nBufferLen) {
        const int n = std::min(nCount, m_nBufferLen - m_nBufferPos);
        std::memcpy(pOut, m_Buffer + m_nBufferPos, size_t(n));
        m_nBufferPos += n;
        nReceived = n;
    }
    const int nPolls = nSilenceMs / kPollMs;
    int nIdle = 0;
    QElapsedTimer sinceByte;
    sinceByte.start();
    while (nReceived < nCount) {
        if (!m_bWaitingReads) {
            // The first software's way: a fixed sleep whenever nothing is waiting.
            const long n = m_pHandle->ReadAvailable(pOut + nReceived, size_t(nCount - nReceived));
            if (n > 0) {
                nReceived += int(n);
                nIdle = 0;
                continue;
            }
            if (n < 0 || nIdle >= nPolls)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
            ++nIdle;
            continue;
        }
        // The rest is on its way at the line's rate: one sleep for as many bytes
        // as the system holds for us, then one read straight into place. Never
        // more than that at once, or a terminal's 4 KB line buffer fills and
        // holds the sender back.
        const int nWant = std::min(nCount - nReceived, kLineChunk);
        const long n = m_pHandle->ReadAfter(LineMicros(nWant, nWant == nCount - nReceived), pOut + nReceived,
                                            size_t(nWant));
        if (n > 0) {
            nReceived += int(n);
            sinceByte.start();
            continue;
        }
        if (n < 0 || !m_pHandle->IsOpen())
            break;
        // Nothing came in a whole line time: the detector is slow to answer or
        // silent. One wait for its first byte, for what is left of the silence.
        const int nLeft = nSilenceMs - int(sinceByte.elapsed());
        if (nLeft <= 0)
            break;
        if (!m_pHandle->WaitReadable(nLeft) && sinceByte.elapsed() < nSilenceMs)
            break; // woken with nothing to read: the other end hung up
    }
    if (nReceived > 0)
        m_nLastByte = pOut[nReceived - 1];
    return true;
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
