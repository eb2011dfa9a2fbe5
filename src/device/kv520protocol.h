#pragma once

#include <cstddef>
#include <cstdint>

// Sizes, offsets and codes of the detector's wire protocol.
namespace KV520 {

constexpr int kBaudRate = 921600;

constexpr uint8_t kPollRequest = 0x2B;   // '+'
constexpr uint8_t kNextBlockRequest = 0xFE;
constexpr uint8_t kNoCommand = 0xFF;

constexpr int kFrameSize = 5250;
constexpr int kFrameChecksum = 5249;
constexpr uint8_t kFrameData = 0;
constexpr uint8_t kFrameClockRequest = 1;

// Data frame fields.
constexpr int kTick = 1;          // uint24 LE
constexpr int kDay = 4;           // day of month - 1
constexpr int kMonth = 5;         // month - 1
constexpr int kModeFlags = 6;
constexpr int kStatusA = 7;
constexpr int kIndicators = 8;    // 0xFF: the frame carries no measurement
constexpr int kStatusB = 9;
constexpr int kBandMask = 10;
constexpr int kStatusC = 11;
constexpr int kStatusWord = 12;   // uint16 LE
constexpr int kLevelBlock = 14;   // 24 bytes
constexpr int kThresholdBlock = 38; // 32 bytes
constexpr int kMenuBlock = 70;    // 54 bytes
constexpr int kOscParam = 124;
constexpr int kOscSamples = 129;  // 5120 bytes

constexpr int kLevelBlockSize = 24;
constexpr int kThresholdBlockSize = 32;
constexpr int kOscSampleCount = 5120;

constexpr uint8_t kModeThresholdsInLevels = 0x04;

// Menu and clock blocks.
constexpr int kMenuSize = 108;
constexpr int kMenuExchanged = 54;
constexpr int kClockSize = 5;

// Commands.
constexpr uint8_t kCmdReadLog = 2;
constexpr uint8_t kCmdWriteMenu = 5;
constexpr uint8_t kCmdFactoryReset = 6;
constexpr uint8_t kCmdClearLog = 7;
constexpr uint8_t kCmdKey = 8;

// Clock answer: 0x01, month - 1, day - 1, hour, minute, second.
constexpr int kClockAnswerSize = 6;

// Log download.
constexpr int kLogBlockSize = 267;
constexpr int kLogBlockCount = 1000;
constexpr int kLogBlockChecksummed = 264;
constexpr int kLogBlockChecksum = 266;
constexpr int kLogBlockMarker = 256;
constexpr uint8_t kLogMarker = 0x6D; // 'm'
constexpr int kLogSession = 257;    // uint16 LE
constexpr int kLogEntrySize = 64;
constexpr int kLogEntriesPerBlock = 4;

constexpr int kProgressDone = 100;
constexpr int kProgressFailed = 101;

// Time: quarter seconds.
constexpr int kTicksPerDay = 345600;
constexpr int kTicksPerHour = 14400;
constexpr int kTicksPerMinute = 240;
constexpr int kTicksPerSecond = 4;

constexpr int kHistorySize = 300000;

constexpr int kSilenceLimitMs = 1000;

// 8-bit sum of a byte range.
inline uint8_t Checksum(const uint8_t* p, size_t n)
{
    unsigned s = 0;
    for (size_t i = 0; i < n; ++i)
        s += p[i];
    return uint8_t(s);
}

} // namespace KV520
