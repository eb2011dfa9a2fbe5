#pragma once

#include <QList>
#include <QString>

class QRadioButton;
class QSettings;

// Where the detector keeps each setting in its 108-byte menu block, and the
// small rules the editors share.
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
constexpr int kDisplay = 19;
constexpr int kHold = 20;
constexpr int kSchedule = 21;
constexpr int kScheduleStart = 22;
constexpr int kScheduleStop = 23;
constexpr int kEventDelay = 24;
constexpr int kSortOrder = 25;
constexpr int kKeyTone = 27;
constexpr int kBrightness = 29;
constexpr int kAutoOff = 30;         // units of 8 seconds
constexpr int kSyncPc = 31;
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

// The button at index nCode is checked; any other code leaves the whole group
// unchecked (the buttons' exclusivity would otherwise keep an old choice).
void CheckRadio(const QList<QRadioButton*>& buttons, int nCode);
// Index of the checked button, or -1 when none is checked.
int CheckedRadio(const QList<QRadioButton*>& buttons);

// The program's settings store.
QString SettingsOrganization();
QString SettingsApplication();

// nSeconds (0-5999) as "mm:ss".
QString MinutesSeconds(int nSeconds);

} // namespace KV520Menu
