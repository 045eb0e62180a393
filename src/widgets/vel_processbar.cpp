#include "widgets/vel_processbar.h"

#include "widgets/ui_language.h"

#include <QPainter>

VelProcessbar::VelProcessbar(QWidget *parent) : QProgressBar(parent) {
    setTextVisible(false);
}

void VelProcessbar::setBarText(const QString &text) {
    m_text = text;
    update();
}

void VelProcessbar::paintEvent(QPaintEvent *event) {
    QProgressBar::paintEvent(event);
    if (m_text.isEmpty())
        return;
    QPainter painter(this);
    painter.setFont(UiLanguage::font());
    painter.setPen(m_text == tr("MOUSE OFF") ? m_mouseOffColor : m_otherColor);
    painter.drawText(rect(), Qt::AlignCenter, m_text);
}
