#include "performance/vel_two_bar_slider.h"

#include "performance/performance_style.h"
#include "widgets/vel_slider.h"

#include <QSignalBlocker>

VelTwoBarSlider::VelTwoBarSlider(QWidget *parent) : QWidget(parent) {
    m_xBar = makeBar("xBar");
    m_yBar = makeBar("yBar");
    m_linkedBar = makeBar("linkedBar");
    connect(m_xBar, &QSlider::valueChanged, this, [this](int x) { emit SliderChangedSignal(x, yValue()); });
    connect(m_yBar, &QSlider::valueChanged, this, [this](int y) { emit SliderChangedSignal(xValue(), y); });
    connect(m_linkedBar, &QSlider::valueChanged, this, &VelTwoBarSlider::linkedMoved);
    setLinked(false);
}

VelSlider *VelTwoBarSlider::makeBar(const char *name) {
    auto *bar = new VelSlider(Qt::Horizontal, this);
    bar->setObjectName(QLatin1String(name));
    bar->setSingleStep(1);
    bar->setPageStep(1);
    bar->setTickPosition(QSlider::NoTicks);
    return bar;
}

void VelTwoBarSlider::setRange(int minimum, int maximum) {
    for (VelSlider *bar : {m_xBar, m_yBar, m_linkedBar}) {
        const QSignalBlocker blocker(bar);
        bar->setRange(minimum, maximum);
    }
}

void VelTwoBarSlider::setValues(int x, int y) {
    const QSignalBlocker blockX(m_xBar), blockY(m_yBar), blockLinked(m_linkedBar);
    m_xBar->setValue(x);
    m_yBar->setValue(y);
    m_linkedBar->setValue(x);
}

void VelTwoBarSlider::setLinked(bool linked) {
    {
        const QSignalBlocker blocker(m_linkedBar);
        m_linkedBar->setValue(m_xBar->value());
    }
    m_linkedBar->setVisible(linked);
    m_xBar->setVisible(!linked);
    m_yBar->setVisible(!linked);
}

int VelTwoBarSlider::xValue() const {
    return m_xBar->value();
}

int VelTwoBarSlider::yValue() const {
    return m_yBar->value();
}

void VelTwoBarSlider::setScale(double factor) {
    const QString style = performancestyle::slider(factor);
    for (VelSlider *bar : {m_xBar, m_yBar, m_linkedBar})
        bar->setStyleSheet(style);
    placeBars();
}

void VelTwoBarSlider::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    placeBars();
}

// X takes the upper half, Y the lower; the single bar takes the whole height.
void VelTwoBarSlider::placeBars() {
    const int half = height() / 2;
    m_xBar->setGeometry(0, 0, width(), half);
    m_yBar->setGeometry(0, half, width(), height() - half);
    m_linkedBar->setGeometry(0, 0, width(), height());
}

// The single bar moves X and Y together; the hidden bars follow so that unlinking keeps the value.
void VelTwoBarSlider::linkedMoved(int value) {
    {
        const QSignalBlocker blockX(m_xBar), blockY(m_yBar);
        m_xBar->setValue(value);
        m_yBar->setValue(value);
    }
    emit SliderChangedSignal(value, value);
}
