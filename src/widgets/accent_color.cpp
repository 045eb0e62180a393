#include "widgets/accent_color.h"

#include "storage/app_paths.h"
#include "storage/config_file.h"
#include "widgets/display_scale.h"

#include <QFileInfo>

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

QString AccentColor::sliderStyle(double factor) {
    const int groove = qMax(2, static_cast<int>(4 * factor));
    const int handle = qMax(8, static_cast<int>(14 * factor));
    const QString accent = current().name();
    return QString("QSlider::groove:horizontal{height:%1px;background:rgb(70,70,74);border-radius:%2px;}"
                   "QSlider::sub-page:horizontal{background:%3;border-radius:%2px;}"
                   "QSlider::handle:horizontal{width:%4px;margin:-%5px 0;border-radius:%6px;background:%3;"
                   "border:1px solid rgb(230,230,230);}")
        .arg(groove)
        .arg(groove / 2)
        .arg(accent)
        .arg(handle)
        .arg((handle - groove) / 2)
        .arg(handle / 2);
}

QString AccentColor::dialogButtonStyle() {
    const QColor accent = current();
    return QString::asprintf("QToolButton{background: rgb(0, 0, 0); color: rgb(255, 255, 255);"
                             "                        border-radius: 3px;  border: 1px rgb(%d, %d, %d);"
                             "                        border-style: outset;}",
                             accent.red(), accent.green(), accent.blue());
}

QString AccentColor::checkBoxStyle(double factor) {
    const QString text = "QCheckBox{background-color:rgba(255,255,255,0);color:rgb(200,200,206);}";
    const int size = DisplayScale::scaled(16, factor);
    // The skin's pictures are drawn for the base scale; border-image stretches them to the scaled size.
    const QString skin = AppPaths::skinDir();
    if (QFileInfo::exists(skin + "/checkbox1-1.png") && QFileInfo::exists(skin + "/checkbox1-2.png")) {
        return text + QString("QCheckBox::indicator{width:%1px;height:%1px;}"
                              "QCheckBox::indicator:enabled:unchecked{border-image:url(%2/checkbox1-1.png);}"
                              "QCheckBox::indicator:enabled:checked{border-image:url(%2/checkbox1-2.png);}")
                          .arg(size)
                          .arg(skin);
    }
    return text + QString("QCheckBox::indicator{width:%1px;height:%1px;border:1px solid rgb(150,150,158);"
                          "border-radius:2px;background:rgb(30,30,30);}"
                          "QCheckBox::indicator:checked{background:%2;}")
                      .arg(size - 2)
                      .arg(current().name());
}
