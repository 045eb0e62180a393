#pragma once

#include <QString>

// The kind of desktop session the program runs in. It decides what the desktop lets a program do: on X11
// the on-screen-display program can place its window and the X server's pointer control reaches the real
// pointer; on Wayland neither holds (a program under Xwayland only changes Xwayland's own pointer), so
// the program uses desktop notifications and leaves the pointer speed to the desktop's settings.
namespace desktopsession {

enum class Kind { X11, Wayland, Other };

// From the session's variables: XDG_SESSION_TYPE when it says x11 or wayland, else a WAYLAND_DISPLAY
// without a DISPLAY is Wayland and a DISPLAY is X11.
Kind kindOf(const QString &xdgSessionType, const QString &waylandDisplay, const QString &display);
// The kind of this process's session.
Kind current();
// "x11", "wayland" or "other".
QString name(Kind kind);

// On-mouse changes are shown by the OSD program, except on Wayland, where they become desktop
// notifications.
bool osdProgramUsable(Kind kind);
// The X server's pointer speed is not the desktop's in a Wayland session.
bool pointerControlUsable(Kind kind);

} // namespace desktopsession
