#include "macro/macro_recorder.h"

#include "keys/key_tables.h"

MacroRecorder::MacroRecorder(int minDelay, Clock clock)
    : m_minDelay(qMax(1, minDelay)), m_clock(std::move(clock)) {}

void MacroRecorder::start() {
    m_lastTime = 0;
    m_pressed.clear();
}

MacroStep MacroRecorder::eventStep(int code, bool press) {
    switch (code) {
    case kLeftButtonCode:
        return {press ? MacroStep::kMousePress : MacroStep::kMouseRelease, 0, 1};
    case kRightButtonCode:
        return {press ? MacroStep::kMousePress : MacroStep::kMouseRelease, 0, 2};
    case kMiddleButtonCode:
        return {press ? MacroStep::kMousePress : MacroStep::kMouseRelease, 0, 4};
    default:
        break;
    }
    const HidUsage usage = KeyCodeToHid(static_cast<KeyCode>(code)).value_or(0);
    return {press ? MacroStep::kKeyPress : MacroStep::kKeyRelease, 0, usage};
}

MacroStep MacroRecorder::delayStep(int milliseconds, int minDelay) {
    return MacroStep::delay(qBound(0, milliseconds / qMax(1, minDelay), kMaxDelayCount));
}

MacroRecorder::Outcome MacroRecorder::record(int code, int flags, QVector<MacroStep> &rows, int &at) {
    const bool press = flags < 2;
    if (press && m_pressed.contains(code))
        return Outcome::Ignored;
    const int limit = m_delayMode == kNoDelays ? kMaxRowsWithoutDelays : kMaxRowsWithDelays - 1;
    if (rows.size() >= limit)
        return Outcome::Full;
    at = qBound(0, at, rows.size());
    const int64_t now = m_clock();
    if (m_lastTime != 0) {
        // The pause in whole units, at least one.
        const int64_t elapsed = now - m_lastTime;
        const int64_t rounded = qMax<int64_t>(m_minDelay, elapsed / m_minDelay * m_minDelay);
        const int milliseconds =
            static_cast<int>(qMin<int64_t>(rounded, int64_t(kMaxDelayCount) * m_minDelay));
        if (m_delayMode == kRecordedDelays)
            rows.insert(at++, delayStep(milliseconds, m_minDelay));
        else if (m_delayMode == kDefaultDelays)
            rows.insert(at++, delayStep(m_defaultDelay, m_minDelay));
    }
    rows.insert(at++, eventStep(code, press));
    if (press)
        m_pressed.append(code);
    else
        m_pressed.removeAll(code);
    // A clock that starts at 0 must not read as "no event yet".
    m_lastTime = qMax<int64_t>(now, 1);
    return Outcome::Recorded;
}
