#pragma once

#include <QWidget>

class VelSlider;

// The slider of a DPI stage row: an X bar above a Y bar, both on one raw range, or while X and Y are
// linked a single bar that moves both.
class VelTwoBarSlider : public QWidget {
    Q_OBJECT
public:
    explicit VelTwoBarSlider(QWidget *parent = nullptr);

    void setRange(int minimum, int maximum);
    // Puts the bars on X and Y (the single bar on X); values outside the range stand at its ends.
    void setValues(int x, int y);
    void setLinked(bool linked);
    int xValue() const;
    int yValue() const;
    void setScale(double factor);

signals:
    // The user moved a bar: the X and Y raw values the bars stand at now.
    void SliderChangedSignal(int x, int y);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    VelSlider *makeBar(const char *name);
    void placeBars();
    void linkedMoved(int value);

    VelSlider *m_xBar = nullptr;
    VelSlider *m_yBar = nullptr;
    VelSlider *m_linkedBar = nullptr;
};
