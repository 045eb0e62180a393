#pragma once

#include <QColor>
#include <QWidget>

// A clickable colour field: one of the picker's fixed colours, and on the lighting page the field that
// shows a lighting mode's colour and opens the picker. Shows only its border until a colour is set.
class DefaultColorArea : public QWidget {
    Q_OBJECT
public:
    explicit DefaultColorArea(QWidget *parent = nullptr);

    QColor color() const { return m_color; }
    void setColor(const QColor &color);

signals:
    void ClickedSignal();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QColor m_color;
};
