#pragma once

#include <QString>

// Sensor ids as the configuration stores them ("MouseSenSor/1"); they select the DPI conversion and the
// encoding of the DPI stage reports.
namespace sensor {
constexpr int k301 = 301;
constexpr int k3104 = 3104;
constexpr int k31042 = 31042;
constexpr int k3212 = 3212;
constexpr int k3311 = 3311;
constexpr int k33112 = 33112;
constexpr int k3325 = 3325;
constexpr int k33252 = 33252;
constexpr int k3327 = 3327;
constexpr int k3333 = 3333;
constexpr int k3335 = 3335;
constexpr int k33352 = 33352;
constexpr int k3360 = 3360;
constexpr int k3370 = 3370;
constexpr int k3389 = 3389;
constexpr int k3395 = 3395;
constexpr int k33952 = 33952;
constexpr int k3399 = 3399;
} // namespace sensor

// The DPI a slider position (the raw value a DPI stage stores) stands for on the given sensor; 0 for a
// sensor the program does not know.
int positionToDpi(int sensorId, int position);

// What a DPI stage row offers on a sensor: the DPI at both ends of its slider, the slider's range in raw
// values, and whether X and Y can be coupled ("Link XY"). known is false for a sensor the program does
// not know; the rest is then zero.
struct SensorRange {
    int minDpi = 0;
    int maxDpi = 0;
    int minRaw = 0;
    int maxRaw = 0;
    bool linkOffered = false;
    bool known = false;
};

// The range of sensorId. extendedRange is the description's "PROFILE/33254" flag (the 3325 family
// reaches 16000 DPI); product is the current product name, which for the 3327 decides between the
// short and the long range.
SensorRange sensorRange(int sensorId, bool extendedRange, const QString &product);
