#include "performance/performance_style.h"

#include "storage/app_paths.h"
#include "widgets/accent_color.h"
#include "widgets/display_scale.h"

#include <QColor>
#include <QFileInfo>

namespace performancestyle {
namespace {
bool skinHas(const QString &name) {
    return QFileInfo::exists(AppPaths::skinDir() + "/" + name);
}

QString rgb(const QColor &c) {
    return QString("%1,%2,%3").arg(c.red()).arg(c.green()).arg(c.blue());
}
} // namespace

QString slider(double factor) {
    const int groove = qMax(2, DisplayScale::scaled(4, factor));
    const int handle = qMax(6, DisplayScale::scaled(10, factor));
    const int margin = (handle - groove) / 2;
    const QColor accent = AccentColor::current();
    // The groove runs from a darker shade of the accent on the left to the accent itself at the handle.
    return QString("QSlider{background:rgba(0,0,0,0);}"
                   "QSlider::groove:horizontal{height:%1px;background:qlineargradient(x1:0, y1:0, x2:1, "
                   "y2:0, stop:0 rgb(%2), stop:1 rgb(%3));border-radius:%4px;}"
                   "QSlider::add-page:horizontal{height:%1px;background:rgb(150,150,150);border-radius:%4px;}"
                   "QSlider::handle:horizontal{width:%5px;background:rgba(%3,255);margin:-%6px 0px -%6px "
                   "0px;border-radius:%7px;}")
        .arg(groove)
        .arg(rgb(accent.darker(250)), rgb(accent))
        .arg(groove / 2)
        .arg(handle)
        .arg(margin)
        .arg(handle / 2);
}

QString stageRadio(double factor) {
    const int size = DisplayScale::scaled(18, factor);
    if (skinHas("DPI-OFF.png") && skinHas("DPI-ON.png")) {
        return QString(
                   "QRadioButton{background:rgba(0,0,0,0);}QRadioButton::indicator{width:%1px;height:%1px;}"
                   "QRadioButton::indicator:unchecked{border-image:url(%2/DPI-OFF.png);}"
                   "QRadioButton::indicator:checked,QRadioButton::indicator:hover{"
                   "border-image:url(%2/DPI-ON.png);}")
            .arg(size)
            .arg(AppPaths::skinDir());
    }
    return QString("QRadioButton{background:rgba(0,0,0,0);}"
                   "QRadioButton::indicator{width:%1px;height:%1px;border-radius:%2px;"
                   "border:1px solid rgb(150,150,158);background:rgb(30,30,30);}"
                   "QRadioButton::indicator:hover{border-color:%3;}"
                   "QRadioButton::indicator:checked{background:%3;}")
        .arg(size - 4)
        .arg((size - 4) / 2)
        .arg(AccentColor::current().name());
}

} // namespace performancestyle
