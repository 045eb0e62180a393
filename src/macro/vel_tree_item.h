#pragma once

#include "platform/qt_compat.h"
#include <QWidget>

class QLabel;
class VelLabel;
class VelLineEdit;

// A move entry of the macro page's mouse-command tree: the direction's arrow and name, which insert the
// move when pressed, and the distance field.
class VelTreeItem : public QWidget {
    Q_OBJECT
public:
    // arrow: the arrow pictures' base name in the skin ("left", "right", "up", "down").
    VelTreeItem(const QString &arrow, QWidget *parent = nullptr);
    void setText(const QString &text);
    // The distance field's value (1-120).
    int distance() const;
    void setDistance(int distance);

signals:
    void MouseInSignal();
    // The arrow or the name was pressed: the page inserts the move.
    void VelMousePressed();

public slots:
    void slotLabelClick(VelLabel *label);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void enterEvent(QtEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void showArrow(int look);

    QString m_arrow;
    QLabel *m_icon;
    VelLabel *m_label;
    VelLineEdit *m_distance;
};
