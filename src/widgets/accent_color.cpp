#include "widgets/accent_color.h"

#include "storage/config_file.h"

QColor AccentColor::of(int index) {
    static const QColor kColors[kCount] = {QColor(255, 0, 0),     QColor(0, 255, 0),   QColor(0, 0, 255),
                                           QColor(219, 200, 182), QColor(255, 0, 255), QColor(0, 255, 255),
                                           QColor(255, 125, 0)};
    if (index < 0 || index >= kCount)
        index = 0;
    return kColors[index];
}

QColor AccentColor::current() {
    return of(config::accentColorIndex());
}
