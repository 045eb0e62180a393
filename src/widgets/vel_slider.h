#pragma once

#include <QSlider>

class VelLabel;

// Slider with an optional value tip that follows the handle while it is dragged.
class VelSlider : public QSlider {
    Q_OBJECT
public:
    explicit VelSlider(Qt::Orientation orientation = Qt::Horizontal, QWidget *parent = nullptr);

    void setTip(VelLabel *tip);
    void showTip(bool show);
    // Left edge of the tip for a value: the free width (slider minus tip) in proportion to the value.
    static int tipX(int value, int minimum, int maximum, int sliderWidth, int tipWidth);

signals:
    void MouseChange();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void placeTip();

    VelLabel *m_tip = nullptr;
    bool m_showTip = false;
};
