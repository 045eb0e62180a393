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
    text += "Exec=" + execArgument(program).toUtf8() + ' ' + kMinimizedArgument + '\n';
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
