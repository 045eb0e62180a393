#pragma once

#include "platform/qt_compat.h"

#include <QColor>
#include <QIcon>
#include <QIconEngine>
#include <QImage>

// The tray icon with the mouse's battery on it: the program icon with a battery in its bottom band filled to
// the level (red at or below the notice level) and a lightning bolt in the top corner while the mouse
// charges. Each picture is painted at the pixels asked for, so the battery's edges fall on whole pixels at
// 16 px and stay sharp at twice the size on a screen that doubles.
class TrayBatteryIcon : public QIconEngine {
public:
    struct Battery {
        int level = -1; // 0 to 100; -1: no mouse to show
        bool charging = false;
        int noticeLevel = 0; // the fill is red at or below it; 0: never
        bool operator==(const Battery &other) const {
            return level == other.level && charging == other.charging && noticeLevel == other.noticeLevel;
        }
        bool operator!=(const Battery &other) const { return !(*this == other); }
    };

    static const QColor kOutline;
    static const QColor kEmpty;
    static const QColor kFill;
    static const QColor kLowFill;
    static const QColor kBolt;
    // The sizes the trays ask for; any other size is painted as well.
    static const QList<int> kSizes;

    // The icon to show: the plain icon itself when there is no level to show.
    static QIcon icon(const QIcon &plain, const Battery &battery);
    // One picture, pixels wide and high.
    static QImage picture(const QIcon &plain, const Battery &battery, int pixels);

    TrayBatteryIcon(const QIcon &plain, const Battery &battery);

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    QList<QSize> availableSizes(QIcon::Mode mode = QIcon::Normal,
                                QIcon::State state = QIcon::Off) KORVANE_QT5_CONST override;
    QIconEngine *clone() const override;

private:
    QIcon m_plain;
    Battery m_battery;
};
