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

// The ranges a stored value is brought back into. A byte field never wraps: 300 is 255, -1 is 0.
constexpr int kByteMax = 255;
constexpr int kWordMax = 0xFFFF;
constexpr int kMaxStageIndex = ProfileData::kStageCount - 1;
constexpr int kMaxLedMode = ProfileData::kLedModeCount - 1;
// Above every sensor's slider range; the write brings a stage into its own sensor's range.
constexpr int kMaxStageValue = 1023;
constexpr int kMinPointerSpeed = 1;
constexpr int kMaxPointerSpeed = 20;
constexpr int kMinScrollSpeed = 1;
constexpr int kMaxScrollSpeed = 20;
constexpr int kMaxBright = 3;
constexpr int kMaxBreath = 5;
constexpr int kMaxHue = 360;
// The report rate codes of 125, 250, 500 and 1000 reports a second; anything else reads as 1000.
constexpr int kRateCodes[] = {8, 4, 2, 1};
constexpr int kFallbackRate = 1;

// Reads keys the way the file stores them, counting the ones missing and the values out of range.
class KeyReader {
public:
    explicit KeyReader(const QSettings &settings) : m_settings(settings) {}

    // A required number; missing reads fallback and counts as missing.
    int number(const QString &key, int low, int high, int fallback = 0) {
        const QVariant value = m_settings.value(key);
        if (!value.isValid()) {
            ++m_report.missing;
            return fallback;
        }
        return bounded(value, low, high);
    }
    // A number older files may lack: missing reads fallback without counting.
    int optionalNumber(const QString &key, int low, int high, int fallback) {
        const QVariant value = m_settings.value(key);
        return value.isValid() ? bounded(value, low, high) : fallback;
    }
    uint8_t byte(const QString &key, int low = 0, int high = kByteMax) {
        return static_cast<uint8_t>(number(key, low, high, 0));
    }
    int rate(const QString &key) {
        const int code = number(key, 0, kByteMax, kFallbackRate);
        for (const int known : kRateCodes) {
            if (code == known)
                return code;
        }
        ++m_report.clamped;
        return kFallbackRate;
    }
    QColor color(const QString &key) const { return m_settings.value(key).value<QColor>(); }
    QString text(const QString &key) const { return m_settings.value(key).toString(); }
    KeyReadReport report() const { return m_report; }

private:
    int bounded(const QVariant &value, int low, int high) {
        bool ok = false;
        // Read wide, so that a value beyond an int is still seen as too large rather than wrapped.
        const qlonglong read = value.toLongLong(&ok);
        if (!ok) {
            ++m_report.missing;
            return low;
        }
        if (read < low || read > high) {
            ++m_report.clamped;
            return read < low ? low : high;
        }
        return static_cast<int>(read);
    }

    const QSettings &m_settings;
    KeyReadReport m_report;
};

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

KeyReadReport readProfileKeys(const QSettings &settings, const QString &group, ProfileData &profile,
                              ProfileKeySet set) {
    const bool full = set == ProfileKeySet::Full;
    KeyReader read(settings);
    profile.pollRate = static_cast<uint8_t>(read.rate(plainKey(group, "pollrate")));
    profile.dpiStage = read.byte(plainKey(group, "dpi"), 0, kMaxStageIndex);
    for (int i = 0; i < ProfileData::kStageCount; ++i) {
        DpiStage &stage = profile.dpiStages[i];
        const QString prefix = stagePrefix(group, i);
        stage.used = read.byte(withSuffix(prefix, "_used"), 0, 1);
        stage.link = read.byte(withSuffix(prefix, "_link"), 0, 1);
        stage.xy = uint32_t(read.number(withSuffix(prefix, "_xy"), 0, kMaxStageValue));
        stage.x = uint32_t(read.number(withSuffix(prefix, "_x"), 0, kMaxStageValue));
        stage.y = uint32_t(read.number(withSuffix(prefix, "_y"), 0, kMaxStageValue));
        if (full)
            stage.color = read.color(withSuffix(prefix, "_dpicolor"));
    }
    profile.mouseSpeed = read.byte(plainKey(group, "mousespeed"), kMinPointerSpeed, kMaxPointerSpeed);
    profile.doubleClickSpeed = read.byte(plainKey(group, "dbclickspeed"));
    profile.scrollIsPage = read.byte(plainKey(group, "scrollispage"));
    profile.scrollSpeed = read.byte(plainKey(group, "scrollspeed"), kMinScrollSpeed, kMaxScrollSpeed);
    profile.accelEnable = read.byte(plainKey(group, "accelenable"));
    profile.acee = read.byte(plainKey(group, "acee"));
    for (int b = 0; b < ProfileData::kButtonCount; ++b) {
        ButtonAssignment &button = profile.buttons[b];
        const QString prefix = buttonPrefix(group, b);
        button.id = read.number(withSuffix(prefix, "_ID"), 0, kWordMax);
        button.function = read.number(withSuffix(prefix, "_Fun"), 0, kWordMax);
        button.loopNumber = read.number(withSuffix(prefix, "_LoopNumber"), 0, kWordMax);
        button.keyNumber = read.number(withSuffix(prefix, "_KeyNumber"), 0, kWordMax);
        button.res1 = read.byte(withSuffix(prefix, "_Res1"));
        button.res2 = read.byte(withSuffix(prefix, "_Res2"));
        button.res3 = read.byte(withSuffix(prefix, "_Res3"));
        button.res4 = read.byte(withSuffix(prefix, "_Res4"));
        button.macroName = read.text(withSuffix(prefix, "_macroname"));
        for (int k = 0; k < ButtonAssignment::kMaxKeys; ++k) {
            KeyAction &key = button.keys[k];
            const QString entry = keyEntryPrefix(prefix, k);
            key.type = read.byte(withSuffix(entry, "_map"));
            key.low = read.byte(withSuffix(entry, "_"));
            key.high = read.byte(withSuffix(entry, "_H"));
        }
    }
    profile.profileName = read.text(plainKey(group, "ProfileName"));
    profile.profilePath = read.text(plainKey(group, "ProfilePath"));
    profile.ledMode = read.byte(plainKey(group, "LedMode"), 0, kMaxLedMode);
    if (full) {
        profile.ledMoveOff = static_cast<uint8_t>(
            read.optionalNumber(plainKey(group, "LedMoveOFF"), 0, kByteMax, kDefaultLedMoveOff));
        profile.ledSleepTime = static_cast<uint8_t>(
            read.optionalNumber(plainKey(group, "LedSleepTime"), 0, kByteMax, kDefaultLedSleepTime));
    }
    for (int m = 0; m < ProfileData::kLedModeCount; ++m) {
        LedModeSetting &led = profile.ledModes[m];
        const QString prefix = ledPrefix(group, m);
        led.color = read.color(withSuffix(prefix, "_RGB"));
        led.h = uint32_t(read.number(withSuffix(prefix, "_h"), 0, kMaxHue));
        led.s = uint32_t(read.number(withSuffix(prefix, "_s"), 0, kByteMax));
        led.v = uint32_t(read.number(withSuffix(prefix, "_v"), 0, kByteMax));
        led.bright = uint32_t(read.number(withSuffix(prefix, "_bright"), 0, kMaxBright));
        led.breath = uint32_t(read.number(withSuffix(prefix, "_breath"), 0, kMaxBreath));
    }
    return read.report();
}

} // namespace profile
