#include "app/tray_battery_icon.h"

#include <QPainter>
#include <QPixmap>
#include <QtGlobal>

const QColor TrayBatteryIcon::kOutline(236, 236, 240);
const QColor TrayBatteryIcon::kEmpty(18, 18, 22);
const QColor TrayBatteryIcon::kFill(72, 204, 96);
const QColor TrayBatteryIcon::kLowFill(240, 52, 44);
const QColor TrayBatteryIcon::kBolt(255, 208, 20);
const QList<int> TrayBatteryIcon::kSizes = {16, 22, 24, 32, 48};

namespace {
// The battery's parts on the pixel grid of one size.
struct Layout {
    QRect body;   // the outline's outer edge
    QRect tip;    // the terminal on the right
    QRect inside; // the dark space the fill grows in
    int outline;  // the outline's width
    QRectF bolt;  // where the charging mark goes
};

Layout layout(int pixels) {
    Layout l;
    l.outline = qMax(1, pixels / 16);
    const int tipWidth = l.outline;
    const int height = (pixels * 7 + 8) / 16; // 7 of 16 pixels: the fill stays 5 pixels high at 16
    l.body = QRect(0, pixels - height, pixels - tipWidth, height);
    // Half the height, less one where that centres it on whole pixels.
    const int tipHeight = qMax(3, height / 2 - (height - height / 2) % 2);
    l.tip = QRect(l.body.right() + 1, l.body.top() + (height - tipHeight) / 2, tipWidth, tipHeight);
    // From 32 pixels on a dark gap between the outline and the fill keeps them apart.
    const int gap = pixels >= 32 ? pixels / 32 : 0;
    const int inset = l.outline + gap;
    l.inside = l.body.adjusted(inset, inset, -inset, -inset);
    // Above the battery in the top right corner, clear of the outline.
    l.bolt = QRectF(pixels * 0.4, 0, pixels * 0.6, l.body.top());
    return l;
}

// A lightning bolt filling the box, with a dark edge so it reads on light and dark panels alike.
void paintBolt(QPainter &p, const QRectF &box, int pixels) {
    const qreal edge = pixels / 20.0;
    // Half the dark edge lies outside the bolt's shape: shrunk by that half, the bolt stays in its box.
    const QRectF inner = box.adjusted(edge / 2, edge / 2, -edge / 2, -edge / 2);
    const auto at = [&](qreal x, qreal y) {
        return QPointF(inner.left() + x * inner.width(), inner.top() + y * inner.height());
    };
    QPolygonF bolt;
    bolt << at(0.56, 0.0) << at(0.04, 0.60) << at(0.42, 0.60) << at(0.28, 1.0) << at(0.96, 0.36)
         << at(0.58, 0.36) << at(0.88, 0.0);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(TrayBatteryIcon::kEmpty, edge, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(TrayBatteryIcon::kBolt);
    p.drawPolygon(bolt);
    p.restore();
}
} // namespace

QIcon TrayBatteryIcon::icon(const QIcon &plain, const Battery &battery) {
    if (battery.level < 0)
        return plain;
    return QIcon(new TrayBatteryIcon(plain, battery));
}

QImage TrayBatteryIcon::picture(const QIcon &plain, const Battery &battery, int pixels) {
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawPixmap(QRect(0, 0, pixels, pixels), plain.pixmap(QSize(pixels, pixels)));
    if (battery.level < 0)
        return image;

    // Whole-pixel rectangles without antialiasing: the outline keeps its exact colour at every size.
    const Layout l = layout(pixels);
    p.fillRect(l.body, kOutline);
    p.fillRect(l.tip, kOutline);
    p.fillRect(l.body.adjusted(l.outline, l.outline, -l.outline, -l.outline), kEmpty);
    const int level = qBound(0, battery.level, 100);
    // Any charge left shows at least one column.
    const int fill = level == 0 ? 0 : qMax(1, (l.inside.width() * level + 50) / 100);
    const bool low = battery.noticeLevel > 0 && level <= battery.noticeLevel;
    p.fillRect(QRect(l.inside.topLeft(), QSize(fill, l.inside.height())), low ? kLowFill : kFill);
    if (battery.charging)
        paintBolt(p, l.bolt, pixels);
    return image;
}

TrayBatteryIcon::TrayBatteryIcon(const QIcon &plain, const Battery &battery)
    : m_plain(plain), m_battery(battery) {}

void TrayBatteryIcon::paint(QPainter *painter, const QRect &rect, QIcon::Mode, QIcon::State) {
    // Painted at the device's pixels, not enlarged from the logical size.
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    const int pixels = qRound(qMin(rect.width(), rect.height()) * ratio);
    const QRect square(rect.x() + (rect.width() - qMin(rect.width(), rect.height())) / 2,
                       rect.y() + (rect.height() - qMin(rect.width(), rect.height())) / 2,
                       qMin(rect.width(), rect.height()), qMin(rect.width(), rect.height()));
    painter->drawImage(square, picture(m_plain, m_battery, pixels));
}

QPixmap TrayBatteryIcon::pixmap(const QSize &size, QIcon::Mode, QIcon::State) {
    return QPixmap::fromImage(picture(m_plain, m_battery, qMin(size.width(), size.height())));
}

QList<QSize> TrayBatteryIcon::availableSizes(QIcon::Mode, QIcon::State) KORVANE_QT5_CONST {
    QList<QSize> sizes;
    for (const int pixels : kSizes)
        sizes << QSize(pixels, pixels);
    return sizes;
}

QIconEngine *TrayBatteryIcon::clone() const {
    return new TrayBatteryIcon(*this);
}
