#pragma once

// When to tell the user that the mouse's battery runs low: once each time the level falls to the notice
// level, and again only after it rose kRearmPoints above it or charging started. A first reading (at
// start-up, after the mouse woke or came back) only sets the starting point: a mouse that is already low
// then is not announced again and again with every start or wake. Nothing is told while charging.
class BatteryAlert {
public:
    static constexpr int kRearmPoints = 5;
    static constexpr int kChoices[] = {0, 5, 10, 15, 20, 25, 30}; // 0: no notices

    // percent 0 turns the notices off.
    void setNoticeLevel(int percent);
    int noticeLevel() const { return m_noticeLevel; }

    // One battery reading; true when the user should be told now.
    bool reading(int level, bool charging);
    // The mouse went off, asleep or away: its next reading is a first one again.
    void mouseLost() { m_haveReading = false; }

private:
    int m_noticeLevel = 15;
    int m_lastLevel = -1;
    bool m_haveReading = false;
    bool m_armed = false;
};
