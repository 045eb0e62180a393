#include "storage/profile_keys.h"

#include <QStringBuilder>
#include <type_traits>

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

// Reads keys the way the file stores them into the fields the walk names, counting the keys missing and
// the values out of range. Source is QSettings or a SettingsSnapshot of the file.
template <typename Source> class KeyReader {
public:
    explicit KeyReader(const Source &settings) : m_settings(settings) {}

    // A required number; missing reads 0 and counts as missing.
    template <typename Field> void number(const QString &key, Field &field, int low, int high) {
        const QVariant value = m_settings.value(key);
        if (!value.isValid()) {
            ++m_report.missing;
            field = 0;
            return;
        }
        field = static_cast<Field>(bounded(value, low, high));
    }
    // A number older files may lack: missing reads fallback without counting.
    template <typename Field>
    void optionalNumber(const QString &key, Field &field, int low, int high, int fallback) {
        const QVariant value = m_settings.value(key);
        field = static_cast<Field>(value.isValid() ? bounded(value, low, high) : fallback);
    }
    void rate(const QString &key, uint8_t &field) {
        int code = kFallbackRate;
        number(key, code, 0, kByteMax);
        field = kFallbackRate;
        for (const int known : kRateCodes) {
            if (code == known)
                field = static_cast<uint8_t>(code);
        }
        m_report.clamped += field == code ? 0 : 1;
    }
    void color(const QString &key, QColor &field) const {
        field = m_settings.value(key).template value<QColor>();
    }
    void text(const QString &key, QString &field) const { field = m_settings.value(key).toString(); }
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

    const Source &m_settings;
    KeyReadReport m_report;
};

// Writes the fields the walk names. Fields of 32 unsigned bits are stored as unsigned numbers, the others
// as ints, as existing files spell them.
class KeyWriter {
public:
    explicit KeyWriter(QSettings &settings) : m_settings(settings) {}

    template <typename Field> void number(const QString &key, const Field &field, int, int) {
        if constexpr (std::is_same_v<Field, uint32_t>)
            m_settings.setValue(key, uint(field));
        else
            m_settings.setValue(key, int(field));
    }
    template <typename Field>
    void optionalNumber(const QString &key, const Field &field, int low, int high, int) {
        number(key, field, low, high);
    }
    void rate(const QString &key, const uint8_t &field) { m_settings.setValue(key, int(field)); }
    void color(const QString &key, const QColor &field) { m_settings.setValue(key, field); }
    void text(const QString &key, const QString &field) { m_settings.setValue(key, field); }

private:
    QSettings &m_settings;
};

