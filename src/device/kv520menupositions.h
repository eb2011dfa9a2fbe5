#pragma once

// Where the detector keeps each setting in its 108-byte menu block (the first
// 54 bytes travel in every data frame and in a menu write), and the units of
// the few that are not plain values.
namespace KV520Menu {

constexpr int kLevelMode = 1;        // 0 common relative level, 1 individual levels
constexpr int kRelConst1 = 2;        // also the common relative level
constexpr int kAbsConst1 = 3;
constexpr int kRelPulse1 = 4;
constexpr int kAbsPulse1 = 5;
constexpr int kRelConst2 = 6;
constexpr int kAbsConst2 = 7;
constexpr int kRelPulse2 = 8;
constexpr int kAbsPulse2 = 9;
constexpr int kCapture = 14;
constexpr int kGsm = 15;
constexpr int kDect = 16;
constexpr int kBluetooth = 17;
constexpr int kWlan = 18;
constexpr int kDisplay = 19;         // alarms shown on the display; the PC beeps with them
constexpr int kHold = 20;
constexpr int kSchedule = 21;
constexpr int kScheduleStart = 22;
constexpr int kScheduleStop = 23;
constexpr int kEventDelay = 24;
constexpr int kSortOrder = 25;
constexpr int kKeyTone = 27;
constexpr int kBrightness = 29;
constexpr int kAutoOff = 30;         // units of 8 seconds
constexpr int kSyncPc = 31;          // set: the next menu write carries the PC's clock
constexpr int kTimeCorrection = 32;  // 128 = none
constexpr int kLanguage = 33;
constexpr int kEveryday = 34;
constexpr int kLogger = 35;
constexpr int kRange1 = 36;
constexpr int kRange2 = 37;
constexpr int kLowPass = 38;         // the detector must always get 0 here
constexpr int kFreqmeter = 39;
constexpr int kAutoOn = 40;
constexpr int kRecorder = 42;
constexpr int kRecorderTime = 43;
constexpr int kVibro = 44;
constexpr int kSensitivity = 45;

constexpr int kAutoOffUnit = 8;      // seconds per auto-off step
constexpr int kTimeCorrectionZero = 128;

} // namespace KV520Menu
