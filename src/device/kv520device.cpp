#include "kv520device.h"
#include "sidecar.h"
#include "checkedsavefile.h"
#include "devicefiles.h"
#include "systemclock.h"
#include "tracecategories.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>

#include <chrono>
#include <stdexcept>
#include <system_error>

using namespace KV520;

namespace {
constexpr uint32_t kCommandMask = 0xFF;
uint32_t Pack(uint32_t nGeneration, uint8_t nKeyByte, uint8_t nCommand)
{
    return (nGeneration << 16) | (uint32_t(nKeyByte) << 8) | nCommand;
}
} // namespace

CKV520Device::CKV520Device()
    : m_pClock(std::make_shared<CSystemClock>())
    , m_nPending(Pack(0, 0, kNoCommand))
    , m_LogBuffer(size_t(kLogBlockSize) * kLogBlockCount, 0)
    , m_Exchange(m_Link)
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

void CKV520Device::SetPortChoice(const CPortChoice& choice)
{
    // Stop leaves the port open for a restart; another port must not be polled on the old one.
    m_Link.Close();
    if (choice.GetKind() == CPortChoice::Kind::Automatic)
        m_Link.ClearPortChoice();
    else
        m_Link.SetChosenPort(choice);
    QMutexLocker locker(&m_InfoLock);
    m_strLinkError.clear();
    m_bLinkPermission = false;
    m_strLinkPort = m_Link.PortName();
}

QString CKV520Device::GetPortName()
{
    QMutexLocker locker(&m_InfoLock);
    return m_strLinkPort;
}

bool CKV520Device::NeedsPortChoice()
{
    return !m_Link.HasPortOverride() && m_Link.DiscoveryOutcome() != CPortDiscovery::Outcome::Found;
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
    m_Timing.nPollPauseMs = qMax(0, nPollPauseMs);
    m_Timing.nConnectPauseMs = qMax(0, nConnectPauseMs);
}

void CKV520Device::SetTiming(const Timing& timing)
{
    m_Timing = timing;
    SetPacing(timing.nPollPauseMs, timing.nConnectPauseMs);
    m_Exchange.SetSilenceLimit(timing.nSilenceLimitMs);
}

void CKV520Device::SetClock(std::shared_ptr<IClock> pClock)
{
    if (pClock)
        m_pClock = std::move(pClock);
}

void CKV520Device::Start()
{
    Stop();
    m_Model.ResetHistory();
    m_bOnline = false;
    m_nLastGoodMs = -1;
    m_nLastAnswerMs = -1;
    m_nNoDataCauses = 0;
    m_bRunning = true;
    qCDebug(lcWorker) << "worker starting";
    try {
        m_Thread = std::thread(&CKV520Device::WorkerLoop, this);
    } catch (const std::system_error&) {
        m_bRunning = false;
        // In the user's language, as UTF-8: the window shows the text as it stands.
        throw std::runtime_error(
            QCoreApplication::translate("CKV520Device", "Cannot create the exchange thread!").toStdString());
    }
}

void CKV520Device::Stop()
{
    m_bRunning = false;
    // Every wait of the worker is bounded (a poll gives up after one second of
    // silence, a download checks the flag between blocks), so joining is prompt.
    if (m_Thread.joinable()) {
        m_Thread.join();
        qCDebug(lcWorker) << "worker stopped";
    }
}

int64_t CKV520Device::NowMs() const
{
    return m_pClock->MonotonicMs();
}

bool CKV520Device::IsConnected()
{
    // An open port that delivers only noise (a wrong device, a bad cable) is
    // not a detector: online means a frame passed its checksum just now.
    const int64_t nGood = m_nLastGoodMs.load();
    return m_Link.m_nStatus.load() == CSerial::Online && m_bOnline.load() && nGood >= 0
        && NowMs() - nGood <= m_Timing.nOnlineWindowMs;
}

int CKV520Device::GetNoDataCauses()
{
    if (IsConnected())
        return 0;
    // Only while answers still come in; a silent port is simply offline.
    const int64_t nAnswer = m_nLastAnswerMs.load();
    if (nAnswer < 0 || NowMs() - nAnswer > 2 * m_Timing.nOnlineWindowMs)
        return 0;
    return m_nNoDataCauses.load();
}

