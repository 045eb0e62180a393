#include "widgets/window_drag.h"
#include "platform/qt_compat.h"

#include <QMouseEvent>
#include <QWidget>

WindowDrag::WindowDrag(QWidget *window, int threshold)
    : QObject(window), m_window(window), m_threshold(threshold) {
    window->installEventFilter(this);
}

bool WindowDrag::eventFilter(QObject *watched, QEvent *event) {
    const QEvent::Type type = event->type();
    if (watched != m_window ||
        (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease))
        return false;
    const auto *mouse = static_cast<QMouseEvent *>(event);
    if (type == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton) {
        m_dragging = true;
        m_pressPos = globalPoint(mouse) - m_window->pos();
    } else if (type == QEvent::MouseMove && m_dragging && (mouse->buttons() & Qt::LeftButton) &&
               (globalPoint(mouse) - m_window->pos() - m_pressPos).manhattanLength() > m_threshold) {
        m_window->move(globalPoint(mouse) - m_pressPos);
    } else if (type == QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton) {
        m_dragging = false;
    }
    return false;
}
