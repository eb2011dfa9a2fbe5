#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include "pseudoterminal.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

// The detector's side of the serial link, served on a POSIX pseudo-terminal so
// the real device code can talk to it. All public calls are thread-safe.
class CKV521Simulator
{
public:
    struct Options
    {
        bool bPace = false;          // write at the real line rate
        bool bDeterministic = false; // fixed frame content
        unsigned nSeed = 1;
        int nBadChecksumEvery = 0;
        int nClockRequestEvery = 0;
        // How far the detector's clock is from the PC's, in seconds (negative: behind).
        int64_t nClockOffsetSecs = 0;
    };

    struct PcMessage
    {
        enum Kind { Poll, CommandByte, MenuWrite, KeyByte, ClockAnswer, NextBlock, Unexpected };
        Kind eKind;
        QByteArray bytes;
    };

    enum class LogFault { Short, BadChecksum };

    CKV521Simulator();
    explicit CKV521Simulator(const Options& options);
    ~CKV521Simulator();

    bool Open(QString* pError = nullptr);
    // The simulated detector the program and the tool offer their users:
    // at the real line rate, opened and running. Null with the reason.
    static std::unique_ptr<CKV521Simulator> StartForUsers(QString* pError);
    QString SlavePath() const;
    bool LinkTo(const QString& strPath, QString* pError = nullptr);
    void Start();
    void Stop();

    // Faults, each taking effect at the next suitable point of the exchange.
    void InjectGarbage(const QByteArray& bytes);
    void InjectSilence(int nMs);
    void InjectShortFrame();
    void InjectBadChecksum(int nFrames);
    void SetLogFault(int nBlock, LogFault eFault);
    void ClearLogFaults();

    // Frame content.
    void SetIndicatorsNoMeasurement(bool bNone);
    void RequestClockNext();
    void SetFrameOverride(std::function<void(uint8_t* pFrame)> override);

    // The flash log, served as given.
    void SetLog(const QList<QByteArray>& blocks);
    QList<QByteArray> Log() const;
    // One 267-byte block from up to four 64-byte entries.
    static QByteArray BuildLogBlock(const QList<QByteArray>& entries, uint16_t nSession, bool bLast);
    // The blocks of one session's entries, four to a block, none of them the last.
    static QList<QByteArray> BuildSessionBlocks(const QList<QByteArray>& entries, uint16_t nSession);
    static QByteArray BuildLogEvent(int nMonth0, int nDay0, int nHour, int nMinute, int nSecond, int nChannel,
                                    int nValue);
    static QList<QByteArray> DefaultLog();

    // State the PC can change.
    QByteArray Menu() const;
    int ModeFlags() const;
    int BandMask() const;

    QList<PcMessage> Received() const;
    QList<PcMessage> Received(PcMessage::Kind eKind) const;
    void ClearReceived();
    int FramesSent() const;
    // Polls the predicate until it holds or the time is up; true when it held.
    bool WaitFor(const std::function<bool()>& predicate, int nTimeoutMs) const;

private:
    enum State { WaitPoll, WaitCommand, WaitMenu, WaitKey, WaitClock, ServingLog };

    void Run();
    void HandleByte(uint8_t b);
    void AnswerPoll();
    void ServeBlock();
    void BuildFrame(uint8_t* f, bool bClock);
    bool WriteAll(const uint8_t* p, int n);
    void Record(PcMessage::Kind eKind, const QByteArray& bytes);
    void Revert();
    static std::array<uint8_t, 54> FactoryMenu();

    Options m_Options;
    CPseudoTerminal m_Terminal;
    std::thread m_Thread;
    std::atomic<bool> m_bRunning{false};

    mutable std::mutex m_Lock; // guards everything below
    QList<PcMessage> m_Received;
    int m_nFramesSent = 0;
    QByteArray m_Garbage;
    int m_nSilenceMs = 0;
    bool m_bShortFrame = false;
    int m_nBadChecksums = 0;
    std::map<int, LogFault> m_LogFaults;
    bool m_bNoMeasurement = false;
    bool m_bClockNext = false;
    std::function<void(uint8_t*)> m_Override;
    QList<QByteArray> m_Log;
    std::array<uint8_t, 54> m_Menu{};
    uint8_t m_nMode = 0x05;
    int m_nBandIndex = 0;
    uint32_t m_nRandom = 1;

    // Worker-only state.
    State m_eState = WaitPoll;
    QByteArray m_Partial;
    int m_nBlock = 0;
    int64_t m_nLastByteMs = 0;
};
