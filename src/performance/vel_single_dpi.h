#pragma once

#include "device/sensor_dpi.h"

#include <QColor>
#include <QWidget>

class DefaultColorArea;
class QCheckBox;
class VelLabel;
class VelTwoBarSlider;

// One DPI stage row of the DPI page: the stage's on/off box, its X and Y resolution on a two-bar
// slider between the sensor's lowest and highest DPI, the "Link XY" box where the sensor allows X and Y
// to be coupled, and the stage colour. The row shows what it is given and reports the user's edits by
// signal, with its index; the page stores them.
class VelSingleDPI : public QWidget {
    Q_OBJECT
public:
    static constexpr int kBaseWidth = 396;
    static constexpr int kBaseHeight = 38;

    explicit VelSingleDPI(quint8 index, QWidget *parent = nullptr);

    quint8 index() const { return m_index; }
    // Takes the sensor's conversion and its range (sensorRange()); a sensor the program does not know
    // leaves the row as it was.
    void setSensor(int sensorId, const SensorRange &range);
    void setValues(int x, int y);
    void setLink(bool link);
    void setStageOn(bool on);
    void setColor(const QColor &color);
    // The colour button shows only for a mouse whose stages light up in their colour.
    void setColorShown(bool shown);
    void setScale(double factor);
    void retranslate();

signals:
    void DPISignal(int x, int y, quint8 index);
    void LinkSignal(quint8 link, quint8 index);
    void EnableSignal(quint8 on, quint8 index);
    // A mouse press on the row (outside its controls).
    void MouseinSignal(quint8 index);
    void DPIColorSignal(QColor color, quint8 index);

public slots:
    void onSliderChanged(int x, int y);
    void color_clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    void showValues();

    quint8 m_index;
    int m_sensor = 0;
    int m_x = 0;
    int m_y = 0;
    QColor m_color;
    double m_factor = 1.0;
    QCheckBox *m_onBox = nullptr;
    QCheckBox *m_linkBox = nullptr;
    VelTwoBarSlider *m_slider = nullptr;
    VelLabel *m_dpiLabel = nullptr;
    VelLabel *m_xLabel = nullptr;
    VelLabel *m_yLabel = nullptr;
    VelLabel *m_minLabel = nullptr;
    VelLabel *m_maxLabel = nullptr;
    DefaultColorArea *m_colorButton = nullptr;
};