void CKV520Device::NoteGoodAnswer()
{
    const int64_t nNow = NowMs();
    m_nLastAnswerMs = nNow;
    m_nLastGoodMs = nNow;
    m_nNoDataCauses = 0;
}

void CKV520Device::NoteBadAnswer(int nCause)
{
    m_nLastAnswerMs = NowMs();
    m_nNoDataCauses.fetch_or(nCause);
}

int CKV520Device::GetLogBlockCount()
{
    return m_nLogBlocks.load();
}

bool CKV520Device::IsLogCut()
{
    return m_bLogCut.load();
}

int32_t CKV520Device::GetNewestTick()
{
    return m_nTickBase.load();
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
    m_nKeyTimeMs = NowMs();
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
    QStringList written;
    // Only what this download received: blocks past its end belong to an
    // earlier, longer log and would bring back sessions cleared since.
    const bool bOk = CDeviceFiles::SaveLogFile(ReceivedLog(), strFolder, &strError, &written);
    if (bOk && m_bLogCut.load()) {
        const QString strCut = CDeviceFiles::LogCutNotice(m_nLogBlocks.load());
        strError = strError.isEmpty() ? strCut : strCut + QLatin1Char('\n') + strError;
    }
    qCDebug(lcFiles) << "log files to" << strFolder << (bOk ? "saved" : "failed:") << strError;
    if (bOk)
        CSidecar::WriteFor(strFolder, written, GetSweepContext(), m_pClock->LocalTime(), GetPortName(), GetUsbSerial(),
                           this);
    QMutexLocker locker(&m_InfoLock);
    m_strFileError = strError;
    m_LastSavedFiles = written;
    return bOk;
}

void CKV520Device::SetSweepContext(const CSweepContext& context)
{
    QMutexLocker locker(&m_InfoLock);
    m_SweepContext = context;
}

CSweepContext CKV520Device::GetSweepContext()
{
    QMutexLocker locker(&m_InfoLock);
    return m_SweepContext;
}

QString CKV520Device::GetUsbSerial()
{
    return m_Link.SerialNumberOf(GetPortName());
}

QStringList CKV520Device::GetLastSavedFiles()
{
    QMutexLocker locker(&m_InfoLock);
    return m_LastSavedFiles;
}

bool CKV520Device::SaveRealtimeFile(const QString& strFolder, int nVersion, QString& strName)
{
    QString strError;
    const bool bOk = CDeviceFiles::SaveRealtimeFile(m_Model, strFolder, nVersion, strName, &strError);
    if (bOk)
        CSidecar::WriteFor(strFolder, {strName + QStringLiteral(".rdf")}, GetSweepContext(), m_pClock->LocalTime(),
                           GetPortName(), GetUsbSerial(), this);
    qCDebug(lcFiles) << "realtime file" << strName << "in" << strFolder << (bOk ? "saved" : "failed:") << strError;
    QMutexLocker locker(&m_InfoLock);
    m_strFileError = strError;
    return bOk;
}

