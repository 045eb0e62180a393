#include "storage/description_file.h"

#include "storage/app_paths.h"
#include "storage/profile_keys.h"

#include <QFileInfo>
#include <QSettings>

namespace description {
namespace {

int readInt(const QString &key, int fallback) {
    QSettings file(AppPaths::descriptionFile(), QSettings::IniFormat);
    return file.value(key, fallback).toInt();
}

QString readString(const QString &key, const QString &fallback) {
    QSettings file(AppPaths::descriptionFile(), QSettings::IniFormat);
    return file.value(key, fallback).toString();
}

bool descriptionExists() {
    return QFileInfo::exists(AppPaths::descriptionFile());
}

uint8_t lowByte(int value) {
    return static_cast<uint8_t>(value & 0xFF);
}

int decodedButtonCount(const QSettings &file) {
    return file.value("PROFILE/ButtonCount", 0).toInt() ^ file.value("PROFILE/MouseDpi", 0).toInt();
}

QString buttonKey(int button, const char *suffix) {
    return QString("PROFILE/BUTTON_INFO_%1_%2").arg(button).arg(suffix);
}

} // namespace

int loadDescription(ProfileData &out) {
    if (!descriptionExists())
        return -1;
    out = ProfileData();
    // The description holds only part of a profile, so the missing keys it reports are expected.
    bool readable = true;
    (void)profile::readFileProfileKeys(AppPaths::descriptionFile(), QStringLiteral("PROFILE"), out,
                                       profile::ProfileKeySet::Full, readable);
    return 0;
}

int buttonCount() {
    QSettings file(AppPaths::descriptionFile(), QSettings::IniFormat);
    return decodedButtonCount(file);
}

int dpiStageCount() {
    QSettings file(AppPaths::descriptionFile(), QSettings::IniFormat);
    return decodedButtonCount(file) ^ file.value("PROFILE/DPICount", 0).toInt();
}

int readButtonMatrix(std::array<uint8_t, 16> &out) {
    if (!descriptionExists())
        return -1;
    QSettings file(AppPaths::descriptionFile(), QSettings::IniFormat);
    for (int i = 0; i < 16; ++i)
        out[i] = lowByte(file.value(buttonKey(i, "Matrix"), 0).toInt());
    return 0;
}

int readButtonMatrix2(std::array<uint8_t, 16> &out) {
    if (!descriptionExists())
        return 0;
    QSettings file(AppPaths::descriptionFile(), QSettings::IniFormat);
    for (int i = 0; i < 16; ++i)
        out[i] = lowByte(file.value(buttonKey(i, "Matrix2"), 0).toInt());
    return decodedButtonCount(file);
}

int readSensorDefaults(std::array<uint8_t, kSensorDefaultCount> &out) {
    if (!descriptionExists())
        return -1;
    QSettings file(AppPaths::descriptionFile(), QSettings::IniFormat);
    out[kLift] = lowByte(file.value("PROFILE/lift", 0).toInt());
    out[kAngle] = lowByte(file.value("PROFILE/angle", 0).toInt());
    out[kButtonDelay] = lowByte(file.value("PROFILE/butondelay", 32).toInt());
    out[kJitter] = lowByte(file.value("PROFILE/jitter", 0).toInt());
    out[kWake] = lowByte(file.value("PROFILE/wake", 0).toInt());
    out[kSensorMode] = lowByte(file.value("PROFILE/sensormode", 1).toInt());
    out[kSync] = lowByte(file.value("PROFILE/sync", 0).toInt());
    return 0;
}

QString productName() {
    return readString("PROFILE/ProductName", QString());
}
QString version() {
    return readString("PROFILE/Version", QString());
}
QString newMacroName() {
    return readString("PROFILE/NewMacro", QStringLiteral("Macro"));
}

int disableMacro() {
    return readInt("PROFILE/DisableMacro", 0);
}
int showSleep() {
    return readInt("PROFILE/ShowSleep", 1);
}
int scrollReverse() {
    return readInt("PROFILE/ScrollRev", 0);
}
int minDelay() {
    return readInt("PROFILE/MinDelay", 10);
}
int extendedDpiRange() {
    return readInt("PROFILE/33254", 0);
}
int colorMode() {
    return readInt("PROFILE/ColorMode", 1);
}
int ledDisable() {
    return readInt("PROFILE/ledDisable", 0);
}
int syncMode() {
    return readInt("PROFILE/SyncMode", 0);
}
int showDpiLed() {
    return readInt("PROFILE/ShowDPILed", 0);
}
int frenchLanguage() {
    return readInt("PROFILE/french", -1);
}
int germanLanguage() {
    return readInt("PROFILE/german", -1);
}

void sleepRange(int &min, int &max) {
    QSettings file(AppPaths::descriptionFile(), QSettings::IniFormat);
    min = file.value("PROFILE/SleepMin", 1).toInt();
    max = file.value("PROFILE/SleepMax", 9).toInt();
}

void deviceIds(int &vid1, int &pid1, int &vid2, int &pid2) {
    QSettings file(AppPaths::descriptionFile(), QSettings::IniFormat);
    vid1 = file.value("PROFILE/vid1", 0x248A).toInt();
    pid1 = file.value("PROFILE/pid1", 0x8373).toInt();
    vid2 = file.value("PROFILE/vid2", 0x248A).toInt();
    pid2 = file.value("PROFILE/pid2", 0xFB01).toInt();
}

} // namespace description
