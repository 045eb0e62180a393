#pragma once

#include "storage/profile_data.h"
#include "widgets/config_page.h"

#include <QColor>
#include <array>

class QButtonGroup;
class QCheckBox;
class QRadioButton;
class VelLabel;
class VelPointSpeed;
class VelReportRate;
class VelSingleDPI;
class VelSlider;

// The DPI page: the DPI stages of the current profile, each switched on or off, with its X and Y
// resolution, X and Y coupled where the sensor allows it, and its colour; the radio buttons choose the
// stage the mouse starts on. Edits go straight into the working profile and reach the mouse with the next
// OK or Apply. Below the stages, where there is room, the page shows and edits the lighting's sleep time
// and light-off, as the lighting page does; at the right, the report rate and lift-off distance and the
// sensor and pointer settings.
class VelDPIWindow : public ConfigPage {
    Q_OBJECT
public:
    static constexpr int kStageCount = ProfileData::kStageCount;
    static constexpr int kBaseWidth = 652;
    static constexpr int kBaseHeight = 432;

    explicit VelDPIWindow(double scale, QWidget *parent = nullptr);

    void refresh() override;
    void retranslate() override;
    void setScale(double factor) override;

    // Converts and bounds every row by this sensor ("MouseSenSor/1"); an unknown id changes nothing.
    void setSensor(int sensorId);
    int sensor() const { return m_sensor; }
    // How many stages the mouse has: the description's decoded stage count, 8 when it is not 1..8.
    static int visibleStageCount();

public slots:
    // Makes index the active stage of the working profile and checks its radio button; the window calls it
    // when the mouse reports a stage change.
    void selectStage(int index);

protected:
    void paintEvent(QPaintEvent *event) override;

private slots:
    void onRadioChanged();
    void onLinkChanged(quint8 link, quint8 index);
    void onEnableChanged(quint8 on, quint8 index);
    void onSliderChanged(int x, int y, quint8 index);
    void onDPIColorChanged(QColor color, quint8 index);
    void onSleepChanged(int minutes);
    // Checked: the light goes off while the mouse moves.
    void onMoveOffClicked(bool checked);

private:
    void layoutWidgets();
    void showSleepValue(int minutes);

    int m_sensor = 0;
    int m_visible = kStageCount;
    std::array<VelSingleDPI *, kStageCount> m_rows{};
    std::array<QRadioButton *, kStageCount> m_radios{};
    VelReportRate *m_reportRate = nullptr;
    VelPointSpeed *m_pointSpeed = nullptr;
    QButtonGroup *m_radioGroup = nullptr;
    VelLabel *m_sleepLabel = nullptr;
    VelSlider *m_sleepSlider = nullptr;
    VelLabel *m_sleepValue = nullptr;
    // Where the desktop, not the program, sets the pointer speed, says so below the stages.
    VelLabel *m_pointerNote = nullptr;
    QCheckBox *m_moveOffBox = nullptr;
};
