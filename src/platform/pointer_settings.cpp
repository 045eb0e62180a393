#include "platform/pointer_settings.h"

#include "platform/desktop_session.h"
#include "platform/headless_pointer_settings.h"
#include "platform/linux/x11_pointer_settings.h"

#include <QGuiApplication>

std::unique_ptr<PointerSettings> PointerSettings::create() {
    // Under Xwayland the X server's acceleration moves only Xwayland's own pointer, not the desktop's.
    if (!desktopsession::pointerControlUsable(desktopsession::current()))
        return std::make_unique<HeadlessPointerSettings>(true);
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        auto x11 = std::make_unique<X11PointerSettings>();
        if (x11->isOpen())
            return x11;
    }
    return std::make_unique<HeadlessPointerSettings>();
}
