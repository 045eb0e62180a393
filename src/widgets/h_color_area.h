#pragma once

#include <QWidget>

// The colour picker's hue bar: a vertical rainbow from hue 0 at the bottom to 360 at the top, with a white
// marker beside it. Pressing or dragging picks a hue; the very top gives 360, which the picker reads as 0.
class HColorArea : public QWidget {
    Q_OBJECT
public:
    static constexpr int kBarWidth = 26;
    static constexpr int kBarHeight = 128;
    static constexpr int kTopMargin = 7;
    static constexpr int kMarkerSize = 9;
    static constexpr int kBaseWidth = 34;
    static constexpr int kBaseHeight = kBarHeight + 2 * kTopMargin;

    explicit HColorArea(double scale, QWidget *parent = nullptr);

    int hue() const { return m_hue; }
    // Moves the marker to hue (0..360) without telling anyone.
    void setHue(int hue);

signals:
    void hueChangedSignal(int hue);
    void mouseReleaseSignal();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    int px(int base) const { return qRound(base * m_scale); }
    void pickAt(int y);

    double m_scale;
    int m_hue = 0;
    double m_position = 0.0; // marker height, 0 at the bottom of the bar, 1 at the top
};
