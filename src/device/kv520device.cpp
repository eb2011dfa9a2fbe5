#include "kv520device.h"
#include "devicefiles.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>
#include <QSaveFile>

#include <chrono>
#include <stdexcept>
#include <system_error>

using namespace KV520;

namespace {
constexpr uint32_t kCommandMask = 0xFF;
constexpr int kDrainQuietMs = 20;
constexpr int kDrainMaxMs = 1000;

// The frame's 24-bit tick counter: quarter seconds since midnight.
int32_t TickOf(const uint8_t* pFrame)
{
    return int32_t(pFrame[kTick] | (pFrame[kTick + 1] << 8) | (pFrame[kTick + 2] << 16));
}

uint32_t Pack(uint32_t nGeneration, uint8_t nKeyByte, uint8_t nCommand)
{
    return (nGeneration << 16) | (uint32_t(nKeyByte) << 8) | nCommand;
}
} // namespace

CKV520Device::CKV520Device()
    : m_nPending(Pack(0, 0, kNoCommand))
    , m_LogBuffer(size_t(kLogBlockSize) * kLogBlockCount, 0)
    , m_Frame(kFrameSize, 0)
{
}

CKV520Device::~CKV520Device()
{
    Stop();
    m_Link.Close();
}

void CKV520Device::SetPortOverride(const QString& strName)
{
    m_Link.SetPortOverride(strName);
}

QString CKV520Device::PortOverrideFrom(const QStringList& arguments)
{
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (arg == QLatin1String("--port") && i + 1 < arguments.size())
            return arguments[i + 1];
        if (arg.startsWith(QLatin1String("--port=")))
            return arg.mid(7);
    }
    return qEnvironmentVariable("KV521_PORT");
}

void CKV520Device::SetPortEnumerator(std::shared_ptr<ISerialPortEnumerator> pEnumerator)
{
    m_Link.SetEnumerator(std::move(pEnumerator));
}

void CKV520Device::SetWaitingReads(bool bWaiting)
{
    m_Link.SetWaitingReads(bWaiting);
}

void CKV520Device::SetSerialHandle(std::shared_ptr<ISerialHandle> pHandle)
{
    m_Link.SetHandle(std::move(pHandle));
}

void CKV520Device::SetPacing(int nPollPauseMs, int nConnectPauseMs)
{
    m_nPollPauseMs = qMax(0, nPollPauseMs);
    m_nConnectPauseMs = qMax(0, nConnectPauseMs);
}

void CKV520Device::Start()
{
    Stop();
    m_Model.ResetHistory();
    m_bOnline = false;
    m_bRunning = true;
    try {
        m_Thread = std::thread(&CKV520Device::WorkerLoop, this);
    } catch (const std::system_error&) {
        m_bRunning = false;
        throw std::runtime_error("Ошибка при создании потока!");
    }
}

void CKV520Device::Stop()
{
    m_bRunning = false;
    // Every wait of the worker is bounded (a poll gives up after one second of
    // silence, a download checks the flag between blocks), so joining is prompt.
    if (m_Thread.joinable())
        m_Thread.join();
}

bool CKV520Device::IsConnected()
{
    return m_Link.m_nStatus.load() == CSerial::Online && m_bOnline.load();
}

bool CKV520Device::HasFailed()
{
    return m_bFailed.load();
}

void CKV520Device::PressKey(int nKey)
{
    uint8_t nSeq = uint8_t(m_nKeySeq.load() + 1);
    if (nSeq > 10)
        nSeq = 1;
    m_nKeySeq = nSeq;
    const uint8_t nKeyByte = uint8_t(nKey | (nSeq << 4));
    uint32_t nOld = m_nPending.load();
    while (!m_nPending.compare_exchange_weak(nOld, Pack((nOld >> 16) + 1, nKeyByte, kCmdKey))) {
    }
}

void CKV520Device::SetCommand(int nCommand)
{
    // A new download starts from 0 so a watcher never sees the last one's result.
    if (uint8_t(nCommand) == kCmdReadLog)
        m_nProgress = 0;
    uint32_t nOld = m_nPending.load();
    while (!m_nPending.compare_exchange_weak(nOld, Pack((nOld >> 16) + 1, uint8_t(nOld >> 8), uint8_t(nCommand)))) {
    }
}

