#include "widgets/h_color_area.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>

HColorArea::HColorArea(double scale, QWidget *parent) : QWidget(parent), m_scale(scale) {
    setFixedSize(px(kBaseWidth), px(kBaseHeight));
    setCursor(Qt::PointingHandCursor);
}

void HColorArea::setHue(int hue) {
    m_hue = qBound(0, hue, 360);
    m_position = m_hue / 360.0;
    update();
}

void HColorArea::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int top = px(kTopMargin), height = px(kBarHeight);
    // The gradient runs over the bar itself, so the colour beside the marker is the hue it stands for.
    QLinearGradient gradient(0, top + height, 0, top);
    for (int k = 0; k < 16; ++k)
        gradient.setColorAt(k / 16.0, QColor::fromHsvF(k / 16.0, 1.0, 1.0));
    gradient.setColorAt(1.0, QColor::fromHsv(0, 255, 255));
    painter.setPen(Qt::NoPen);
    painter.setBrush(gradient);
    painter.drawRect(0, top, px(kBarWidth), height);

    const double y = top + height - m_position * height;
    const double half = px(kMarkerSize) / 2.0;
    const double left = px(kBarWidth) + 1;
    const QPointF marker[3] = {
        {left, y}, {left + px(kMarkerSize), y - half}, {left + px(kMarkerSize), y + half}};
    painter.setBrush(Qt::white);
    painter.drawPolygon(marker, 3);
}

void HColorArea::pickAt(int y) {
    m_position = qBound(0.0, 1.0 - double(y - px(kTopMargin)) / px(kBarHeight), 1.0);
    m_hue = int(360 * m_position);
    update();
    emit hueChangedSignal(m_hue);
}

void HColorArea::mousePressEvent(QMouseEvent *event) {
    pickAt(event->pos().y());
}

void HColorArea::mouseMoveEvent(QMouseEvent *event) {
    pickAt(event->pos().y());
}

void HColorArea::mouseReleaseEvent(QMouseEvent *) {
    emit mouseReleaseSignal();
}
