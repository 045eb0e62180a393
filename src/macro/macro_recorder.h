#pragma once

#include "storage/macro_step.h"

#include <QVector>
#include <cstdint>
#include <functional>

// Turns the keys and mouse buttons captured while the macro page records into rows of the action list:
// one row per press or release, with the pause before it as a delay row when delays are recorded.
//
// Events are key codes with the capture's flags (below 2 a press, else a release); the mouse buttons
// come as codes 240 (left), 241 (right) and 242 (middle). Times come from the clock, in milliseconds.
class MacroRecorder {
public:
    enum DelayMode : uint8_t {
        kNoDelays = 0,       // only the events
        kRecordedDelays = 1, // the measured pause before each event
        kDefaultDelays = 2,  // the default delay before each event
    };
    enum class Outcome {
        Recorded, // the event (and its delay) went into the list
        Ignored,  // a held key repeating its press
        Full,     // the list is full: recording ends and the event is dropped
    };
    static constexpr int kLeftButtonCode = 240;
    static constexpr int kRightButtonCode = 241;
    static constexpr int kMiddleButtonCode = 242;
    // The most rows a recording keeps: with delays, and when only the events are recorded.
    static constexpr int kMaxRowsWithDelays = 63;
    static constexpr int kMaxRowsWithoutDelays = 40;
    // The longest delay a row can hold, in delay units.
    static constexpr int kMaxDelayCount = 0xFFFF;

    using Clock = std::function<int64_t()>;
    // minDelay: the delay unit of the model in milliseconds; clock: the time now in milliseconds.
    MacroRecorder(int minDelay, Clock clock);

    // A new recording: the next event has no delay before it and no key counts as held.
    void start();
    void setDelayMode(int mode) { m_delayMode = mode; }
    int delayMode() const { return m_delayMode; }
    // The default delay in milliseconds (the page's field).
    void setDefaultDelay(int milliseconds) { m_defaultDelay = milliseconds; }
    int defaultDelay() const { return m_defaultDelay; }
    int minDelay() const { return m_minDelay; }

    // Records one event into rows at row `at`, which moves past what was inserted.
    Outcome record(int code, int flags, QVector<MacroStep> &rows, int &at);

    // The row of a captured event: a mouse button or key press or release.
    static MacroStep eventStep(int code, bool press);
    // The delay row of milliseconds in units of minDelay, at most kMaxDelayCount units.
    static MacroStep delayStep(int milliseconds, int minDelay);

private:
    int m_minDelay;
    Clock m_clock;
    int m_delayMode = kNoDelays;
    int m_defaultDelay = 10;
    int64_t m_lastTime = 0; // 0: no event yet
    QVector<int> m_pressed;
};
