#pragma once

#include <QColor>
#include <QWidget>

// The colour picker's before/after field: the colour the picker opened with on the left, the colour being
// chosen on the right.
class PreviewColorArea : public QWidget {
    Q_OBJECT
public:
    static constexpr int kBaseSide = 128;

    explicit PreviewColorArea(double scale, QWidget *parent = nullptr);

    QColor beforeColor() const { return m_before; }
    QColor afterColor() const { return m_after; }
    void setBeforeColor(const QColor &color);
    void setAfterColor(const QColor &color);

signals:
    // Passes on the colour the after half took from the square.
    void svChangedSignal(int hue, int saturation, int value);

public slots:
    // The after half follows the square; hue 360 (the top of the hue bar) is hue 0.
    void svChangedSlot(int hue, int saturation, int value);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_before = Qt::black;
    QColor m_after = Qt::black;
};
