#pragma once

#include <QString>

// The kind of desktop session the program runs in. It decides what the desktop lets a program do: on X11
// the on-screen-display program can place its window, the X server's pointer control reaches the real
// pointer and its recording sees every key; on Wayland none holds (a program under Xwayland only changes
// Xwayland's own pointer and sees only the keys of X windows), so the program uses desktop notifications,
// leaves the pointer speed to the desktop's settings and captures keys in its own windows only.
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
// Keys and clicks are captured system-wide through the X server's recording, except in a Wayland session:
// there the program's X server (Xwayland) sees only what is typed into X windows, and the capture is the
// one of the program's own windows.
bool systemWideCaptureUsable(Kind kind);

} // namespace desktopsession
