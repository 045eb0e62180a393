#include "device/sensor_dpi.h"

#include <QStringList>

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

// Products whose 3327 stops at 12400 DPI.
bool shortRange3327(const QString &product) {
    static const QStringList products = {"K502-RGB", "BRASKEL", "Y8V5",     "MORVAIN3", "TESKOL",
                                         "K417-RGB", "ORLUNE2", "VANTREL2", "CADMIRE"};
    return products.contains(product);
}

SensorRange range(int minDpi, int maxDpi, int minRaw, int maxRaw, bool linkOffered) {
    return {minDpi, maxDpi, minRaw, maxRaw, linkOffered, true};
}

} // namespace

SensorRange sensorRange(int sensorId, bool extendedRange, const QString &product) {
    switch (sensorId) {
    case sensor::k3325:
        return extendedRange ? range(100, 16000, 1, 90, false) : range(100, 5000, 1, 50, false);
    case sensor::k33252:
        return extendedRange ? range(100, 16000, 1, 90, false) : range(100, 10000, 1, 75, false);
    case sensor::k301:
        return range(100, 12500, 1, 125, false);
    case sensor::k3311:
        return range(100, 12000, 1, 120, false);
    case sensor::k33112:
        return range(100, 24000, 1, 180, false);
    case sensor::k3360:
        return range(100, 24000, 1, 180, true);
    case sensor::k3370:
        return range(50, 19000, 1, 290, false);
    case sensor::k3327:
        return shortRange3327(product) ? range(200, 12400, 1, 92, false) : range(200, 16400, 1, 106, false);
    case sensor::k3389:
        return range(100, 32000, 2, 480, true);
    case sensor::k3212:
        return range(600, 7200, 16, 111, false);
    case sensor::k3104:
        return range(500, 4200, 14, 105, true);
    case sensor::k31042:
        return range(500, 8400, 14, 158, true);
    case sensor::k3335:
        return range(100, 16000, 1, 160, false);
    case sensor::k33352:
        return range(100, 32000, 1, 240, false);
    case sensor::k3333:
        return range(200, 16000, 2, 120, false);
    case sensor::k33952:
        return range(50, 52000, 0, 779, false);
    case sensor::k3395:
        return range(50, 26000, 0, 519, false);
    case sensor::k3399:
        return range(50, 40000, 0, 599, true);
    default:
        return {};
    }
}

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
