#pragma once

#include <QHash>
#include <QString>
#include <QVariant>

// The keys of one settings file (INI) read in a single pass, for files in the plain form this program and
// the shipped description write: "[GROUP]" lines, then "key=value" lines whose keys are letters, digits and
// underscores with "\" or "/" between parts, and whose values are printable ASCII without quotes, commas,
// semicolons, equals, percent or at signs, or colours as "@Variant(...)" with backslash escapes. Such a file
// reads to the same values as through QSettings, which takes about 6,000 instructions a key: a profile of
// 8,000 keys read through it was half the program's start-up. Anything else (quoting, lists, non-ASCII text,
// comments, a key twice) is left to QSettings: read() then says no and the caller reads the file through it.
class SettingsSnapshot {
public:
    // False when the file cannot be read or holds anything outside the plain form.
    bool read(const QString &path);
    // As QSettings::value() for a key "GROUP/sub/key": invalid when the file lacks it.
    QVariant value(const QString &key) const { return m_values.value(key); }
    int size() const { return int(m_values.size()); }

private:
    QHash<QString, QVariant> m_values;
};
