#include "widgets/window_drag.h"

#include <QMouseEvent>
#include <QWidget>

WindowDrag::WindowDrag(QWidget *window, int threshold)
    : QObject(window), m_window(window), m_threshold(threshold) {
    window->installEventFilter(this);
}

bool WindowDrag::eventFilter(QObject *watched, QEvent *event) {
    if (watched != m_window)
        return false;
    const auto *mouse = static_cast<QMouseEvent *>(event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (mouse->button() == Qt::LeftButton) {
            m_dragging = true;
            m_pressPos = mouse->globalPos() - m_window->pos();
        }
        break;
    case QEvent::MouseMove:
        if (m_dragging && (mouse->buttons() & Qt::LeftButton) &&
            (mouse->globalPos() - m_window->pos() - m_pressPos).manhattanLength() > m_threshold)
            m_window->move(mouse->globalPos() - m_pressPos);
        break;
    case QEvent::MouseButtonRelease:
        if (mouse->button() == Qt::LeftButton)
            m_dragging = false;
        break;
    default:
        break;
    }
    return false;
}
