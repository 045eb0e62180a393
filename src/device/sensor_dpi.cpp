#include "device/sensor_dpi.h"

namespace {

// The 3212's steps of 3.8 DPI are shown as the round values the sensor really gives.
int roundedFor3212(int dpi) {
    switch (dpi) {
    case 790:
        return 800;
    case 1210:
        return 1200;
    case 1630:
        return 1600;
    case 2390:
        return 2400;
    case 7290:
        return 7200;
    default:
        return dpi;
    }
}

} // namespace

int positionToDpi(int sensorId, int v) {
    switch (sensorId) {
    case sensor::k3325:
    case sensor::k33252:
        if (v <= 50)
            return v * 100;
        if (v <= 75)
            return (v - 50) * 200 + 5000;
        return (v - 75) * 400 + 10000;
    case sensor::k3327:
        if (v < 62)
            return (v + 1) * 100;
        if (v <= 92)
            return (v - 61) * 200 + 6200;
        if (v == 106)
            return 16400;
        return (v - 92) * 300 + 12300;
    case sensor::k3311:
    case sensor::k3360:
    case sensor::k33112:
        return v <= 120 ? v * 100 : (v - 120) * 200 + 12000;
    case sensor::k3389:
        return v <= 320 ? v * 50 : (v - 320) * 100 + 16000;
    case sensor::k3212:
        if (v <= 63)
            return roundedFor3212(v * 38 / 10 * 10);
        if (v <= 94)
            return (v - 32) * 76 / 10 * 10;
        return roundedFor3212((v - 63) * 152 / 10 * 10);
    case sensor::k3104:
    case sensor::k31042:
        if (v <= 106)
            return v * 40 == 560 ? 500 : v * 40;
        return (5 * v - 265) * 16;
    case sensor::k3335:
    case sensor::k33352:
        return v <= 160 ? v * 100 : (v - 160) * 200 + 16000;
    case sensor::k3370:
        return v <= 200 ? v * 50 : (v - 200) * 100 + 10000;
    case sensor::k3333:
        return v <= 80 ? v * 100 : (v - 80) * 200 + 8000;
    case sensor::k3399:
        return v <= 399 ? (v + 1) * 50 : (v - 399) * 100 + 20000;
    case sensor::k3395:
    case sensor::k33952:
        return v <= 519 ? (v + 1) * 50 : (v - 519) * 100 + 26000;
    case sensor::k301:
        return v * 100;
    default:
        return 0;
    }
}
