#pragma once

#include "device/battery_status.h"

#include <QPixmap>
#include <QWidget>
#include <array>

class ConnectionMonitor;
class QLabel;
class VelLabel;
class VelProcessbar;
class VelPushButton;

// The bottom row of the main window: the battery picture and bar, the receiver picture, the version and
// model, and the buttons that act on the whole configuration (reset all, load, save, OK, Cancel, Apply).
// It shows the battery and connection the monitor it follows reports; its buttons are connected by the
// window to what they do.
class StatusRow : public QWidget {
    Q_OBJECT
public:
    enum Button { kResetAll, kLoad, kSave, kOk, kCancel, kApply, kButtonCount };

    explicit StatusRow(QWidget *parent = nullptr);

    void setScale(double factor);
    void retranslate();
    VelPushButton *button(Button which) const { return m_buttons[which]; }

    // Shows what the monitor reports from now on, starting with what it knows.
    void follow(const ConnectionMonitor &monitor);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void showBattery();
    // "MOUSE OFF" on a grey bar.
    void showMouseOff();
    // The level in the accent colour; on the cable the bar is full and without text.
    void showLevel(int level, battery::ConnectionState state);
    // Which of the battery bar and the receiver picture the connection state shows.
    void showConnection(battery::ConnectionState state);

    const ConnectionMonitor *m_monitor = nullptr;
    double m_factor = 1.0;
    battery::ConnectionState m_state = battery::kDisconnected;
    VelProcessbar *m_batteryBar = nullptr;
    QLabel *m_lightningLabel = nullptr;
    QLabel *m_receiverLabel = nullptr;
    VelLabel *m_versionLabel = nullptr;
    VelLabel *m_modelLabel = nullptr;
    std::array<VelPushButton *, kButtonCount> m_buttons{};
};
