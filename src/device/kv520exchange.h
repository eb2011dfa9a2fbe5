#pragma once

#include "kv520protocol.h"

#include <QByteArray>
#include <QDateTime>

#include <array>
#include <cstdint>
#include <functional>

class CSerial;

// The bytes of the exchange with the detector: the poll and its frame, the
// answer to a data frame, the clock answer and the log blocks, each checked
// against its sum. What the bytes mean to the program (the data model, the
// queued commands, the progress a user watches) is the device object's.
class CKV520Exchange
{
public:
    enum class FrameOutcome {
        Good,        // a whole frame that passed its sum
        Short,       // the detector fell silent before the frame was whole
        BadChecksum  // a whole frame that failed its sum; the line has been resynchronised
    };

    explicit CKV520Exchange(CSerial& link);
    CKV520Exchange(const CKV520Exchange&) = delete;
    CKV520Exchange& operator=(const CKV520Exchange&) = delete;

    // How long a frame or log block may stay incomplete before it is given up.
    void SetSilenceLimit(int nMs) { m_nSilenceLimitMs = nMs; }

    // Sends the poll and reads one frame.
    FrameOutcome Poll();
    // The frame of the last poll (KV520 frame positions); whole only after a
    // Good or BadChecksum outcome.
    const uint8_t* Frame() const { return m_Frame.data(); }
    int Received() const { return m_nReceived; }
    // The frame's 24-bit tick counter: quarter seconds since midnight.
    static int32_t TickOf(const uint8_t* pFrame);

    // Answers a data frame: the command byte and what the command carries (the
    // key byte, the menu write) go out as one write, in this order.
    void Answer(uint8_t nCommand, const QByteArray& payload = QByteArray());
    // Answers a clock request with the PC's time.
    void AnswerClock(const QDateTime& now);

    struct LogOutcome {
        int m_nBlocks = 0;     // good blocks, handed to the receiver in order
        bool m_bEnded = false; // the block without the continuation marker came
        bool m_bStopped = false; // the receiver asked to stop
    };
    // After a read-log answer: asks for blocks one by one until the last block
    // comes, a block is short or fails its sum, kLogBlockCount blocks came or
    // the receiver returns false. Bytes left of a broken block are drained so
    // they are not taken for the next frame.
    using LogReceiver = std::function<bool(int nIndex, const uint8_t* pBlock)>;
    LogOutcome ReadLog(const LogReceiver& receiver);

private:
    bool ReadWhole(uint8_t* pBuffer, int nCount);

    CSerial& m_Link;
    std::array<uint8_t, KV520::kFrameSize> m_Frame{};
    int m_nReceived = 0;
    int m_nSilenceLimitMs = KV520::kSilenceLimitMs;
};
