#include "kv521simulator.h"

#include "kv520menupositions.h"
#include "kv520protocol.h"

#include <QDateTime>

#include <chrono>
#include <cmath>
#include <cstring>
#include <vector>


using namespace KV520;

namespace {

constexpr uint8_t kBandMasks[] = {1, 2, 4, 5, 6};
constexpr int kBandCount = 5;
// A message the PC started but did not finish is given up after this long, so
// a lost byte cannot keep the simulator from answering polls.
constexpr int kPartialTimeoutMs = 300;

int64_t NowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace

CKV521Simulator::CKV521Simulator() : CKV521Simulator(Options{})
{
}

CKV521Simulator::CKV521Simulator(const Options& options) : m_Options(options)
{
    m_nRandom = options.nSeed ? options.nSeed : 1;
    m_Menu = FactoryMenu();
    m_Log = DefaultLog();
}

CKV521Simulator::~CKV521Simulator()
{
    Stop();
}

bool CKV521Simulator::Open(QString* pError)
{
    return m_Terminal.Open(pError);
}

QString CKV521Simulator::SlavePath() const
{
    return m_Terminal.SlavePath();
}

bool CKV521Simulator::LinkTo(const QString& strPath, QString* pError)
{
    return m_Terminal.LinkTo(strPath, pError);
}

std::unique_ptr<CKV521Simulator> CKV521Simulator::StartForUsers(QString* pError)
{
    Options options;
    options.bPace = true;
    auto pSimulator = std::make_unique<CKV521Simulator>(options);
    if (!pSimulator->Open(pError))
        return nullptr;
    pSimulator->Start();
    return pSimulator;
}

void CKV521Simulator::Start()
{
    Stop();
    if (!m_Terminal.IsOpen())
        return;
    m_eState = WaitPoll;
    m_Partial.clear();
    m_bRunning = true;
    m_Thread = std::thread(&CKV521Simulator::Run, this);
}

void CKV521Simulator::Stop()
{
    m_bRunning = false;
    if (m_Thread.joinable())
        m_Thread.join();
}

void CKV521Simulator::InjectGarbage(const QByteArray& bytes)
{
    std::lock_guard<std::mutex> guard(m_Lock);
    m_Garbage += bytes;
}

void CKV521Simulator::InjectSilence(int nMs)
{
    std::lock_guard<std::mutex> guard(m_Lock);
    m_nSilenceMs = nMs;
}

void CKV521Simulator::InjectShortFrame()
{
    std::lock_guard<std::mutex> guard(m_Lock);
    m_bShortFrame = true;
}

void CKV521Simulator::InjectBadChecksum(int nFrames)
{
    std::lock_guard<std::mutex> guard(m_Lock);
    m_nBadChecksums += nFrames;
}

void CKV521Simulator::SetLogFault(int nBlock, LogFault eFault)
{
    std::lock_guard<std::mutex> guard(m_Lock);
    m_LogFaults[nBlock] = eFault;
}

void CKV521Simulator::ClearLogFaults()
{
    std::lock_guard<std::mutex> guard(m_Lock);
    m_LogFaults.clear();
}

void CKV521Simulator::SetIndicatorsNoMeasurement(bool bNone)
{
    std::lock_guard<std::mutex> guard(m_Lock);
    m_bNoMeasurement = bNone;
}

void CKV521Simulator::RequestClockNext()
{
    std::lock_guard<std::mutex> guard(m_Lock);
    m_bClockNext = true;
}

void CKV521Simulator::SetFrameOverride(std::function<void(uint8_t*)> override)
{
    std::lock_guard<std::mutex> guard(m_Lock);
    m_Override = std::move(override);
}

void CKV521Simulator::SetLog(const QList<QByteArray>& blocks)
{
    std::lock_guard<std::mutex> guard(m_Lock);
    m_Log = blocks;
}

QList<QByteArray> CKV521Simulator::Log() const
{
    std::lock_guard<std::mutex> guard(m_Lock);
    return m_Log;
}

QByteArray CKV521Simulator::BuildLogBlock(const QList<QByteArray>& entries, uint16_t nSession, bool bLast)
{
    QByteArray block(kLogBlockSize, '\0');
    for (int i = 0; i < entries.size() && i < kLogEntriesPerBlock; ++i)
        std::memcpy(block.data() + i * kLogEntrySize, entries[i].constData(),
                    size_t(qMin<qsizetype>(entries[i].size(), kLogEntrySize)));
    auto* p = reinterpret_cast<uint8_t*>(block.data());
    p[kLogBlockMarker] = bLast ? 0 : kLogMarker;
    p[kLogSession] = uint8_t(nSession);
    p[kLogSession + 1] = uint8_t(nSession >> 8);
    p[kLogBlockChecksum] = Checksum(p, kLogBlockChecksummed);
    return block;
}

QByteArray CKV521Simulator::BuildLogEvent(int nMonth0, int nDay0, int nHour, int nMinute, int nSecond,
                                          int nChannel, int nValue)
{
    QByteArray e(kLogEntrySize, '\0');
    auto* p = reinterpret_cast<uint8_t*>(e.data());
    p[0] = kLogMarker;
    for (int c = 0; c < 3; ++c)
        p[1 + c] = uint8_t(c == nChannel ? 1 : 0);
    for (int c = 0; c < 3; ++c) {
        p[4 + c] = uint8_t(60 + 10 * c + nSecond % 20); // DC levels
        p[7 + c] = uint8_t(50 + 8 * c + nMinute % 16);  // AC levels
        p[10 + c] = uint8_t((nSecond + c) % 6);          // signal kinds
        p[13 + c] = 80;                                  // DC thresholds
        p[16 + c] = 70;                                  // AC thresholds
    }
    const uint32_t nFrequency = 2400000u + uint32_t(nMinute) * 1000u;
    std::memcpy(p + 20, &nFrequency, 4); // little-endian hosts only, as the detector
    p[24] = 1;
    p[28] = uint8_t(nHour);
    p[29] = uint8_t(nMinute);
    p[30] = uint8_t(nSecond);
    p[31] = uint8_t(nDay0);
    p[32] = uint8_t(nMonth0);
    p[34] = uint8_t(nValue);
    p[35] = uint8_t(nValue >> 8);
    p[36] = uint8_t(nChannel);
    return e;
}

QList<QByteArray> CKV521Simulator::BuildSessionBlocks(const QList<QByteArray>& entries, uint16_t nSession)
{
    QList<QByteArray> blocks;
    for (int b = 0; b < entries.size(); b += kLogEntriesPerBlock)
        blocks << BuildLogBlock(entries.mid(b, kLogEntriesPerBlock), nSession, false);
    return blocks;
}

QList<QByteArray> CKV521Simulator::DefaultLog()
{
    // Three sessions of ten events on consecutive days; a session never shares a block.
    QList<QByteArray> blocks;
    for (int s = 0; s < 3; ++s) {
        QList<QByteArray> entries;
        for (int i = 0; i < 10; ++i)
            entries << BuildLogEvent(2, 10 + s, 9 + s, 5 * i, (7 * i) % 60, i % 3, 3 + i);
        blocks << BuildSessionBlocks(entries, uint16_t(s + 1));
    }
    blocks << BuildLogBlock({}, 3, true);
    return blocks;
}

std::array<uint8_t, 54> CKV521Simulator::FactoryMenu()
{
    using namespace KV520Menu;
    // Every edited position within its range, so the Device Menu shows the
    // values unclamped and OK sends back exactly what it was given.
    std::array<uint8_t, 54> m{};
    auto set = [&m](int nPos, int nValue) { m[size_t(nPos)] = uint8_t(nValue); };
    set(kLevelMode, 0);
    set(kRelConst1, 20);
    set(kAbsConst1, 40);
    set(kRelPulse1, 18);
    set(kAbsPulse1, 36);
    set(kRelConst2, 22);
    set(kAbsConst2, 44);
    set(kRelPulse2, 16);
    set(kAbsPulse2, 32);
    for (int nPos : {kCapture, kGsm, kDect, kBluetooth, kWlan, kDisplay, kKeyTone, kLogger, kRange1, kRange2})
        set(nPos, 1);
    set(kHold, 0);
    set(kSchedule, 0);
    set(kScheduleStart, 8);
    set(kScheduleStop, 18);
    set(kEventDelay, 10);
    set(kSortOrder, 0);
    set(kBrightness, 7);
    set(kAutoOff, 15); // 120 s
    set(kSyncPc, 0);
    set(kTimeCorrection, kTimeCorrectionZero);
    set(kLanguage, 0); // English
    set(kEveryday, 0);
    set(kLowPass, 0);
    set(kFreqmeter, 2);
    set(kAutoOn, 0);
    set(kRecorder, 0);
    set(kRecorderTime, 1); // 2 min
    set(kVibro, 1);
    set(kSensitivity, 1);  // middle
    return m;
}

QByteArray CKV521Simulator::Menu() const
{
    std::lock_guard<std::mutex> guard(m_Lock);
    return QByteArray(reinterpret_cast<const char*>(m_Menu.data()), int(m_Menu.size()));
}

int CKV521Simulator::ModeFlags() const
{
    std::lock_guard<std::mutex> guard(m_Lock);
    return m_nMode;
}

int CKV521Simulator::BandMask() const
{
    std::lock_guard<std::mutex> guard(m_Lock);
    return kBandMasks[m_nBandIndex];
}

QList<CKV521Simulator::PcMessage> CKV521Simulator::Received() const
{
    std::lock_guard<std::mutex> guard(m_Lock);
    return m_Received;
}

QList<CKV521Simulator::PcMessage> CKV521Simulator::Received(PcMessage::Kind eKind) const
{
    std::lock_guard<std::mutex> guard(m_Lock);
    QList<PcMessage> out;
    for (const PcMessage& m : m_Received)
        if (m.eKind == eKind)
            out << m;
    return out;
}

void CKV521Simulator::ClearReceived()
{
    std::lock_guard<std::mutex> guard(m_Lock);
    m_Received.clear();
}

int CKV521Simulator::FramesSent() const
{
    std::lock_guard<std::mutex> guard(m_Lock);
    return m_nFramesSent;
}

bool CKV521Simulator::WaitFor(const std::function<bool()>& predicate, int nTimeoutMs) const
{
    const int64_t nEnd = NowMs() + nTimeoutMs;
    while (!predicate()) {
        if (NowMs() >= nEnd)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

void CKV521Simulator::Record(PcMessage::Kind eKind, const QByteArray& bytes)
{
    std::lock_guard<std::mutex> guard(m_Lock);
    m_Received.append({eKind, bytes});
}

void CKV521Simulator::Run()
{
    uint8_t buffer[4096];
    while (m_bRunning.load()) {
        const CPseudoTerminal::Wait eWait = m_Terminal.WaitReadable(20);
        if (eWait == CPseudoTerminal::Ready) {
            const int n = m_Terminal.Read(buffer, int(sizeof buffer));
            if (n > 0) {
                m_nLastByteMs = NowMs();
                for (int i = 0; i < n && m_bRunning.load(); ++i)
                    HandleByte(buffer[i]);
                continue;
            }
        }
        if (eWait == CPseudoTerminal::HungUp) {
            // No PC side open (hang-up): the pseudo-terminal reports it at once, so
            // wait a little instead of spinning.
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        if (m_eState != WaitPoll && m_eState != ServingLog && NowMs() - m_nLastByteMs > kPartialTimeoutMs)
            Revert();
    }
}

void CKV521Simulator::Revert()
{
    if (!m_Partial.isEmpty())
        Record(PcMessage::Unexpected, m_Partial);
    m_Partial.clear();
    m_eState = WaitPoll;
}

void CKV521Simulator::HandleByte(uint8_t b)
{
    const QByteArray one(1, char(b));
    switch (m_eState) {
    case WaitPoll:
        if (b == kPollRequest)
            AnswerPoll();
        else
            Record(PcMessage::Unexpected, one);
        return;
    case WaitCommand:
        // No command has the poll's code: a poll here means the PC dropped the
        // frame (bad checksum) and asks again.
        if (b == kPollRequest) {
            AnswerPoll();
            return;
        }
        Record(PcMessage::CommandByte, one);
        m_eState = WaitPoll;
        switch (b) {
        case kCmdReadLog:
            m_nBlock = 0;
            m_eState = ServingLog;
            break;
        case kCmdWriteMenu:
            m_Partial.clear();
            m_eState = WaitMenu;
            break;
        case kCmdFactoryReset: {
            std::lock_guard<std::mutex> guard(m_Lock);
            m_Menu = FactoryMenu();
            break;
        }
        case kCmdClearLog: {
            std::lock_guard<std::mutex> guard(m_Lock);
            m_Log = {BuildLogBlock({}, 0, true)};
            break;
        }
        case kCmdKey:
            m_eState = WaitKey;
            break;
        default:
            break;
        }
        return;
    case WaitMenu:
        m_Partial.append(char(b));
        if (m_Partial.size() == kMenuExchanged + kClockSize) {
            {
                std::lock_guard<std::mutex> guard(m_Lock);
                std::memcpy(m_Menu.data(), m_Partial.constData(), kMenuExchanged);
            }
            Record(PcMessage::MenuWrite, m_Partial);
            m_Partial.clear();
            m_eState = WaitPoll;
        }
        return;
    case WaitKey: {
        Record(PcMessage::KeyByte, one);
        m_eState = WaitPoll;
        std::lock_guard<std::mutex> guard(m_Lock);
        switch (b & 0x0F) {
        case 4:
            m_nMode ^= 0x01;
            break;
        case 2:
            m_nBandIndex = (m_nBandIndex + 1) % kBandCount;
            break;
        case 3:
            m_nBandIndex = (m_nBandIndex + kBandCount - 1) % kBandCount;
            break;
        default:
            break;
        }
        return;
    }
    case WaitClock:
        if (m_Partial.isEmpty() && b != 0x01) {
            m_eState = WaitPoll;
            HandleByte(b);
            return;
        }
        m_Partial.append(char(b));
        if (m_Partial.size() == kClockAnswerSize) {
            Record(PcMessage::ClockAnswer, m_Partial);
            m_Partial.clear();
            m_eState = WaitPoll;
        }
        return;
    case ServingLog:
        if (b == kNextBlockRequest) {
            Record(PcMessage::NextBlock, one);
            ServeBlock();
        } else if (b == kPollRequest) {
            AnswerPoll(); // the PC ended the download
        } else {
            Record(PcMessage::Unexpected, one);
        }
        return;
    }
}

void CKV521Simulator::ServeBlock()
{
    QByteArray block;
    bool bShort = false;
    {
        std::lock_guard<std::mutex> guard(m_Lock);
        block = m_nBlock < m_Log.size() ? m_Log[m_nBlock] : BuildLogBlock({}, 0, true);
        auto it = m_LogFaults.find(m_nBlock);
        if (it != m_LogFaults.end()) {
            if (it->second == LogFault::Short)
                bShort = true;
            else
                block[kLogBlockChecksum] = char(block[kLogBlockChecksum] ^ 0x5A);
        }
    }
    ++m_nBlock;
    const int nSize = bShort ? kLogBlockSize / 2 : int(block.size());
    WriteAll(reinterpret_cast<const uint8_t*>(block.constData()), nSize);
}

void CKV521Simulator::AnswerPoll()
{
    Record(PcMessage::Poll, QByteArray(1, char(kPollRequest)));
    int nSilence = 0;
    QByteArray garbage;
    bool bShort = false;
    bool bBad = false;
    bool bClock = false;
    {
        std::lock_guard<std::mutex> guard(m_Lock);
        std::swap(nSilence, m_nSilenceMs);
        std::swap(garbage, m_Garbage);
        std::swap(bShort, m_bShortFrame);
        const int nNumber = m_nFramesSent + 1;
        if (m_nBadChecksums > 0) {
            --m_nBadChecksums;
            bBad = true;
        } else if (m_Options.nBadChecksumEvery > 0 && nNumber % m_Options.nBadChecksumEvery == 0) {
            bBad = true;
        }
        bClock = m_bClockNext || (m_Options.nClockRequestEvery > 0 && nNumber % m_Options.nClockRequestEvery == 0);
        m_bClockNext = false;
    }
    if (nSilence > 0) {
        // Everything the PC sends meanwhile goes unanswered, as from an unplugged detector.
        const int64_t nEnd = NowMs() + nSilence;
        uint8_t buffer[4096];
        while (m_bRunning.load() && NowMs() < nEnd) {
            if (m_Terminal.WaitReadable(10) == CPseudoTerminal::Ready) {
                const int n = m_Terminal.Read(buffer, int(sizeof buffer));
                for (int i = 0; i < n; ++i)
                    Record(buffer[i] == kPollRequest ? PcMessage::Poll : PcMessage::Unexpected,
                           QByteArray(1, char(buffer[i])));
            } else {
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
        }
        m_eState = WaitPoll;
        return;
    }
    std::vector<uint8_t> frame(kFrameSize);
    BuildFrame(frame.data(), bClock);
    if (bBad)
        frame[kFrameChecksum] = uint8_t(frame[kFrameChecksum] ^ 0xA5);
    if (!garbage.isEmpty())
        WriteAll(reinterpret_cast<const uint8_t*>(garbage.constData()), int(garbage.size()));
    WriteAll(frame.data(), bShort ? kFrameSize / 3 : kFrameSize);
    {
        std::lock_guard<std::mutex> guard(m_Lock);
        ++m_nFramesSent;
    }
    m_Partial.clear();
    m_nLastByteMs = NowMs();
    if (bShort)
        m_eState = WaitPoll;
    else
        m_eState = frame[0] == kFrameClockRequest ? WaitClock : WaitCommand;
}

void CKV521Simulator::BuildFrame(uint8_t* f, bool bClock)
{
    std::memset(f, 0, kFrameSize);
    std::lock_guard<std::mutex> guard(m_Lock);
    auto random = [this]() {
        m_nRandom = m_nRandom * 1103515245u + 12345u;
        return (m_nRandom >> 16) & 0x7FFF;
    };
    const bool bFixed = m_Options.bDeterministic;
    const QDateTime now = QDateTime::currentDateTime().addSecs(m_Options.nClockOffsetSecs);
    const QTime t = now.time();
    const uint32_t nTick = uint32_t(t.msecsSinceStartOfDay() / 250);
    f[0] = bClock ? kFrameClockRequest : kFrameData;
    f[kTick] = uint8_t(nTick);
    f[kTick + 1] = uint8_t(nTick >> 8);
    f[kTick + 2] = uint8_t(nTick >> 16);
    f[kDay] = uint8_t(now.date().day() - 1);
    f[kMonth] = uint8_t(now.date().month() - 1);
    f[kModeFlags] = m_nMode;
    f[kStatusA] = 0x01;
    f[kStatusB] = 0x00;
    f[kBandMask] = kBandMasks[m_nBandIndex];
    f[kStatusC] = 0x00;

    // Levels: a sweep past sources, so each channel rises and falls in turn.
    const double dPhase = bFixed ? 0.0 : double(m_nFramesSent) / 40.0;
    uint8_t* pLevels = f + kLevelBlock;
    uint8_t* pThresholds = f + kThresholdBlock;
    bool bAlarm = false;
    for (int c = 0; c < 3; ++c) {
        const double dWave = std::sin(dPhase + c * 2.1);
        // Only the first channel's peaks cross its thresholds, so the alarm
        // comes and goes as it would while sweeping a room.
        const int nSwing = c == 0 ? 50 : 30;
        const int nDc = bFixed ? 60 + 10 * c : int(70 + nSwing * dWave) + int(random() % 6);
        const int nAc = bFixed ? 50 + 5 * c : int(60 + (nSwing - 10) * dWave) + int(random() % 4);
        const int nKind = bFixed ? c : (m_nFramesSent / 50 + c) % 6; // DECT, GSM, BT, WLAN, DECT base, WLAN base
        const int nDcThreshold = 112, nAcThreshold = 96;
        pLevels[c] = uint8_t(qBound(0, nDc, 255));
        pLevels[3 + c] = uint8_t(qBound(0, nAc, 255));
        pLevels[6 + c] = uint8_t(nKind);
        pThresholds[c] = nDcThreshold;
        pThresholds[3 + c] = nAcThreshold;
        if (m_nMode & kModeThresholdsInLevels) {
            pLevels[9 + c] = nDcThreshold;
            pLevels[12 + c] = nAcThreshold;
        }
        if (nDc > nDcThreshold || nAc > nAcThreshold)
            bAlarm = true;
    }
    // Indicators: bit 0 alarm, bit 1 the display language (menu byte 33).
    f[kIndicators] = m_bNoMeasurement ? 0xFF : uint8_t((bAlarm ? 1 : 0) | ((m_Menu[33] & 1) << 1));
    const uint16_t nStatus = uint16_t(bFixed ? 0x0102 : 0x0100 | (m_nFramesSent & 0xFF));
    f[kStatusWord] = uint8_t(nStatus);
    f[kStatusWord + 1] = uint8_t(nStatus >> 8);
    // Frequency (kHz, LE) with its valid byte, after the levels.
    const uint32_t nFrequency = bFixed ? 2437000u : 2400000u + uint32_t(random() % 80) * 1000u;
    pLevels[16] = uint8_t(nFrequency);
    pLevels[17] = uint8_t(nFrequency >> 8);
    pLevels[18] = uint8_t(nFrequency >> 16);
    pLevels[19] = uint8_t(nFrequency >> 24);
    pLevels[20] = 1;

    std::memcpy(f + kMenuBlock, m_Menu.data(), kMenuExchanged);

    // Oscilloscope: a noise floor with WLAN-like bursts about 45 samples wide.
    f[kOscParam] = 3;
    uint8_t* pOsc = f + kOscSamples;
    const int nOffset = bFixed ? 0 : int(random() % 400);
    for (int i = 0; i < kOscSampleCount; ++i) {
        int v = 10 + (bFixed ? (i % 5) : int(random() % 8));
        if ((i + nOffset) % 400 < 45)
            v += 150;
        pOsc[i] = uint8_t(v);
    }
    if (m_Override)
        m_Override(f);
    f[kFrameChecksum] = Checksum(f, kFrameChecksum);
}

bool CKV521Simulator::WriteAll(const uint8_t* p, int n)
{
    // With pacing, chunks of 512 bytes and a sleep for the time they take on the
    // line at 10 bits a byte.
    const int nChunk = m_Options.bPace ? 512 : n;
    int nDone = 0;
    int64_t nStalledSince = NowMs();
    while (nDone < n && m_bRunning.load()) {
        const int nWant = std::min(nChunk, n - nDone);
        const CPseudoTerminal::Wait eWait = m_Terminal.WaitWritable(20);
        if (eWait != CPseudoTerminal::Ready) {
            if (NowMs() - nStalledSince > 2000)
                return false; // nobody reads: drop the rest
            if (eWait == CPseudoTerminal::HungUp)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            continue;
        }
        const int w = m_Terminal.Write(p + nDone, nWant);
        if (w <= 0) {
            if (NowMs() - nStalledSince > 2000)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            continue;
        }
        nDone += int(w);
        nStalledSince = NowMs();
        if (m_Options.bPace)
            std::this_thread::sleep_for(std::chrono::microseconds(int64_t(w) * 10 * 1000000 / kBaudRate));
    }
    return nDone == n;
}
