#include "app/tray_battery_icon.h"

#include <QPainter>
#include <QSet>
#include <QtTest>

namespace {
const QColor kPlain(40, 90, 200);

// A plain icon of one colour that no part of the battery takes.
QIcon plainIcon() {
    QPixmap pixmap(64, 64);
    pixmap.fill(kPlain);
    return QIcon(pixmap);
}

QImage argb(QImage image) {
    image.setDevicePixelRatio(1);
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// How many pixels of the image, or of its row y alone, have the colour.
int count(const QImage &image, const QColor &colour, int y = -1) {
    int n = 0;
    for (int row = qMax(y, 0); row < (y < 0 ? image.height() : y + 1); ++row)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixelColor(x, row) == colour;
    return n;
}
} // namespace

class TestTrayIcon : public QObject {
    Q_OBJECT
private slots:
    void batteryPictures_data() {
        QTest::addColumn<int>("pixels");
        QTest::addColumn<int>("level");
        QTest::addColumn<bool>("charging");
        for (const int pixels : {16, 32}) {
            const struct {
                int level;
                bool charging;
            } rows[] = {{0, false}, {10, false}, {20, false}, {50, false}, {100, false}, {50, true}};
            for (const auto &r : rows)
                QTest::addRow("%d px, %d%%%s", pixels, r.level, r.charging ? ", charging" : "")
                    << pixels << r.level << r.charging;
        }
    }

    // With the notice level at 20: the fill grows with the level (any charge at least one column), red at
    // 10 % and 20 %, green above; a rectangle with an outline on whole pixels (on the fill's rows only the
    // battery's own colours, no blended edge); the bolt only while charging; the program icon above the
    // battery.
    void batteryPictures() {
        QFETCH(int, pixels);
        QFETCH(int, level);
        QFETCH(bool, charging);
        const QIcon plain = plainIcon();
        const QImage image = argb(TrayBatteryIcon::picture(plain, {level, charging, 20}, pixels));
        const QImage full = argb(TrayBatteryIcon::picture(plain, {100, false, 20}, pixels));
        QCOMPARE(image.size(), QSize(pixels, pixels));

        const bool low = level > 0 && level <= 20;
        const QColor fillColour = low ? TrayBatteryIcon::kLowFill : TrayBatteryIcon::kFill;
        QCOMPARE(count(image, low ? TrayBatteryIcon::kFill : TrayBatteryIcon::kLowFill), 0);
        int fullRow = 0;
        while (fullRow < pixels && count(full, TrayBatteryIcon::kFill, fullRow) == 0)
            ++fullRow;
        const int fullWidth = count(full, TrayBatteryIcon::kFill, fullRow);
        const int fullRows = count(full, TrayBatteryIcon::kFill) / fullWidth;
        QVERIFY2(fullWidth >= pixels * 3 / 4 && fullRows >= pixels / 4, "the battery reads at its size");
        const int width = count(image, fillColour, fullRow);
        QVERIFY2(qAbs(width - fullWidth * level / 100.0) <= 1.0, qPrintable(QString::number(width)));
        QCOMPARE(width > 0, level > 0);
        QCOMPARE(count(image, fillColour), width * fullRows);

        // Each of the fill's rows from the left edge to the outline's right edge, and the middle one through
        // the terminal to the icon's edge.
        const QSet<QRgb> batteryColours{TrayBatteryIcon::kOutline.rgba(), TrayBatteryIcon::kEmpty.rgba(),
                                        fillColour.rgba()};
        for (int y = fullRow; y < fullRow + fullRows; ++y) {
            int right = pixels - 1;
            while (right > 0 && image.pixelColor(right, y) != TrayBatteryIcon::kOutline)
                --right;
            QVERIFY(right >= fullWidth);
            for (int x = 0; x <= right; ++x)
                QVERIFY2(batteryColours.contains(image.pixel(x, y)),
                         qPrintable(QString("%1,%2").arg(x).arg(y)));
        }
        QCOMPARE(image.pixelColor(pixels - 1, fullRow + fullRows / 2), TrayBatteryIcon::kOutline);

        QCOMPARE(count(image, TrayBatteryIcon::kBolt) > 0, charging);
        QCOMPARE(image.pixelColor(pixels / 4, 1), kPlain);
    }

    // The icon the tray gets paints each size at its own pixels: asked for a size, at twice the size for a
    // screen that doubles, and painted into a painter on such a screen (as the tray window paints it).
    // Without a level it is the plain icon itself.
    void iconPaintedAtTheAskedPixels() {
        const QIcon plain = plainIcon();
        const TrayBatteryIcon::Battery battery{50, true, 20};
        const QIcon icon = TrayBatteryIcon::icon(plain, battery);
        for (const int pixels : {16, 22, 24, 32, 48}) {
            QVERIFY(icon.availableSizes().contains(QSize(pixels, pixels)));
            QCOMPARE(argb(icon.pixmap(QSize(pixels, pixels)).toImage()),
                     argb(TrayBatteryIcon::picture(plain, battery, pixels)));
        }
        QImage doubled(32, 32, QImage::Format_ARGB32_Premultiplied);
        doubled.fill(Qt::transparent);
        doubled.setDevicePixelRatio(2);
        QPainter painter(&doubled);
        icon.paint(&painter, QRect(0, 0, 16, 16));
        painter.end();
        QCOMPARE(argb(doubled), argb(TrayBatteryIcon::picture(plain, battery, 32)));

        QCOMPARE(TrayBatteryIcon::icon(plain, {-1, true, 20}).cacheKey(), plain.cacheKey());
    }
};

QTEST_MAIN(TestTrayIcon)
#include "test_tray_icon.moc"
