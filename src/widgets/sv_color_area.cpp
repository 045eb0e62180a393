#include "widgets/sv_color_area.h"

#include "widgets/widgets_log.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>

SVColorArea::SVColorArea(double scale, QWidget *parent)
    : QWidget(parent), m_scale(scale), m_side(qRound(kBaseSide * scale)) {
    setFixedSize(m_side + 1, m_side + 1);
    setCursor(Qt::CrossCursor);
    m_shading = QPixmap(m_side, m_side);
    m_shading.fill(Qt::transparent);
    QPainter painter(&m_shading);
    QLinearGradient shade(0, 0, 0, m_side);
    shade.setColorAt(0.0, QColor(0, 0, 0, 0));
    shade.setColorAt(1.0, QColor(0, 0, 0, 255));
    painter.fillRect(m_shading.rect(), shade);
    renderField();
}

void SVColorArea::setHsv(int hue, int saturation, int value) {
    m_hue = qBound(0, hue, 360);
    m_saturation = qBound(0, saturation, 255);
    m_value = qBound(0, value, 255);
    renderField();
    update();
}

void SVColorArea::hueChangedSlot(int hue) {
    m_hue = qBound(0, hue, 360);
    renderField();
    update();
    emit svChangedSignal(m_hue, m_saturation, m_value);
}

void SVColorArea::renderField() {
    m_field = QPixmap(m_side, m_side);
    QPainter painter(&m_field);
    QLinearGradient gradient(0, 0, m_side, 0);
    gradient.setColorAt(0.0, QColor(QStringLiteral("#ffffff")));
    gradient.setColorAt(1.0, QColor::fromHsv(m_hue % 360, 255, 255));
    painter.fillRect(m_field.rect(), gradient);
    painter.drawPixmap(0, 0, m_shading);
}

void SVColorArea::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_field);
    painter.setRenderHint(QPainter::Antialiasing);
    const int x = int(m_saturation / 2 * m_scale), y = int(m_value / 2 * m_scale);
    painter.setPen(QPen(y > m_side / 2 ? Qt::black : Qt::white, qMax(2.0, 2 * m_scale)));
    painter.setBrush(Qt::NoBrush);
    const double radius = kMarkerSize * m_scale / 2;
    painter.drawEllipse(QPointF(x, m_side - y), radius, radius);
}

void SVColorArea::pickAt(const QPoint &pos) {
    const int x = qBound(0, pos.x(), m_side), y = qBound(0, m_side - pos.y(), m_side);
    qCDebug(lcWidgets, "SVColorArea mousePressEvent %d %d", x, y);
    m_saturation = qMin(int(x * 2 / m_scale), 255);
    m_value = qMin(int(y * 2 / m_scale), 255);
    emit svChangedSignal(m_hue, m_saturation, m_value);
    update();
}

void SVColorArea::mousePressEvent(QMouseEvent *event) {
    pickAt(event->pos());
}

void SVColorArea::mouseMoveEvent(QMouseEvent *event) {
    pickAt(event->pos());
}

void SVColorArea::mouseReleaseEvent(QMouseEvent *) {
    emit mouseReleaseSignal();
}
