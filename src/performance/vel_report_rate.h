#pragma once

#include <QPixmap>
#include <QRect>
#include <QWidget>
#include <array>

class QButtonGroup;
class QRadioButton;
class VelAction;
class VelLabel;
class VelMenu;
class VelPushButton;

// The report-rate group of the DPI page: the current profile's report rate, chosen from a drop-down, and
// the lift-off distance the sensor settings share. Both are edited in the working configuration and reach
// the mouse with the next OK or Apply.
class VelReportRate : public QWidget {
    Q_OBJECT
public:
    // Where the group sits on the DPI page, in the page's base coordinates.
    static constexpr QRect kBaseRect{440, 8, 204, 104};
    static constexpr int kRateCount = 4;

    explicit VelReportRate(double scale, QWidget *parent = nullptr);

    // Shows the working configuration's rate and lift-off distance; a lift-off code other than 1 or 2
    // becomes 2.
    void refresh();
    void retranslate();
    void setScale(double factor);

    // The rate codes in menu order (125, 250, 500 and 1000 reports a second).
    static const std::array<quint8, kRateCount> &rateCodes();

signals:
    // The lift-off distance changed here (1 or 2 mm); the page shows it on the sensor settings too.
    void RefreshLift(quint8 iLift);

public slots:
    void onRadioChanged();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void chooseRate(int entry);
    void showRate();
    void place(QWidget *child, const QRect &base);

    double m_scale = 1.0;
    QPixmap m_background;
    VelLabel *m_rateLabel = nullptr;
    VelPushButton *m_rateButton = nullptr;
    VelMenu *m_rateMenu = nullptr;
    std::array<VelAction *, kRateCount> m_actions{};
    VelLabel *m_liftLabel = nullptr;
    QButtonGroup *m_liftGroup = nullptr;
    std::array<QRadioButton *, 2> m_liftRadios{};
};
