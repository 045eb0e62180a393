#pragma once

#include "device/battery_status.h"

#include <QPixmap>
#include <QWidget>
#include <array>

class QLabel;
class VelLabel;
class VelProcessbar;
class VelPushButton;

// The bottom row of the main window: the battery picture and bar, the receiver picture, the version and
// model, and the buttons that act on the whole configuration (reset all, load, save, OK, Cancel, Apply).
// It shows what the window tells it; its buttons are connected by the window to what they do.
class StatusRow : public QWidget {
    Q_OBJECT
public:
    enum Button { kResetAll, kLoad, kSave, kOk, kCancel, kApply, kButtonCount };

    explicit StatusRow(QWidget *parent = nullptr);

    void setScale(double factor);
    void retranslate();
    VelPushButton *button(Button which) const { return m_buttons[which]; }

    // "MOUSE OFF" on a grey bar, until a level is shown again.
    void showMouseOff();
    // The level in the accent colour; on the cable the bar is full and without text.
    void showLevel(int level, battery::ConnectionState state);
    // Which of the battery bar and the receiver picture the connection state shows.
    void showConnection(battery::ConnectionState state);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    double m_factor = 1.0;
    battery::ConnectionState m_state = battery::kDisconnected;
    bool m_mouseOff = false;
    VelProcessbar *m_batteryBar = nullptr;
    QLabel *m_lightningLabel = nullptr;
    QLabel *m_receiverLabel = nullptr;
    VelLabel *m_versionLabel = nullptr;
    VelLabel *m_modelLabel = nullptr;
    std::array<VelPushButton *, kButtonCount> m_buttons{};
};