int CKV520Device::PendingCommand() const
{
    return int(m_nPending.load() & kCommandMask);
}

void CKV520Device::CompleteCommand(uint32_t nPending)
{
    // Only the command that was sent is cleared; one queued meanwhile stays.
    m_nPending.compare_exchange_strong(nPending, Pack(nPending >> 16, uint8_t(nPending >> 8), kNoCommand));
}

bool CKV520Device::SaveLogFile(const QString& strFolder)
{
    QString strError;
    const bool bOk = CDeviceFiles::SaveLogFile(LogBuffer(), strFolder, &strError);
    QMutexLocker locker(&m_InfoLock);
    m_strFileError = strError;
    return bOk;
}

bool CKV520Device::SaveRealtimeFile(const QString& strFolder, int nVersion, QString& strName)
{
    QString strError;
    const bool bOk = CDeviceFiles::SaveRealtimeFile(m_Model, strFolder, nVersion, strName, &strError);
    QMutexLocker locker(&m_InfoLock);
    m_strFileError = strError;
    return bOk;
}

bool CKV520Device::LoadDataFile(const QString& strPath, QList<CDeviceRecord>& records, int& nVersion)
{
    QString strError;
    const bool bOk = CDeviceFiles::LoadDataFile(strPath, records, nVersion, &strError);
    QMutexLocker locker(&m_InfoLock);
    m_strFileError = strError;
    return bOk;
}

QString CKV520Device::GetLastFileError()
{
    QMutexLocker locker(&m_InfoLock);
    return m_strFileError;
}

int CKV520Device::GetModeFlags()
{
    return m_Model.ModeFlags();
}

int CKV520Device::GetRecordCount()
{
    return m_Model.WriteIndex();
}

int CKV520Device::QueryFixedOne()
{
    return 1;
}

CDeviceRecord CKV520Device::GetRecord(int nIndex)
{
    DeviceRawRecord raw;
    if (!m_Model.Record(nIndex, raw))
        return CDeviceRecord();
    return CDeviceRecord::FromRaw(raw, CDeviceRecord::Mode::Live);
}

CDeviceRecord CKV520Device::GetLastRecord()
{
    int nIndex = m_Model.WriteIndex() - 1;
    if (nIndex < 0 && m_Model.HasWrapped())
        nIndex = kHistorySize - 1;
    return GetRecord(nIndex);
}

int CKV520Device::QueryFixedMinusOne()
{
    return -1;
}

QString CKV520Device::QueryEmptyText()
{
    return QString();
}

uint8_t CKV520Device::GetMenuByte(int nPos)
{
    return m_Model.MenuByte(nPos);
}

void CKV520Device::SetMenuByte(int nPos, int nValue)
{
    m_Model.SetMenuByte(nPos, nValue);
}

bool CKV520Device::LoadMenuFile(const QString& strPath)
{
    QFile file(strPath);
    QString strError;
    if (!file.open(QIODevice::ReadOnly)) {
        strError = file.errorString();
    } else {
        uint8_t data[kMenuSize];
        const qint64 n = file.read(reinterpret_cast<char*>(data), kMenuSize);
        if (n < 0)
            strError = file.errorString();
        else if (n == 0)
            strError = QCoreApplication::translate("CKV520Device", "The file is empty.");
        else
            m_Model.SetMenuBytes(data, int(n)); // a shorter file sets the positions it holds
    }
    QMutexLocker locker(&m_InfoLock);
    m_strFileError = strError;
    return strError.isEmpty();
}

bool CKV520Device::SaveMenuFile(const QString& strPath)
{
    const auto menu = m_Model.MenuBlock();
    QSaveFile file(strPath);
    QString strError;
    if (!file.open(QIODevice::WriteOnly)
        || file.write(reinterpret_cast<const char*>(menu.data()), kMenuSize) != kMenuSize || !file.commit())
        strError = file.errorString();
    QMutexLocker locker(&m_InfoLock);
    m_strFileError = strError;
    return strError.isEmpty();
}

int CKV520Device::QueryFixedZero()
{
    return 0;
}

