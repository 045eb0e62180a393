#pragma once

#include <QRect>
#include <QWidget>

class QCheckBox;
class QSpinBox;
class VelLabel;
class VelPushButton;
class VelSlider;

// The "Mouse Setting" group of the DPI page: the sensor settings kept in the configuration (key response,
// sync, lift-off distance, angle snapping, jitter, motion wake, sensor mode), the current profile's scroll
// speed, and a button that opens the desktop's own mouse settings. Edits go to the working configuration
// and reach the mouse with the next OK or Apply.
class VelPointSpeed : public QWidget {
    Q_OBJECT
public:
    // Where the group sits on the DPI page, in the page's base coordinates.
    static constexpr QRect kBaseRect{440, 118, 204, 310};

    explicit VelPointSpeed(double scale, QWidget *parent = nullptr);

    // Shows the working configuration again; a lift-off code other than 1 or 2 becomes 2.
    void refresh();
    void retranslate();
    void setScale(double factor);

signals:
    // The lift-off distance changed here (1 or 2 mm); the page shows it in the report-rate group too.
    void LiftChanged(quint8 iLift);

public slots:
    void sValueChangedSlot(int s);
    void checkbtn_clicked();
    void btn_clicked();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QCheckBox *makeBox(const char *name);
    void showLift(quint8 lift);
    void showSensorMode(quint8 mode);
    void place(QWidget *child, const QRect &base);

    double m_scale = 1.0;
    VelLabel *m_responseLabel = nullptr;
    VelLabel *m_responseValue = nullptr;
    VelSlider *m_responseSlider = nullptr;
    QCheckBox *m_syncBox = nullptr;
    VelLabel *m_liftLabel = nullptr;
    QCheckBox *m_lift1Box = nullptr;
    QCheckBox *m_lift2Box = nullptr;
    QCheckBox *m_angleBox = nullptr;
    QCheckBox *m_jitterBox = nullptr;
    QCheckBox *m_wakeBox = nullptr;
    VelLabel *m_modeLabel = nullptr;
    QCheckBox *m_modeBoxes[3] = {};
    VelLabel *m_scrollLabel = nullptr;
    QSpinBox *m_scrollSpin = nullptr;
    VelPushButton *m_settingsButton = nullptr;
};
