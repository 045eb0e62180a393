#include "storage/profile_keys.h"

namespace profile {
namespace {

constexpr int kDefaultLedMoveOff = 255;
constexpr int kDefaultLedSleepTime = 1;

// Keys are composed as group + "/" + prefix + formatted suffix, the way existing files spell them.
QString stageKey(const QString &group, int stage, const char *suffix) {
    return group + "/" + "DPI_INFO" + QString::asprintf(suffix, stage);
}

QString buttonKey(const QString &group, int button, const char *suffix) {
    return group + "/" + "BUTTON_INFO" + QString::asprintf(suffix, button);
}

QString keyEntryKey(const QString &group, int button, int entry, const char *suffix) {
    return group + "/" + "BUTTON_INFO" + QString::asprintf(suffix, button, entry);
}

QString ledKey(const QString &group, int mode, const char *suffix) {
    return group + QString::asprintf("/LedMode/LED_MODE_%d", mode) + suffix;
}

QString plainKey(const QString &group, const char *key) {
    return group + "/" + key;
}

uint8_t readU8(const QSettings &settings, const QString &key, int fallback = 0) {
    return static_cast<uint8_t>(settings.value(key, fallback).toInt());
}

int32_t readI32(const QSettings &settings, const QString &key) {
    return settings.value(key, 0).toInt();
}

uint32_t readU32(const QSettings &settings, const QString &key) {
    return static_cast<uint32_t>(settings.value(key, 0).toInt());
}

QColor readColor(const QSettings &settings, const QString &key) {
    return settings.value(key).value<QColor>();
}

} // namespace

void setReadDefaults(ProfileData &profile) {
    profile = ProfileData();
    profile.ledMoveOff = kDefaultLedMoveOff;
    profile.ledSleepTime = kDefaultLedSleepTime;
}

void writeProfileKeys(QSettings &settings, const QString &group, const ProfileData &profile,
                      ProfileKeySet set) {
    const bool full = set == ProfileKeySet::Full;
    settings.setValue(plainKey(group, "pollrate"), int(profile.pollRate));
    settings.setValue(plainKey(group, "dpi"), int(profile.dpiStage));
    for (int i = 0; i < ProfileData::kStageCount; ++i) {
        const DpiStage &stage = profile.dpiStages[i];
        settings.setValue(stageKey(group, i, "_%d_used"), int(stage.used));
        settings.setValue(stageKey(group, i, "_%d_link"), int(stage.link));
        settings.setValue(stageKey(group, i, "_%d_xy"), uint(stage.xy));
        settings.setValue(stageKey(group, i, "_%d_x"), uint(stage.x));
        settings.setValue(stageKey(group, i, "_%d_y"), uint(stage.y));
        if (full)
            settings.setValue(stageKey(group, i, "_%d_dpicolor"), stage.color);
    }
    settings.setValue(plainKey(group, "mousespeed"), int(profile.mouseSpeed));
    settings.setValue(plainKey(group, "dbclickspeed"), int(profile.doubleClickSpeed));
    settings.setValue(plainKey(group, "scrollispage"), int(profile.scrollIsPage));
    settings.setValue(plainKey(group, "scrollspeed"), int(profile.scrollSpeed));
    settings.setValue(plainKey(group, "accelenable"), int(profile.accelEnable));
    settings.setValue(plainKey(group, "acee"), int(profile.acee));
    for (int b = 0; b < ProfileData::kButtonCount; ++b) {
        const ButtonAssignment &button = profile.buttons[b];
        settings.setValue(buttonKey(group, b, "_%d_ID"), int(button.id));
        settings.setValue(buttonKey(group, b, "_%d_Fun"), int(button.function));
        settings.setValue(buttonKey(group, b, "_%d_LoopNumber"), int(button.loopNumber));
        settings.setValue(buttonKey(group, b, "_%d_KeyNumber"), int(button.keyNumber));
        settings.setValue(buttonKey(group, b, "_%d_Res1"), int(button.res1));
        settings.setValue(buttonKey(group, b, "_%d_Res2"), int(button.res2));
        settings.setValue(buttonKey(group, b, "_%d_Res3"), int(button.res3));
        settings.setValue(buttonKey(group, b, "_%d_Res4"), int(button.res4));
        settings.setValue(buttonKey(group, b, "_%d_macroname"), button.macroName);
        // Every entry is stored whatever keyNumber says, so a shorter assignment keeps the rest.
        for (int k = 0; k < ButtonAssignment::kMaxKeys; ++k) {
            const KeyAction &key = button.keys[k];
            settings.setValue(keyEntryKey(group, b, k, "_%d_KeyInfo_%d_map"), int(key.type));
            settings.setValue(keyEntryKey(group, b, k, "_%d_KeyInfo_%d_"), int(key.low));
            settings.setValue(keyEntryKey(group, b, k, "_%d_KeyInfo_%d_H"), int(key.high));
        }
    }
    settings.setValue(plainKey(group, "ProfileName"), profile.profileName);
    settings.setValue(plainKey(group, "ProfilePath"), profile.profilePath);
    settings.setValue(plainKey(group, "LedMode"), int(profile.ledMode));
    if (full) {
        settings.setValue(plainKey(group, "LedMoveOFF"), int(profile.ledMoveOff));
        settings.setValue(plainKey(group, "LedSleepTime"), int(profile.ledSleepTime));
    }
    for (int m = 0; m < ProfileData::kLedModeCount; ++m) {
        const LedModeSetting &led = profile.ledModes[m];
        settings.setValue(ledKey(group, m, "_RGB"), led.color);
        settings.setValue(ledKey(group, m, "_h"), uint(led.h));
        settings.setValue(ledKey(group, m, "_s"), uint(led.s));
        settings.setValue(ledKey(group, m, "_v"), uint(led.v));
        settings.setValue(ledKey(group, m, "_bright"), uint(led.bright));
        settings.setValue(ledKey(group, m, "_breath"), uint(led.breath));
    }
}

void readProfileKeys(const QSettings &settings, const QString &group, ProfileData &profile,
                     ProfileKeySet set) {
    const bool full = set == ProfileKeySet::Full;
    profile.pollRate = readU8(settings, plainKey(group, "pollrate"));
    profile.dpiStage = readU8(settings, plainKey(group, "dpi"));
    for (int i = 0; i < ProfileData::kStageCount; ++i) {
        DpiStage &stage = profile.dpiStages[i];
        stage.used = readU8(settings, stageKey(group, i, "_%d_used"));
        stage.link = readU8(settings, stageKey(group, i, "_%d_link"));
        stage.xy = readU32(settings, stageKey(group, i, "_%d_xy"));
        stage.x = readU32(settings, stageKey(group, i, "_%d_x"));
        stage.y = readU32(settings, stageKey(group, i, "_%d_y"));
        if (full)
            stage.color = readColor(settings, stageKey(group, i, "_%d_dpicolor"));
    }
    profile.mouseSpeed = readU8(settings, plainKey(group, "mousespeed"));
    profile.doubleClickSpeed = readU8(settings, plainKey(group, "dbclickspeed"));
    profile.scrollIsPage = readU8(settings, plainKey(group, "scrollispage"));
    profile.scrollSpeed = readU8(settings, plainKey(group, "scrollspeed"));
    profile.accelEnable = readU8(settings, plainKey(group, "accelenable"));
    profile.acee = readU8(settings, plainKey(group, "acee"));
    for (int b = 0; b < ProfileData::kButtonCount; ++b) {
        ButtonAssignment &button = profile.buttons[b];
        button.id = readI32(settings, buttonKey(group, b, "_%d_ID"));
        button.function = readI32(settings, buttonKey(group, b, "_%d_Fun"));
        button.loopNumber = readI32(settings, buttonKey(group, b, "_%d_LoopNumber"));
        button.keyNumber = readI32(settings, buttonKey(group, b, "_%d_KeyNumber"));
        button.res1 = readU8(settings, buttonKey(group, b, "_%d_Res1"));
        button.res2 = readU8(settings, buttonKey(group, b, "_%d_Res2"));
        button.res3 = readU8(settings, buttonKey(group, b, "_%d_Res3"));
        button.res4 = readU8(settings, buttonKey(group, b, "_%d_Res4"));
        button.macroName = settings.value(buttonKey(group, b, "_%d_macroname")).toString();
        for (int k = 0; k < ButtonAssignment::kMaxKeys; ++k) {
            KeyAction &key = button.keys[k];
            key.type = readU8(settings, keyEntryKey(group, b, k, "_%d_KeyInfo_%d_map"));
            key.low = readU8(settings, keyEntryKey(group, b, k, "_%d_KeyInfo_%d_"));
            key.high = readU8(settings, keyEntryKey(group, b, k, "_%d_KeyInfo_%d_H"));
        }
    }
    profile.profileName = settings.value(plainKey(group, "ProfileName")).toString();
    profile.profilePath = settings.value(plainKey(group, "ProfilePath")).toString();
    profile.ledMode = readU8(settings, plainKey(group, "LedMode"));
    if (full) {
        profile.ledMoveOff = readU8(settings, plainKey(group, "LedMoveOFF"), kDefaultLedMoveOff);
        profile.ledSleepTime = readU8(settings, plainKey(group, "LedSleepTime"), kDefaultLedSleepTime);
    }
    for (int m = 0; m < ProfileData::kLedModeCount; ++m) {
        LedModeSetting &led = profile.ledModes[m];
        led.color = readColor(settings, ledKey(group, m, "_RGB"));
        led.h = readU32(settings, ledKey(group, m, "_h"));
        led.s = readU32(settings, ledKey(group, m, "_s"));
        led.v = readU32(settings, ledKey(group, m, "_v"));
        led.bright = readU32(settings, ledKey(group, m, "_bright"));
        led.breath = readU32(settings, ledKey(group, m, "_breath"));
    }
}

} // namespace profile
