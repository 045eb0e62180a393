#include "widgets/vel_push_button.h"

#include "widgets/ui_language.h"

#include <QMouseEvent>
#include <QPainter>

VelPushButton::VelPushButton(const QStringList &images, QWidget *parent, const QString &iconFile)
    : QPushButton(parent), m_textColors{QColor(200, 200, 200), QColor(255, 255, 255), QColor(255, 255, 255),
                                        QColor(110, 110, 110)} {
    setImages(images);
    if (!iconFile.isEmpty())
        m_icon.load(iconFile);
    setAttribute(Qt::WA_TranslucentBackground);
    setFlat(true);
    setCursor(Qt::PointingHandCursor);
}

void VelPushButton::setImages(const QStringList &images) {
    m_images.clear();
    for (const QString &file : images)
        m_images.append(QPixmap(file));
    update();
}

void VelPushButton::setText(const QString &text) {
    m_text = text;
    setToolTip(text);
    update();
}

void VelPushButton::setCheckable(bool checkable) {
    m_checkable = checkable;
    setState(kNormal);
}

void VelPushButton::setChecked(bool checked) {
    m_checked = checked;
    setState(checked ? kHover : kNormal);
}

void VelPushButton::setEnabled(bool enabled) {
    m_enabled = enabled;
    if (m_checkable && m_checked)
        setState(kHover);
    else
        setState(enabled ? kNormal : kDisabled);
    QPushButton::setEnabled(enabled);
}

void VelPushButton::setTextColor(int state, const QColor &color) {
    if (state >= 0 && state < static_cast<int>(m_textColors.size()))
        m_textColors[state] = color;
    update();
}

QSize VelPushButton::sizeHint() const {
    if (!m_icon.isNull())
        return m_icon.size();
    if (m_state < m_images.size() && !m_images[m_state].isNull())
        return m_images[m_state].size();
    return QPushButton::sizeHint();
}

void VelPushButton::setState(int state) {
    m_state = state;
    update();
}

void VelPushButton::enterEvent(QEvent *event) {
    emit OverSignal(this, true);
    if (m_enabled)
        setState(m_images.size() >= 2 ? kHover : kNormal);
    QPushButton::enterEvent(event);
}

void VelPushButton::leaveEvent(QEvent *event) {
    if (!m_leftSincePress)
        emit OverSignal(this, false);
    m_leftSincePress = true;
    if (m_enabled)
        setState(m_checkable && m_checked ? kHover : kNormal);
    QPushButton::leaveEvent(event);
}

void VelPushButton::mousePressEvent(QMouseEvent *event) {
    if (m_enabled && event->button() == Qt::LeftButton) {
        m_leftSincePress = false;
        m_checked = !m_checked;
        if (m_images.size() > 2)
            setState(m_checked ? kPressed : kNormal);
        emit EnterSignal(this);
    }
    QPushButton::mousePressEvent(event);
}

void VelPushButton::mouseReleaseEvent(QMouseEvent *event) {
    if (m_enabled && event->button() == Qt::LeftButton && m_images.size() >= 2)
        setState(kHover);
    QPushButton::mouseReleaseEvent(event);
}

void VelPushButton::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const int index = qMin(m_state, m_images.size() - 1);
    if (index >= 0 && !m_images[index].isNull())
        painter.drawPixmap(rect(), m_images[index]);
    if (!m_icon.isNull())
        painter.drawPixmap(rect(), m_icon);
    if (m_text.isEmpty())
        return;
    painter.setFont(UiLanguage::font());
    painter.setPen(m_textColors[m_state]);
    const QString shown = painter.fontMetrics().elidedText(m_text, Qt::ElideRight, width());
    painter.drawText(rect(), Qt::AlignCenter, shown);
}
