#pragma once

#include "devicebase.h"
#include "iclock.h"
#include "kv520datamodel.h"
#include "kv520exchange.h"
#include "serial.h"

#include <QMutex>

#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

// The KV520/KV521 detector: owns the serial link and the exchange worker
// thread that polls the detector, answers its frames with queued commands and
// keeps what arrives in the data model. The bytes of each exchange are
// CKV520Exchange's; this object decides what to send and what to keep.
class CKV520Device : public CDeviceBase
{
public:
    CKV520Device();
    ~CKV520Device() override;

    void Start() override;
    void Stop() override;
    bool IsConnected() override;
    bool HasFailed() override;
    void PressKey(int nKey) override;
    void SetCommand(int nCommand) override;
    bool SaveLogFile(const QString& strFolder) override;
    bool SaveRealtimeFile(const QString& strFolder, int nVersion, QString& strName) override;
    bool LoadDataFile(const QString& strPath, QList<CDeviceRecord>& records, int& nVersion) override;
    int GetModeFlags() override;
    int GetRecordCount() override;
    int QueryFixedOne() override;
    CDeviceRecord GetRecord(int nIndex) override;
    CDeviceRecord GetLastRecord() override;
    int QueryFixedMinusOne() override;
    QString QueryEmptyText() override;
    uint8_t GetMenuByte(int nPos) override;
    void SetMenuByte(int nPos, int nValue) override;
    bool LoadMenuFile(const QString& strPath) override;
    bool SaveMenuFile(const QString& strPath) override;
    int QueryFixedZero() override;
    bool GetDetectorSettings(QByteArray& menu, QDateTime& clock) override;
    QDateTime GetDeviceTime() override;
    void SetDeviceTime(const QDateTime& dateTime) override;
    const std::atomic<int>* GetProgress() override;

    CDeviceLiveState GetLiveState() override;
    QByteArray GetOscilloscopeSamples(int* pParam) override;
    QString GetLinkError(bool* pPermission = nullptr) override;
    void DiscardMenuEdits() override;
    QString GetLastFileError() override;
    QStringList GetLastSavedFiles() override;
    void SetSweepContext(const CSweepContext& context) override;
    CSweepContext GetSweepContext() override;
    QString GetUsbSerial() override;
    QString GetPortName() override;
    bool NeedsPortChoice() override;
    int GetNoDataCauses() override;
    int GetLogBlockCount() override;
    bool IsLogCut() override;
    int32_t GetNewestTick() override;
    int64_t GetRecordTotal() override;
    int CopyRawRecords(int64_t nFirst, int nMax, DeviceRawRecord* pOut) override;

    // Set before Start: a port to use instead of discovery.
    void SetPortOverride(const QString& strName);
    // The port the user named: "--port NAME" (or "--port=NAME") among the
    // arguments, else the environment variable KV521_PORT; empty for discovery.
    static QString PortOverrideFrom(const QStringList& arguments);
    // Set while stopped: the port picked in the chooser (a simulated choice
    // must already be turned into the simulator's port), or automatic.
    void SetPortChoice(const CPortChoice& choice);
    // Set before Start: where the ports come from (tests give a list).
    void SetPortEnumerator(std::shared_ptr<ISerialPortEnumerator> pEnumerator);
    // Set before Start: fixed 20 ms sleeps instead of waiting reads (benchmark).
    void SetWaitingReads(bool bWaiting);
    // Set before Start: the port behind the link, when a test plays the detector.
    void SetSerialHandle(std::shared_ptr<ISerialHandle> pHandle);
    // Set before Start: the pause after each poll and before each attempt to
    // connect. The detector needs 10 and 200 ms; a test that answers at once
    // has no reason to wait.
    void SetPacing(int nPollPauseMs, int nConnectPauseMs);