// Every key of a profile once, in the order files hold them; the writer and the reader both walk it.
// Profile is ProfileData for reading and const ProfileData for writing. Each number carries the range a
// read brings it back into.
template <typename Access, typename Profile>
void walkProfile(Access &access, const QString &group, Profile &profile, ProfileKeySet set) {
    const bool full = set == ProfileKeySet::Full;
    access.rate(plainKey(group, "pollrate"), profile.pollRate);
    access.number(plainKey(group, "dpi"), profile.dpiStage, 0, kMaxStageIndex);
    for (int i = 0; i < ProfileData::kStageCount; ++i) {
        auto &stage = profile.dpiStages[static_cast<std::size_t>(i)];
        const QString prefix = stagePrefix(group, i);
        access.number(withSuffix(prefix, "_used"), stage.used, 0, 1);
        access.number(withSuffix(prefix, "_link"), stage.link, 0, 1);
        access.number(withSuffix(prefix, "_xy"), stage.xy, 0, kMaxStageValue);
        access.number(withSuffix(prefix, "_x"), stage.x, 0, kMaxStageValue);
        access.number(withSuffix(prefix, "_y"), stage.y, 0, kMaxStageValue);
        if (full)
            access.color(withSuffix(prefix, "_dpicolor"), stage.color);
    }
    access.number(plainKey(group, "mousespeed"), profile.mouseSpeed, kMinPointerSpeed, kMaxPointerSpeed);
    access.number(plainKey(group, "dbclickspeed"), profile.doubleClickSpeed, 0, kByteMax);
    access.number(plainKey(group, "scrollispage"), profile.scrollIsPage, 0, kByteMax);
    access.number(plainKey(group, "scrollspeed"), profile.scrollSpeed, kMinScrollSpeed, kMaxScrollSpeed);
    access.number(plainKey(group, "accelenable"), profile.accelEnable, 0, kByteMax);
    access.number(plainKey(group, "acee"), profile.acee, 0, kByteMax);
    for (int b = 0; b < ProfileData::kButtonCount; ++b) {
        auto &button = profile.buttons[static_cast<std::size_t>(b)];
        const QString prefix = buttonPrefix(group, b);
        access.number(withSuffix(prefix, "_ID"), button.id, 0, kWordMax);
        access.number(withSuffix(prefix, "_Fun"), button.function, 0, kWordMax);
        access.number(withSuffix(prefix, "_LoopNumber"), button.loopNumber, 0, kWordMax);
        access.number(withSuffix(prefix, "_KeyNumber"), button.keyNumber, 0, kWordMax);
        access.number(withSuffix(prefix, "_Res1"), button.res1, 0, kByteMax);
        access.number(withSuffix(prefix, "_Res2"), button.res2, 0, kByteMax);
        access.number(withSuffix(prefix, "_Res3"), button.res3, 0, kByteMax);
        access.number(withSuffix(prefix, "_Res4"), button.res4, 0, kByteMax);
        access.text(withSuffix(prefix, "_macroname"), button.macroName);
        // Every entry is stored whatever keyNumber says, so a shorter assignment keeps the rest.
        for (int k = 0; k < ButtonAssignment::kMaxKeys; ++k) {
            auto &key = button.keys[static_cast<std::size_t>(k)];
            const QString entry = keyEntryPrefix(prefix, k);
            access.number(withSuffix(entry, "_map"), key.type, 0, kByteMax);
            access.number(withSuffix(entry, "_"), key.low, 0, kByteMax);
            access.number(withSuffix(entry, "_H"), key.high, 0, kByteMax);
        }
    }
    access.text(plainKey(group, "ProfileName"), profile.profileName);
    access.text(plainKey(group, "ProfilePath"), profile.profilePath);
    access.number(plainKey(group, "LedMode"), profile.ledMode, 0, kMaxLedMode);
    if (full) {
        access.optionalNumber(plainKey(group, "LedMoveOFF"), profile.ledMoveOff, 0, kByteMax,
                              kDefaultLedMoveOff);
        access.optionalNumber(plainKey(group, "LedSleepTime"), profile.ledSleepTime, 0, kByteMax,
                              kDefaultLedSleepTime);
    }
    for (int m = 0; m < ProfileData::kLedModeCount; ++m) {
        auto &led = profile.ledModes[static_cast<std::size_t>(m)];
        const QString prefix = ledPrefix(group, m);
        access.color(withSuffix(prefix, "_RGB"), led.color);
        access.number(withSuffix(prefix, "_h"), led.h, 0, kMaxHue);
        access.number(withSuffix(prefix, "_s"), led.s, 0, kByteMax);
        access.number(withSuffix(prefix, "_v"), led.v, 0, kByteMax);
        access.number(withSuffix(prefix, "_bright"), led.bright, 0, kMaxBright);
        access.number(withSuffix(prefix, "_breath"), led.breath, 0, kMaxBreath);
    }
}

} // namespace

void setReadDefaults(ProfileData &profile) {
    profile = ProfileData();
    profile.ledMoveOff = kDefaultLedMoveOff;
    profile.ledSleepTime = kDefaultLedSleepTime;
}

void writeProfileKeys(QSettings &settings, const QString &group, const ProfileData &profile,
                      ProfileKeySet set) {
    KeyWriter writer(settings);
    walkProfile(writer, group, profile, set);
}

KeyReadReport readProfileKeys(const QSettings &settings, const QString &group, ProfileData &profile,
                              ProfileKeySet set) {
    KeyReader<QSettings> reader(settings);
    walkProfile(reader, group, profile, set);
    return reader.report();
}

KeyReadReport readProfileKeys(const SettingsSnapshot &settings, const QString &group, ProfileData &profile,
                              ProfileKeySet set) {
    KeyReader<SettingsSnapshot> reader(settings);
    walkProfile(reader, group, profile, set);
    return reader.report();
}

KeyReadReport readFileProfileKeys(const QString &path, const QString &group, ProfileData &profile,
                                  ProfileKeySet set, bool &readable) {
    readable = true;
    SettingsSnapshot snapshot;
    if (snapshot.read(path))
        return readProfileKeys(snapshot, group, profile, set);
    const QSettings settings(path, QSettings::IniFormat);
    const KeyReadReport report = readProfileKeys(settings, group, profile, set);
    readable = settings.status() == QSettings::NoError;
    return report;
}

} // namespace profile
