#pragma once

#include "storage/profile_data.h"

#include <QString>
#include <array>
#include <cstdint>

// Accessors of the device description, DefaultProfile.bin in the application directory. The file is
// read-only for the program. Every call opens the file, reads its keys and closes it again, so an edit
// of the file is seen by the next call. Missing keys give fixed defaults; the button matrices and
// the sensor defaults keep the low byte of their numbers.
namespace description {

// Sensor settings in the order readSensorDefaults() fills them.
enum SensorDefault { kLift, kAngle, kButtonDelay, kJitter, kWake, kSensorMode, kSync, kSensorDefaultCount };

// The factory values of a profile: the PROFILE group read through the keys and ranges of a profile file.
// Keys the description does not hold read 0 (LedMoveOFF 255, as in a profile file). 0 when the file
// exists; -1 when it does not, leaving the record untouched.
int loadDescription(ProfileData &out);

// The counts are stored encoded: buttons = ButtonCount ^ MouseDpi, stages = that ^ DPICount.
int buttonCount();
int dpiStageCount();

// Device slot of each button: 0 when the file exists, -1 (out untouched) when not.
int readButtonMatrix(std::array<uint8_t, 16> &out);
// Second button mapping; returns the decoded button count (0 when the file is missing).
int readButtonMatrix2(std::array<uint8_t, 16> &out);
// lift, angle, butondelay, jitter, wake, sensormode, sync: 0, or -1 (out untouched) when missing.
int readSensorDefaults(std::array<uint8_t, kSensorDefaultCount> &out);

QString productName();
QString version();
QString newMacroName();

int disableMacro();
int showSleep();
int scrollReverse();
int minDelay();
int extendedDpiRange();
int colorMode();
int ledDisable();
int syncMode();
int showDpiLed();
int frenchLanguage();
int germanLanguage();

void sleepRange(int &min, int &max);
void deviceIds(int &vid1, int &pid1, int &vid2, int &pid2);

} // namespace description