    // The windows and limits of the exchange; the defaults are the detector's.
    struct Timing
    {
        // A queued key press older than this is dropped: the detector may have
        // been away, and a key sent long after the click (PWR) surprises the user.
        int nKeyMaxAgeMs = 2000;
        // The link counts as online only with a good frame this recent.
        int nOnlineWindowMs = 1000;
        // A frame or log block that stays incomplete this long is given up.
        int nSilenceLimitMs = KV520::kSilenceLimitMs;
        int nPollPauseMs = 10;
        int nConnectPauseMs = 200;
    };
    // Set before Start.
    void SetTiming(const Timing& timing);
    const Timing& GetTiming() const { return m_Timing; }
    // Set before Start: where the time comes from (the PC's clocks by default).
    void SetClock(std::shared_ptr<IClock> pClock);
    // Set before Start: called on the link's thread after each stored data
    // frame with its alarm indicator, for a reader that must not wait for its
    // next poll. It must return at once.
    void SetFrameStoredHandler(std::function<void(bool bAlarm)> handler) { m_FrameStored = std::move(handler); }

    // The pending command code, 0xFF when none.
    int PendingCommand() const;
    int GoodFrames() const { return m_nGoodFrames.load(); }
    int BadFrames() const { return m_nBadFrames.load(); }
    int ChecksumErrors() const { return m_nChecksumErrors.load(); }
    int LinkStatus() const { return m_Link.m_nStatus.load(); }

    // The data model, for the log and file code and for tests that feed frames
    // without a link.
    CKV520DataModel& Model() { return m_Model; }
    // A copy of the raw log blocks of the last download (1000 x 267 bytes).
    QByteArray LogBuffer() const;
    // Only the blocks the last download received.
    QByteArray ReceivedLog() const;
    // Tests: puts raw log blocks in place as a download would.
    void SetLogBuffer(const QByteArray& blocks);

private:
    void WorkerLoop();
    void RunCycle();
    void PollOnce();
    void HandleDataFrame(const uint8_t* pFrame);
    void DownloadLog();
    void CompleteCommand(uint32_t nPending);
    bool SleepWhileRunning(int nMs);
    void NoteLinkError();
    void NoteGoodAnswer();
    void NoteBadAnswer(int nCause);
    int64_t NowMs() const;

    std::atomic<int> m_nGoodFrames{0};
    std::atomic<int> m_nBadFrames{0};
    std::atomic<int> m_nChecksumErrors{0};
    CKV520DataModel m_Model;
    std::atomic<int32_t> m_nTickBase{-1};
    std::atomic<int> m_nProgress{0};
    std::atomic<int> m_nLogBlocks{0};
    std::atomic<bool> m_bLogCut{false};
    // Steady-clock milliseconds of the last answer that passed its checksum
    // and of the last answer of any kind, and what failed since the good one.
    std::atomic<int64_t> m_nLastGoodMs{-1};
    std::atomic<int64_t> m_nLastAnswerMs{-1};
    std::atomic<int> m_nNoDataCauses{0};
    std::atomic<int64_t> m_nKeyTimeMs{0};

    std::thread m_Thread;
    std::atomic<bool> m_bRunning{false};
    CSerial m_Link;
    std::atomic<bool> m_bOnline{false};
    std::atomic<bool> m_bFailed{false};
    // Both set only while the worker is stopped.
    Timing m_Timing;
    std::shared_ptr<IClock> m_pClock;
    std::function<void(bool)> m_FrameStored;

    // Command hand-over: the command code in bits 0-7, the key byte in bits
    // 8-15 and a generation count above, so the worker completes exactly the
    // command it sent and never one queued while it was sending.
    std::atomic<uint32_t> m_nPending;
    std::atomic<uint8_t> m_nKeySeq{0};

    mutable QMutex m_LogLock;
    std::vector<uint8_t> m_LogBuffer;
    // Worker only: the bytes on the link.
    CKV520Exchange m_Exchange;

    mutable QMutex m_InfoLock;
    QString m_strLinkError;
    bool m_bLinkPermission = false;
    QString m_strLinkPort;
    CSweepContext m_SweepContext;
    QString m_strFileError;
    QStringList m_LastSavedFiles;
};
