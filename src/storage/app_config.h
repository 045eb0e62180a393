#pragma once

#include "storage/profile_data.h"

#include <QString>
#include <array>
#include <cstdint>

// The application's configuration: the current profile and the sensor settings kept in Config.ini.
struct AppConfig {
    static constexpr int kProfileNameCount = 5;

    uint8_t profileId = 0;
    ProfileData profile;
    uint8_t angleValue = 0;
    uint8_t liftHigh = 0;
    uint8_t sync = 0;
    uint8_t count = 0;
    uint8_t jitter = 0;
    uint8_t debounce = 0;
    uint8_t wake = 0;
    uint8_t sensorMode = 0;
    // Only the first name is stored ("Config/Profile1"): the profile loaded and saved.
    std::array<QString, kProfileNameCount> profileNames{};

    bool operator==(const AppConfig &other) const;
    bool operator!=(const AppConfig &other) const { return !(*this == other); }
};
