#include "kv520exchange.h"
#include "serial.h"
#include "tracecategories.h"

using namespace KV520;

namespace {
constexpr int kDrainQuietMs = 20;
constexpr int kDrainMaxMs = 1000;
} // namespace

CKV520Exchange::CKV520Exchange(CSerial& link)
    : m_Link(link)
{
}

int32_t CKV520Exchange::TickOf(const uint8_t* pFrame)
{
    return int32_t(pFrame[kTick] | (pFrame[kTick + 1] << 8) | (pFrame[kTick + 2] << 16));
}

bool CKV520Exchange::ReadWhole(uint8_t* pBuffer, int nCount)
{
    m_Link.Read(pBuffer, nCount, m_nReceived, m_nSilenceLimitMs);
    return m_nReceived == nCount;
}

CKV520Exchange::FrameOutcome CKV520Exchange::Poll()
{
    int nWritten = 0;
    const uint8_t nPoll = kPollRequest;
    m_Link.Write(&nPoll, 1, nWritten);
    if (!ReadWhole(m_Frame.data(), kFrameSize)) {
        qCDebug(lcLink) << "short frame:" << m_nReceived << "of" << kFrameSize << "bytes";
        return FrameOutcome::Short;
    }
    const uint8_t* f = m_Frame.data();
    const uint8_t nSum = Checksum(f, kFrameChecksum);
    qCDebug(lcLink) << "frame" << m_nReceived << "bytes, type" << f[0] << "sum" << nSum << "carried"
                    << f[kFrameChecksum];
    if (nSum != f[kFrameChecksum]) {
        // A lost or stray byte shifts every later frame; wait for the line to go
        // quiet so the next poll starts on a frame boundary again.
        m_Link.DrainUntilQuiet(kDrainQuietMs, kDrainMaxMs);
        return FrameOutcome::BadChecksum;
    }
    return FrameOutcome::Good;
}

void CKV520Exchange::Answer(uint8_t nCommand, const QByteArray& payload)
{
    // One write: a system call and a wake-up of the line fewer for every
    // command that carries bytes; the detector sees the same byte stream.
    int nWritten = 0;
    if (payload.isEmpty()) {
        m_Link.Write(&nCommand, 1, nWritten);
        return;
    }
    QByteArray bytes;
    bytes.reserve(1 + payload.size());
    bytes.append(char(nCommand)).append(payload);
    m_Link.Write(bytes.constData(), int(bytes.size()), nWritten);
}

void CKV520Exchange::AnswerClock(const QDateTime& now)
{
    const uint8_t answer[kClockAnswerSize] = {
        1, uint8_t(now.date().month() - 1), uint8_t(now.date().day() - 1), uint8_t(now.time().hour()),
        uint8_t(now.time().minute()), uint8_t(now.time().second())};
    int nWritten = 0;
    m_Link.Write(answer, kClockAnswerSize, nWritten);
}

CKV520Exchange::LogOutcome CKV520Exchange::ReadLog(const LogReceiver& receiver)
{
    LogOutcome outcome;
    uint8_t block[kLogBlockSize];
    bool bBroken = false;
    for (int n = 0; n < kLogBlockCount; ++n) {
        int nWritten = 0;
        const uint8_t nRequest = kNextBlockRequest;
        m_Link.Write(&nRequest, 1, nWritten);
        if (!ReadWhole(block, kLogBlockSize) || Checksum(block, kLogBlockChecksummed) != block[kLogBlockChecksum]) {
            bBroken = true;
            break;
        }
        outcome.m_nBlocks = n + 1;
        const bool bGoOn = receiver(n, block);
        if (block[kLogBlockMarker] != kLogMarker) {
            outcome.m_bEnded = true;
            break;
        }
        if (!bGoOn) {
            // Stopped between blocks: nothing was asked for, so nothing is on its way.
            outcome.m_bStopped = true;
            break;
        }
    }
    // Whatever was left of a broken block must not be taken for the next frame.
    if (bBroken)
        m_Link.DrainUntilQuiet(kDrainQuietMs, kDrainMaxMs);
    return outcome;
}
