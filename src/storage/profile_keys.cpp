#include "storage/profile_keys.h"

#include <QStringBuilder>

namespace profile {
namespace {

constexpr int kDefaultLedMoveOff = 255;
constexpr int kDefaultLedSleepTime = 1;

// Keys are composed as group + "/" + prefix + suffix, the way existing files spell them. A profile has
// over 8,000 keys and every start reads two profiles, so they are joined from prefixes shared by a stage,
// a button, a key entry or a lighting mode: formatting each key whole took a third of a profile read.
QString stagePrefix(const QString &group, int stage) {
    return group % QLatin1String("/DPI_INFO_") % QString::number(stage);
}

QString buttonPrefix(const QString &group, int button) {
    return group % QLatin1String("/BUTTON_INFO_") % QString::number(button);
}

// The prefix of one key entry of a button: ".../BUTTON_INFO_<button>_KeyInfo_<entry>".
QString keyEntryPrefix(const QString &button, int entry) {
    return button % QLatin1String("_KeyInfo_") % QString::number(entry);
}

QString ledPrefix(const QString &group, int mode) {
    return group % QLatin1String("/LedMode/LED_MODE_") % QString::number(mode);
}

QString withSuffix(const QString &prefix, const char *suffix) {
    return prefix % QLatin1String(suffix);
}

QString plainKey(const QString &group, const char *key) {
    return group % QLatin1Char('/') % QLatin1String(key);
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
        const QString prefix = stagePrefix(group, i);
        settings.setValue(withSuffix(prefix, "_used"), int(stage.used));
        settings.setValue(withSuffix(prefix, "_link"), int(stage.link));
        settings.setValue(withSuffix(prefix, "_xy"), uint(stage.xy));
        settings.setValue(withSuffix(prefix, "_x"), uint(stage.x));
        settings.setValue(withSuffix(prefix, "_y"), uint(stage.y));
        if (full)
            settings.setValue(withSuffix(prefix, "_dpicolor"), stage.color);
    }
    settings.setValue(plainKey(group, "mousespeed"), int(profile.mouseSpeed));
    settings.setValue(plainKey(group, "dbclickspeed"), int(profile.doubleClickSpeed));
    settings.setValue(plainKey(group, "scrollispage"), int(profile.scrollIsPage));
    settings.setValue(plainKey(group, "scrollspeed"), int(profile.scrollSpeed));
    settings.setValue(plainKey(group, "accelenable"), int(profile.accelEnable));
    settings.setValue(plainKey(group, "acee"), int(profile.acee));
    for (int b = 0; b < ProfileData::kButtonCount; ++b) {
        const ButtonAssignment &button = profile.buttons[b];
        const QString prefix = buttonPrefix(group, b);
        settings.setValue(withSuffix(prefix, "_ID"), int(button.id));
        settings.setValue(withSuffix(prefix, "_Fun"), int(button.function));
        settings.setValue(withSuffix(prefix, "_LoopNumber"), int(button.loopNumber));
        settings.setValue(withSuffix(prefix, "_KeyNumber"), int(button.keyNumber));
        settings.setValue(withSuffix(prefix, "_Res1"), int(button.res1));
        settings.setValue(withSuffix(prefix, "_Res2"), int(button.res2));
        settings.setValue(withSuffix(prefix, "_Res3"), int(button.res3));
        settings.setValue(withSuffix(prefix, "_Res4"), int(button.res4));
        settings.setValue(withSuffix(prefix, "_macroname"), button.macroName);
        // Every entry is stored whatever keyNumber says, so a shorter assignment keeps the rest.
        for (int k = 0; k < ButtonAssignment::kMaxKeys; ++k) {
            const KeyAction &key = button.keys[k];
            const QString entry = keyEntryPrefix(prefix, k);
            settings.setValue(withSuffix(entry, "_map"), int(key.type));
            settings.setValue(withSuffix(entry, "_"), int(key.low));
            settings.setValue(withSuffix(entry, "_H"), int(key.high));
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
        const QString prefix = ledPrefix(group, m);
        settings.setValue(withSuffix(prefix, "_RGB"), led.color);
        settings.setValue(withSuffix(prefix, "_h"), uint(led.h));
        settings.setValue(withSuffix(prefix, "_s"), uint(led.s));
        settings.setValue(withSuffix(prefix, "_v"), uint(led.v));
        settings.setValue(withSuffix(prefix, "_bright"), uint(led.bright));
        settings.setValue(withSuffix(prefix, "_breath"), uint(led.breath));
    }
}

void readProfileKeys(const QSettings &settings, const QString &group, ProfileData &profile,
                     ProfileKeySet set) {
    const bool full = set == ProfileKeySet::Full;
    profile.pollRate = readU8(settings, plainKey(group, "pollrate"));
    profile.dpiStage = readU8(settings, plainKey(group, "dpi"));
    for (int i = 0; i < ProfileData::kStageCount; ++i) {
        DpiStage &stage = profile.dpiStages[i];
        const QString prefix = stagePrefix(group, i);
        stage.used = readU8(settings, withSuffix(prefix, "_used"));
        stage.link = readU8(settings, withSuffix(prefix, "_link"));
        stage.xy = readU32(settings, withSuffix(prefix, "_xy"));
        stage.x = readU32(settings, withSuffix(prefix, "_x"));
        stage.y = readU32(settings, withSuffix(prefix, "_y"));
        if (full)
            stage.color = readColor(settings, withSuffix(prefix, "_dpicolor"));
    }
    profile.mouseSpeed = readU8(settings, plainKey(group, "mousespeed"));
    profile.doubleClickSpeed = readU8(settings, plainKey(group, "dbclickspeed"));
    profile.scrollIsPage = readU8(settings, plainKey(group, "scrollispage"));
    profile.scrollSpeed = readU8(settings, plainKey(group, "scrollspeed"));
    profile.accelEnable = readU8(settings, plainKey(group, "accelenable"));
    profile.acee = readU8(settings, plainKey(group, "acee"));
    for (int b = 0; b < ProfileData::kButtonCount; ++b) {
        ButtonAssignment &button = profile.buttons[b];
        const QString prefix = buttonPrefix(group, b);
        button.id = readI32(settings, withSuffix(prefix, "_ID"));
        button.function = readI32(settings, withSuffix(prefix, "_Fun"));
        button.loopNumber = readI32(settings, withSuffix(prefix, "_LoopNumber"));
        button.keyNumber = readI32(settings, withSuffix(prefix, "_KeyNumber"));
        button.res1 = readU8(settings, withSuffix(prefix, "_Res1"));
        button.res2 = readU8(settings, withSuffix(prefix, "_Res2"));
        button.res3 = readU8(settings, withSuffix(prefix, "_Res3"));
        button.res4 = readU8(settings, withSuffix(prefix, "_Res4"));
        button.macroName = settings.value(withSuffix(prefix, "_macroname")).toString();
        for (int k = 0; k < ButtonAssignment::kMaxKeys; ++k) {
            KeyAction &key = button.keys[k];
            const QString entry = keyEntryPrefix(prefix, k);
            key.type = readU8(settings, withSuffix(entry, "_map"));
            key.low = readU8(settings, withSuffix(entry, "_"));
            key.high = readU8(settings, withSuffix(entry, "_H"));
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
        const QString prefix = ledPrefix(group, m);
        led.color = readColor(settings, withSuffix(prefix, "_RGB"));
        led.h = readU32(settings, withSuffix(prefix, "_h"));
        led.s = readU32(settings, withSuffix(prefix, "_s"));
        led.v = readU32(settings, withSuffix(prefix, "_v"));
        led.bright = readU32(settings, withSuffix(prefix, "_bright"));
        led.breath = readU32(settings, withSuffix(prefix, "_breath"));
    }
}

} // namespace profile
