#pragma once

#include "widgets/config_page.h"

#include <QColor>
#include <array>

class DefaultColorArea;
class QCheckBox;
class VelAction;
class VelLabel;
class VelMenu;
class VelPushButton;
class VelSlider;

// The LIGHTING page: which lighting effect the current profile uses, each effect's brightness, speed and
// colour, the lighting's sleep time and whether the light goes off while the mouse moves. Edits stay in
// the working profile until the next OK or Apply sends it.
class VelColorWindow : public ConfigPage {
    Q_OBJECT
public:
    static constexpr int kModeCount = 14;
    enum Mode { kOff = 0, kFullLighted = 1, kBreathing = 2, kColorBreathing = 3, kReactive = 11 };

    explicit VelColorWindow(double scale, QWidget *parent = nullptr);

    void refresh() override;
    void retranslate() override;
    void setScale(double factor) override;

    // The effect the menu offers, in menu order (modes 5 to 8 are shown but not offered).
    static const std::array<int, 10> &menuModes();
    // The controls an effect shows.
    static bool showsBrightness(int mode);
    static bool showsSpeed(int mode);
    static bool showsColor(int mode);

public slots:
    void slotSliderMouseChange();
    void slotSendLedState(QColor color);
    void slotApplyColor();
    void color_clicked();
    void checkbtn_clicked();

private:
    VelSlider *makeSlider(int minimum, int maximum);
    void applyMode(int mode);
    void chooseEffect(int mode);
    void buildMenu();
    void layoutSleepRow();
    void showSleepValue(int minutes);

    int m_sleepMin = 1;
    int m_sleepMax = 9;
    VelLabel *m_effectLabel = nullptr;
    VelPushButton *m_effectButton = nullptr;
    VelMenu *m_effectMenu = nullptr;
    std::array<VelAction *, kModeCount> m_actions{};
    VelLabel *m_brightLabel = nullptr;
    VelSlider *m_brightSlider = nullptr;
    VelLabel *m_speedLabel = nullptr;
    VelSlider *m_speedSlider = nullptr;
    VelLabel *m_colorLabel = nullptr;
    DefaultColorArea *m_swatch = nullptr;
    VelLabel *m_sleepLabel = nullptr;
    VelSlider *m_sleepSlider = nullptr;
    VelLabel *m_sleepValue = nullptr;
    QCheckBox *m_moveOffBox = nullptr;
};