QDateTime CKV520Device::GetDeviceTime()
{
    const auto clock = m_Model.ClockBlock();
    const int nYear = QDate::currentDate().year();
    const int nMonth = qBound(1, int(clock[0]), 12);
    const int nDay = qBound(1, int(clock[1]), QDate(nYear, nMonth, 1).daysInMonth());
    return QDateTime(QDate(nYear, nMonth, nDay), QTime(qMin(int(clock[2]), 23), qMin(int(clock[3]), 59),
                                                         qMin(int(clock[4]), 59)));
}

void CKV520Device::SetDeviceTime(const QDateTime& dateTime)
{
    m_Model.SetClockBlock({uint8_t(dateTime.date().month()), uint8_t(dateTime.date().day()),
                           uint8_t(dateTime.time().hour()), uint8_t(dateTime.time().minute()),
                           uint8_t(dateTime.time().second())});
}

const std::atomic<int>* CKV520Device::GetProgress()
{
    return &m_nProgress;
}

CDeviceLiveState CKV520Device::GetLiveState()
{
    return m_Model.LiveState();
}

QByteArray CKV520Device::GetOscilloscopeSamples(int* pParam)
{
    return m_Model.OscilloscopeSamples(pParam);
}

QString CKV520Device::GetLinkError(bool* pPermission)
{
    QMutexLocker locker(&m_InfoLock);
    if (pPermission)
        *pPermission = m_bLinkPermission;
    return m_strLinkError;
}

void CKV520Device::DiscardMenuEdits()
{
    m_Model.DiscardMenuEdits();
}

QByteArray CKV520Device::LogBuffer() const
{
    QMutexLocker locker(&m_LogLock);
    return QByteArray(reinterpret_cast<const char*>(m_LogBuffer.data()), int(m_LogBuffer.size()));
}

void CKV520Device::SetLogBuffer(const QByteArray& blocks)
{
    QMutexLocker locker(&m_LogLock);
    const size_t n = std::min(size_t(blocks.size()), m_LogBuffer.size());
    std::memcpy(m_LogBuffer.data(), blocks.constData(), n);
}

// ---- the exchange worker ------------------------------------------------

bool CKV520Device::SleepWhileRunning(int nMs)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(nMs);
    while (m_bRunning.load()) {
        const auto now = std::chrono::steady_clock::now();
        if (now >= end)
            return true;
        std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(end - now,
                                                                                   std::chrono::milliseconds(20)));
    }
    return false;
}

void CKV520Device::NoteLinkError()
{
    // Only a port that exists and refuses is worth telling; no detector at all is just "Offline".
    const QString strError = m_Link.PortName().isEmpty() && !m_Link.HasPortOverride() ? QString() : m_Link.LastError();
    QMutexLocker locker(&m_InfoLock);
    m_strLinkError = strError;
    m_bLinkPermission = !strError.isEmpty() && m_Link.LastErrorIsPermission();
}

void CKV520Device::WorkerLoop()
{
    m_bFailed = false;
    while (m_bRunning.load()) {
        try {
            RunCycle();
        } catch (...) {
            m_bFailed = true;
            return;
        }
    }
}

void CKV520Device::RunCycle()
{
    switch (m_Link.m_nStatus.load()) {
    case CSerial::Closed: {
        if (!SleepWhileRunning(m_nConnectPauseMs))
            return;
        const bool bOpened = m_Link.Connect();
        if (bOpened) {
            QMutexLocker locker(&m_InfoLock);
            m_strLinkError.clear();
            m_bLinkPermission = false;
        } else {
            NoteLinkError();
        }
        break;
    }
    case CSerial::Opened:
        m_Link.m_nStatus = CSerial::Online;
        m_Link.Drain();
        break;
    case CSerial::Online:
        PollOnce();
        return; // PollOnce paces itself
    default:
        break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(m_nPollPauseMs));
}