bool CKV520Device::LoadDataFile(const QString& strPath, QList<CDeviceRecord>& records, int& nVersion)
{
    QString strError, strWarning;
    const bool bOk = CDeviceFiles::LoadDataFile(strPath, records, nVersion, &strError, &strWarning);
    // Loaded with a cut-off tail: the notice stands where a reason would.
    if (bOk)
        strError = strWarning;
    qCDebug(lcFiles) << "loaded" << strPath << records.size() << "records, version" << nVersion
                     << (bOk ? "" : "failed:") << strError;
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

int64_t CKV520Device::GetRecordTotal()
{
    return m_Model.StoredTotal();
}

int CKV520Device::CopyRawRecords(int64_t nFirst, int nMax, DeviceRawRecord* pOut)
{
    const int64_t nTotal = m_Model.StoredTotal();
    if (nFirst < 0 || nMax <= 0 || nFirst >= nTotal || nFirst < nTotal - kHistorySize)
        return 0;
    int nCount = int(qMin<int64_t>(nMax, nTotal - nFirst));
    const int nRing = int(nFirst % kHistorySize);
    // The ring ends before the run does: the rest continues at its start.
    const int nHead = qMin(nCount, kHistorySize - nRing);
    int nCopied = m_Model.CopyRecords(nRing, nHead, pOut);
    if (nCopied == nHead && nCount > nHead)
        nCopied += m_Model.CopyRecords(0, nCount - nHead, pOut + nHead);
    return nCopied;
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
    CCheckedSaveFile file(strPath);
    QString strError;
    if (!file.Open() || !file.Write(reinterpret_cast<const char*>(menu.data()), kMenuSize) || !file.Commit())
        strError = file.ErrorString();
    QMutexLocker locker(&m_InfoLock);
    m_strFileError = strError;
    return strError.isEmpty();
}

int CKV520Device::QueryFixedZero()
{
    return 0;
}

namespace {

QDateTime ClockTime(const std::array<uint8_t, KV520::kClockSize>& clock, int nYear)
{
    const int nMonth = qBound(1, int(clock[0]), 12);
    const int nDay = qBound(1, int(clock[1]), QDate(nYear, nMonth, 1).daysInMonth());
    return QDateTime(QDate(nYear, nMonth, nDay), QTime(qMin(int(clock[2]), 23), qMin(int(clock[3]), 59),
                                                         qMin(int(clock[4]), 59)));
}

} // namespace

QDateTime CKV520Device::GetDeviceTime()
{
    return ClockTime(m_Model.ClockBlock(), m_pClock->LocalTime().date().year());
}

bool CKV520Device::GetDetectorSettings(QByteArray& menu, QDateTime& clock)
{
    std::array<uint8_t, KV520::kMenuExchanged> block{};
    std::array<uint8_t, KV520::kClockSize> time{};
    if (!m_Model.DetectorState(block, time))
        return false;
    menu = QByteArray(reinterpret_cast<const char*>(block.data()), int(block.size()));
    clock = ClockTime(time, m_pClock->LocalTime().date().year());
    return true;
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

QByteArray CKV520Device::ReceivedLog() const
{
    QMutexLocker locker(&m_LogLock);
    const size_t n = std::min(size_t(m_nLogBlocks.load()) * kLogBlockSize, m_LogBuffer.size());
    return QByteArray(reinterpret_cast<const char*>(m_LogBuffer.data()), int(n));
}

void CKV520Device::SetLogBuffer(const QByteArray& blocks)
{
    QMutexLocker locker(&m_LogLock);
    const size_t n = std::min(size_t(blocks.size()), m_LogBuffer.size());
    std::memcpy(m_LogBuffer.data(), blocks.constData(), n);
    m_nLogBlocks = int(n / kLogBlockSize);
    m_bLogCut = false;
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
    m_strLinkPort = m_Link.PortName();
}

void CKV520Device::WorkerLoop()
{
    m_bFailed = false;
    while (m_bRunning.load()) {
        try {
            RunCycle();
        } catch (...) {
            qCDebug(lcWorker) << "worker failed";
            m_bFailed = true;
            return;
        }
    }
}

void CKV520Device::RunCycle()
{
    switch (m_Link.m_nStatus.load()) {
    case CSerial::Closed: {
        if (!SleepWhileRunning(m_Timing.nConnectPauseMs))
            return;
        const bool bOpened = m_Link.Connect();
        if (bOpened) {
            QMutexLocker locker(&m_InfoLock);
            m_strLinkError.clear();
            m_bLinkPermission = false;
            m_strLinkPort = m_Link.PortName();
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
    std::this_thread::sleep_for(std::chrono::milliseconds(m_Timing.nPollPauseMs));
}

void CKV520Device::PollOnce()
{
    const CKV520Exchange::FrameOutcome eOutcome = m_Exchange.Poll();
    if (eOutcome == CKV520Exchange::FrameOutcome::Short) {
        if (m_Exchange.Received() > 0)
            NoteBadAnswer(NoDataShortFrame);
        ++m_nBadFrames;
        m_bOnline = false;
        m_Link.Close();
        std::this_thread::sleep_for(std::chrono::milliseconds(m_Timing.nPollPauseMs));
        return;
    }
    m_bOnline = true;
    ++m_nGoodFrames;
    if (eOutcome == CKV520Exchange::FrameOutcome::BadChecksum) {
        ++m_nChecksumErrors;
        NoteBadAnswer(NoDataBadChecksum);
        return; // the next poll at once: the line has already been quiet for a while
    }
    NoteGoodAnswer();
    const uint8_t* f = m_Exchange.Frame();
    switch (f[0]) {
    case kFrameData:
        HandleDataFrame(f);
        break;
    case kFrameClockRequest:
        m_Exchange.AnswerClock(m_pClock->LocalTime());
        break;
    default:
        break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(m_Timing.nPollPauseMs));
}

void CKV520Device::HandleDataFrame(const uint8_t* f)
{
    const int32_t nTick = CKV520Exchange::TickOf(f);
    m_nTickBase = nTick;
    const uint32_t nPending = m_nPending.load();
    uint8_t nCommand = uint8_t(nPending & kCommandMask);
    if (nCommand == kCmdKey && NowMs() - m_nKeyTimeMs.load() > m_Timing.nKeyMaxAgeMs) {
        // Pressed while the detector was away: dropped, and this frame is an
        // ordinary one.
        CompleteCommand(nPending);
        nCommand = kNoCommand;
    }
    if (nCommand != kNoCommand)
        qCDebug(lcWorker) << "command" << nCommand << "answers frame at tick" << nTick;
    switch (nCommand) {
    case kNoCommand:
        m_Exchange.Answer(nCommand);
        if (f[kIndicators] != 0xFF) {
            m_Model.StoreDataFrame(f, nTick);
            if (m_FrameStored)
                m_FrameStored((f[kIndicators] & 1) != 0);
        }
        break;
    case kCmdReadLog:
        m_Exchange.Answer(nCommand);
        qCDebug(lcWorker) << "log download starts";
        DownloadLog();
        CompleteCommand(nPending);
        break;
    case kCmdWriteMenu:
        m_Exchange.Answer(nCommand, m_Model.TakeMenuWrite(m_pClock->LocalTime()));
        CompleteCommand(nPending);
        break;
    case kCmdKey: {
        const uint8_t nKeyByte = uint8_t(nPending >> 8);
        m_Exchange.Answer(nCommand, QByteArray(1, char(nKeyByte)));
        // The count starts again after a sent key, unless a newer key was pressed meanwhile.
        uint8_t nSentSeq = uint8_t(nKeyByte >> 4);
        m_nKeySeq.compare_exchange_strong(nSentSeq, 0);
        CompleteCommand(nPending);
        break;
    }
    case kCmdFactoryReset:
    case kCmdClearLog:
        m_Exchange.Answer(nCommand);
        CompleteCommand(nPending);
        break;
    default:
        m_Exchange.Answer(nCommand);
        break; // unknown codes stay pending and go out with the next frame
    }
}

void CKV520Device::DownloadLog()
{
    m_nProgress = 0;
    {
        QMutexLocker locker(&m_LogLock);
        m_nLogBlocks = 0;
    }
    m_bLogCut = false;
    // Stop must not wait for a thousand blocks.
    CKV520Exchange::LogOutcome outcome;
    if (m_bRunning.load()) {
        outcome = m_Exchange.ReadLog([this](int nIndex, const uint8_t* pBlock) {
            NoteGoodAnswer();
            {
                QMutexLocker locker(&m_LogLock);
                std::memcpy(m_LogBuffer.data() + size_t(nIndex) * kLogBlockSize, pBlock, kLogBlockSize);
                m_nLogBlocks = nIndex + 1;
            }
            m_nProgress = (nIndex + 1) * 100 / kLogBlockCount;
            return m_bRunning.load();
        });
    }
    const bool bComplete = outcome.m_bEnded || outcome.m_nBlocks == kLogBlockCount;
    // A thousand blocks that all promise more: the detector's log is longer
    // than a download holds, which the user must hear about.
    m_bLogCut = !outcome.m_bEnded && outcome.m_nBlocks == kLogBlockCount;
    m_nProgress = bComplete ? kProgressDone : kProgressFailed;
    qCDebug(lcWorker) << "log download" << (bComplete ? "done" : "failed") << outcome.m_nBlocks << "blocks";
}
