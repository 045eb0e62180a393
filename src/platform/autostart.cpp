#include "platform/autostart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace autostart {

namespace {
// A desktop entry's Exec field: a program path with spaces or reserved characters is quoted, and in
// quotes the backslash, quote, backtick and dollar are escaped; a percent sign is doubled either way.
QString execArgument(const QString &program) {
    QString text = program;
    text.replace('%', "%%");
    static const QString kReserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool quote = false;
    for (const QChar c : text)
        quote = quote || kReserved.contains(c);
    if (!quote)
        return text;
    QString quoted;
    for (const QChar c : text) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    return '"' + quoted + '"';
}

// The value rules every string of a desktop entry follows, applied after the quoting: a backslash is
// doubled and a line break or tab becomes its escape, so no path can end the line and add keys.
QString escapedValue(const QString &value) {
    QString escaped;
    for (const QChar c : value) {
        if (c == '\\')
            escaped += QStringLiteral("\\\\");
        else if (c == '\n')
            escaped += QStringLiteral("\\n");
        else if (c == '\r')
            escaped += QStringLiteral("\\r");
        else if (c == '\t')
            escaped += QStringLiteral("\\t");
        else
            escaped += c;
    }
    return escaped;
}
} // namespace

QString entryPath() {
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + "/.config";
    return base + "/autostart/" + kFileName;
}

QByteArray entryText(const QString &program) {
    QByteArray text = "[Desktop Entry]\n"
                      "Type=Application\n"
                      "Name=Korvane Config\n"
                      "Comment=Starts the mouse configuration hidden in the tray\n";
    text += "Exec=" + escapedValue(execArgument(program)).toUtf8() + ' ' + kMinimizedArgument + '\n';
    text += "Icon=korvane-config\n"
            "Terminal=false\n"
            "X-GNOME-Autostart-enabled=true\n";
    return text;
}

bool enabled() {
    return QFileInfo::exists(entryPath());
}

bool setEnabled(bool on, const QString &program) {
    const QString path = entryPath();
    if (!on)
        return !QFileInfo::exists(path) || QFile::remove(path);
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(entryText(program));
    return file.commit();
}

} // namespace autostart