void CKV520Device::PollOnce()
{
    int nWritten = 0;
    const uint8_t nPoll = kPollRequest;
    m_Link.Write(&nPoll, 1, nWritten);
    int nReceived = 0;
    m_Link.Read(m_Frame.data(), kFrameSize, nReceived, kSilenceLimitMs);
    if (nReceived < kFrameSize) {
        ++m_nBadFrames;
        m_bOnline = false;
        m_Link.Close();
        std::this_thread::sleep_for(std::chrono::milliseconds(m_nPollPauseMs));
        return;
    }
    m_bOnline = true;
    ++m_nGoodFrames;
    const uint8_t* f = m_Frame.data();
    if (Checksum(f, kFrameChecksum) != f[kFrameChecksum]) {
        // A lost or stray byte shifts every later frame; wait for the line to go
        // quiet so the next poll starts on a frame boundary again.
        ++m_nChecksumErrors;
        m_Link.DrainUntilQuiet(kDrainQuietMs, kDrainMaxMs);
        return;
    }
    switch (f[0]) {
    case kFrameData:
        HandleDataFrame(f);
        break;
    case kFrameClockRequest:
        AnswerClockRequest();
        break;
    default:
        break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(m_nPollPauseMs));
}

void CKV520Device::HandleDataFrame(const uint8_t* f)
{
    const int32_t nTick = TickOf(f);
    m_nTickBase = nTick;
    const uint32_t nPending = m_nPending.load();
    const uint8_t nCommand = uint8_t(nPending & kCommandMask);
    int nWritten = 0;
    m_Link.Write(&nCommand, 1, nWritten);
    switch (nCommand) {
    case kNoCommand:
        if (f[kIndicators] != 0xFF)
            m_Model.StoreDataFrame(f, nTick);
        break;
    case kCmdReadLog:
        DownloadLog();
        CompleteCommand(nPending);
        break;
    case kCmdWriteMenu: {
        const QByteArray write = m_Model.TakeMenuWrite(QDateTime::currentDateTime());
        m_Link.Write(write.constData(), int(write.size()), nWritten);
        CompleteCommand(nPending);
        break;
    }
    case kCmdFactoryReset:
    case kCmdClearLog:
        CompleteCommand(nPending);
        break;
    case kCmdKey: {
        const uint8_t nKeyByte = uint8_t(nPending >> 8);
        m_Link.Write(&nKeyByte, 1, nWritten);
        // The count starts again after a sent key, unless a newer key was pressed meanwhile.
        uint8_t nSentSeq = uint8_t(nKeyByte >> 4);
        m_nKeySeq.compare_exchange_strong(nSentSeq, 0);
        CompleteCommand(nPending);
        break;
    }
    default:
        break; // unknown codes stay pending and go out with the next frame
    }
}

void CKV520Device::AnswerClockRequest()
{
    const QDateTime now = QDateTime::currentDateTime();
    const uint8_t answer[kClockAnswerSize] = {
        1, uint8_t(now.date().month() - 1), uint8_t(now.date().day() - 1), uint8_t(now.time().hour()),
        uint8_t(now.time().minute()), uint8_t(now.time().second())};
    int nWritten = 0;
    m_Link.Write(answer, kClockAnswerSize, nWritten);
}

void CKV520Device::DownloadLog()
{
    m_nProgress = 0;
    int nCount = 0;
    uint8_t block[kLogBlockSize];
    for (int n = 0; n < kLogBlockCount; ++n) {
        if (!m_bRunning.load())
            break; // Stop must not wait for a thousand blocks
        int nWritten = 0;
        const uint8_t nRequest = kNextBlockRequest;
        m_Link.Write(&nRequest, 1, nWritten);
        int nReceived = 0;
        m_Link.Read(block, kLogBlockSize, nReceived, kSilenceLimitMs);
        if (nReceived < kLogBlockSize)
            break;
        if (Checksum(block, kLogBlockChecksummed) != block[kLogBlockChecksum])
            break;
        {
            QMutexLocker locker(&m_LogLock);
            std::memcpy(m_LogBuffer.data() + size_t(n) * kLogBlockSize, block, kLogBlockSize);
        }
        ++nCount;
        m_nProgress = nCount * 100 / kLogBlockCount;
        if (block[kLogBlockMarker] != kLogMarker) {
            nCount = kLogBlockCount;
            break;
        }
    }
    if (nCount != kLogBlockCount) {
        // Whatever was left of a broken block must not be taken for the next frame.
        m_Link.DrainUntilQuiet(kDrainQuietMs, kDrainMaxMs);
    }
    m_nProgress = nCount == kLogBlockCount ? kProgressDone : kProgressFailed;
}
