#include "widgets/vel_label.h"

#include "widgets/ui_language.h"

#include <QPainter>

VelLabel::VelLabel(QWidget *parent) : VelLabel(QString(), parent) {}

VelLabel::VelLabel(const QString &text, QWidget *parent) : QLabel(parent), m_text(text) {
    setAttribute(Qt::WA_TranslucentBackground);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void VelLabel::setText(const QString &text) {
    m_text = text;
    update();
}

void VelLabel::setAlignment(Qt::Alignment alignment) {
    m_alignment = alignment;
    update();
}

void VelLabel::setTextWrap(bool wrap) {
    m_wrap = wrap;
    update();
}

void VelLabel::setColor(const QColor &color) {
    m_color = color;
    m_hasColor = true;
    update();
}

void VelLabel::setBackgroundColor(const QColor &color) {
    m_background = color;
    m_hasBackground = true;
    update();
}

void VelLabel::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    if (m_hasBackground)
        painter.fillRect(rect(), m_background);
    painter.setFont(testAttribute(Qt::WA_SetFont) ? font() : UiLanguage::font());
    painter.setPen(m_hasColor ? m_color : palette().color(QPalette::WindowText));
    painter.drawText(rect(), int(m_alignment) | (m_wrap ? Qt::TextWordWrap : 0), m_text);
}

void VelLabel::mousePressEvent(QMouseEvent *event) {
    emit EnterSignal(this);
    QLabel::mousePressEvent(event);
}
