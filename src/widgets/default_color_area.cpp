#include "widgets/default_color_area.h"

#include "widgets/widgets_log.h"

#include <QPainter>

DefaultColorArea::DefaultColorArea(QWidget *parent) : QWidget(parent) {
    setCursor(Qt::PointingHandCursor);
}

void DefaultColorArea::setColor(const QColor &color) {
    m_color = color;
    update();
}

void DefaultColorArea::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    if (m_color.isValid())
        painter.fillRect(rect(), m_color);
    painter.setPen(QColor(0, 0, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(0, 0, width() - 1, height() - 1);
}

void DefaultColorArea::mousePressEvent(QMouseEvent *) {
    qCDebug(lcWidgets, "DefaultColorArea mousePressEvent");
    emit ClickedSignal();
}
