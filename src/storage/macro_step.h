#pragma once

#include <cstdint>

// One step of a macro: (type, high, low), the same triple a button key entry holds.
struct MacroStep {
    static constexpr uint8_t kMousePress = 0x81;   // low: button bit
    static constexpr uint8_t kMouseRelease = 0x01; // low: button bit
    static constexpr uint8_t kKeyPress = 0x84;     // low: HID usage
    static constexpr uint8_t kKeyRelease = 0x04;   // low: HID usage
    static constexpr uint8_t kMove = 0x02;         // high: Y, low: X, signed bytes
    static constexpr uint8_t kDelay = 0x06;        // high:low = count of delay units
    static constexpr uint8_t kPressBit = 0x80;
    static constexpr int kMaxMove = 120;

    uint8_t type = 0;
    uint8_t high = 0;
    uint8_t low = 0;

    bool isPress() const { return type & kPressBit; }
    bool isMouseButton() const { return type == kMousePress || type == kMouseRelease; }
    bool isKey() const { return type == kKeyPress || type == kKeyRelease; }
    bool isMove() const { return type == kMove; }
    bool isDelay() const { return type == kDelay; }

    // Cursor move in device units: negative X is left, negative Y is up.
    int moveX() const { return signedMove(low); }
    int moveY() const { return signedMove(high); }
    int delayCount() const { return (high << 8) | low; }
    // unitMs: the delay unit of the model, in milliseconds.
    int delayMilliseconds(int unitMs) const { return delayCount() * unitMs; }

    static MacroStep move(int dx, int dy) {
        return {kMove, static_cast<uint8_t>(dy & 0xFF), static_cast<uint8_t>(dx & 0xFF)};
    }
    static MacroStep delay(int count) {
        return {kDelay, static_cast<uint8_t>((count >> 8) & 0xFF), static_cast<uint8_t>(count & 0xFF)};
    }

    bool operator==(const MacroStep &other) const {
        return type == other.type && high == other.high && low == other.low;
    }
    bool operator!=(const MacroStep &other) const { return !(*this == other); }

private:
    // Bytes 1..120 are positive, 121..255 negative with magnitude 256 - value.
    static int signedMove(uint8_t value) { return value <= kMaxMove ? value : value - 256; }
};
