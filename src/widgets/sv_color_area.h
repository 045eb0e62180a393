#pragma once

#include <QPixmap>
#include <QWidget>

// The colour picker's saturation/value square for one hue: white at the top left, the pure hue at the top
// right, black along the bottom. The marker ring is black over the bright upper half and white over the
// dark lower half, so it stays visible.
class SVColorArea : public QWidget {
    Q_OBJECT
public:
    static constexpr int kBaseSide = 128;
    static constexpr int kMarkerSize = 12;

    explicit SVColorArea(double scale, QWidget *parent = nullptr);

    int hue() const { return m_hue; }
    int saturation() const { return m_saturation; }
    int value() const { return m_value; }
    // Shows hue (0..360), saturation and value (0..255) without telling anyone.
    void setHsv(int hue, int saturation, int value);

signals:
    void svChangedSignal(int hue, int saturation, int value);
    void mouseReleaseSignal();

public slots:
    // A new hue from the hue bar: the square is redrawn and reports its colour with the new hue.
    void hueChangedSlot(int hue);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void renderField();
    void pickAt(const QPoint &pos);

    double m_scale;
    int m_side;
    int m_hue = 0;
    // Kept as numbers, not as the marker's pixels, so that a new hue leaves them exactly as they were.
    int m_saturation = 0;
    int m_value = 0;
    QPixmap m_field;   // white to the pure hue, left to right
    QPixmap m_shading; // clear at the top to black at the bottom
};
