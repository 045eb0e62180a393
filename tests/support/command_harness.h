#pragma once

#include "device/mouse_device.h"
#include "sim/virtual_mouse.h"
#include "storage/button_assignment.h"
#include "storage/macro_step.h"

#include <QStringList>
#include <QVector>
#include <initializer_list>
#include <memory>
#include <vector>

using Bytes = std::vector<uint8_t>;
using Reports = std::vector<Bytes>;

// A report written out by hand from byte 0, the checksum left 0 and filled in here.
Bytes framed(std::initializer_list<int> values);
// A report as it reaches the mouse: code, address (low byte first), length, position, data, checksum.
Bytes onWire(uint8_t code, uint16_t address, uint8_t position, const Bytes &data);
Bytes operator+(Bytes a, const Bytes &b);
// Reports as hex lines, so a mismatch shows which report and byte differ.
QStringList hexLines(const Reports &reports);

// Button record r of the device copy, and the buttons the tests put there.
ButtonAssignment &record(int r);
ButtonAssignment withFunction(int function);
ButtonAssignment macroButton(const QString &name, uint8_t mode, int loops, int function = 200);
// A combo as the combo dialog leaves it: presses of the usages in order, then releases in reverse.
ButtonAssignment combo(std::initializer_list<uint8_t> usages);
MacroStep ev(uint8_t kind, uint8_t low, uint8_t high = 0);
// The pause the macro image puts after every fourth event and at the end.
extern const MacroStep kPause;
// Empty device state, the identity button matrix.
void resetButtonState();

// A virtual mouse opened through the mouse device as the program's mouse, with an empty device state.
// Every report written is followed by one pause, recorded in pauses.
class CommandHarness {
public:
    CommandHarness();
    ~CommandHarness();
    bool isOpen() const;
    VirtualMouse &mouse() { return *m_mouse; }
    Reports written() const;
    // Command codes of the written reports, each run of one code counted once.
    QVector<int> sections() const;
    // Once the first report with this command code has been written, every later write fails.
    void failAfterFirst(int code) { m_failCode = code; }

    QVector<int> pauses;

private:
    std::unique_ptr<VirtualMouse> m_mouse;
    std::unique_ptr<MouseDevice> m_device;
    int m_failCode = -1;
};
