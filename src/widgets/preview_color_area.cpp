#include "widgets/preview_color_area.h"

#include <QPainter>

PreviewColorArea::PreviewColorArea(double scale, QWidget *parent) : QWidget(parent) {
    const int side = qRound(kBaseSide * scale);
    setFixedSize(side, side);
}

void PreviewColorArea::setBeforeColor(const QColor &color) {
    m_before = color;
    update();
}

void PreviewColorArea::setAfterColor(const QColor &color) {
    m_after = color;
    update();
}

void PreviewColorArea::svChangedSlot(int hue, int saturation, int value) {
    setAfterColor(
        QColor::fromHsv(qBound(0, hue, 360) % 360, qBound(0, saturation, 255), qBound(0, value, 255))
            .toRgb());
    emit svChangedSignal(hue, saturation, value);
}

void PreviewColorArea::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    const int half = width() / 2;
    painter.fillRect(0, 0, half, height(), m_before);
    painter.fillRect(half, 0, width() - half, height(), m_after);
    painter.setPen(QColor(0, 0, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(0, 0, width() - 1, height() - 1);
}
