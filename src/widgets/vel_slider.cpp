#include "widgets/vel_slider.h"

#include "widgets/vel_label.h"

VelSlider::VelSlider(Qt::Orientation orientation, QWidget *parent) : QSlider(orientation, parent) {}

void VelSlider::setTip(VelLabel *tip) {
    m_tip = tip;
    if (m_tip)
        m_tip->hide();
}

void VelSlider::showTip(bool show) {
    m_showTip = show;
}

int VelSlider::tipX(int value, int minimum, int maximum, int sliderWidth, int tipWidth) {
    if (maximum <= minimum)
        return 0;
    const int free = qMax(0, sliderWidth - tipWidth);
    return static_cast<int>(static_cast<long long>(value - minimum) * free / (maximum - minimum));
}

void VelSlider::placeTip() {
    if (!m_tip)
        return;
    m_tip->setText(QString::number(value()));
    const int x = tipX(value(), minimum(), maximum(), width(), m_tip->width());
    const QPoint at = mapTo(m_tip->parentWidget() ? m_tip->parentWidget() : window(), QPoint(x, 0));
    m_tip->move(at.x(), at.y() - m_tip->height());
}

void VelSlider::mousePressEvent(QMouseEvent *event) {
    QSlider::mousePressEvent(event);
    if (m_tip && m_showTip && m_tip->isHidden()) {
        placeTip();
        m_tip->show();
        m_tip->raise();
    }
}

void VelSlider::mouseMoveEvent(QMouseEvent *event) {
    QSlider::mouseMoveEvent(event);
    if (m_tip && m_tip->isVisible())
        placeTip();
}

void VelSlider::mouseReleaseEvent(QMouseEvent *event) {
    QSlider::mouseReleaseEvent(event);
    if (m_tip)
        m_tip->hide();
    emit MouseChange();
}
