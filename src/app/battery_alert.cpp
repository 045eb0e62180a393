#include "app/battery_alert.h"

void BatteryAlert::setNoticeLevel(int percent) {
    m_noticeLevel = percent < 0 ? 0 : percent;
    // A new notice level is not a fall of the battery: only a later fall below it is told.
    m_armed = m_lastLevel > m_noticeLevel;
}

bool BatteryAlert::reading(int level, bool charging) {
    const bool first = !m_haveReading;
    m_haveReading = true;
    m_lastLevel = level;
    if (charging || first) {
        m_armed = charging || level > m_noticeLevel;
        return false;
    }
    if (m_noticeLevel == 0)
        return false;
    if (m_armed && level <= m_noticeLevel) {
        m_armed = false;
        return true;
    }
    if (level >= m_noticeLevel + kRearmPoints)
        m_armed = true;
    return false;
}
