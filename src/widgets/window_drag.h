#pragma once

#include <QObject>
#include <QPoint>

class QWidget;

// Moves a frameless window when the user drags it by any place its children leave to it. A drag of
// threshold pixels or less (horizontal plus vertical) leaves the window where it is, so that a shaky click
// does not move it.
class WindowDrag : public QObject {
    Q_OBJECT
public:
    WindowDrag(QWidget *window, int threshold);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
    int m_threshold;
    bool m_dragging = false;
    QPoint m_pressPos;
};
