#include "platform/desktop_session.h"

#include <QtGlobal>

namespace desktopsession {

Kind kindOf(const QString &xdgSessionType, const QString &waylandDisplay, const QString &display) {
    const QString type = xdgSessionType.trimmed().toLower();
    if (type == QLatin1String("wayland"))
        return Kind::Wayland;
    if (type == QLatin1String("x11"))
        return Kind::X11;
    if (!waylandDisplay.isEmpty() && display.isEmpty())
        return Kind::Wayland;
    return display.isEmpty() ? Kind::Other : Kind::X11;
}

Kind current() {
    return kindOf(qEnvironmentVariable("XDG_SESSION_TYPE"), qEnvironmentVariable("WAYLAND_DISPLAY"),
                  qEnvironmentVariable("DISPLAY"));
}

QString name(Kind kind) {
    switch (kind) {
    case Kind::X11:
        return QStringLiteral("x11");
    case Kind::Wayland:
        return QStringLiteral("wayland");
    case Kind::Other:
        break;
    }
    return QStringLiteral("other");
}

bool osdProgramUsable(Kind kind) {
    return kind != Kind::Wayland;
}

bool pointerControlUsable(Kind kind) {
    return kind != Kind::Wayland;
}

bool systemWideCaptureUsable(Kind kind) {
    return kind != Kind::Wayland;
}

} // namespace desktopsession
