#pragma once

#include "support/link_harness.h"

#include <QStringList>
#include <QVector>
#include <initializer_list>

using harness::Bytes;
using Reports = std::vector<Bytes>;

// A report written out by hand from byte 0, the checksum left 0 and filled in here.
Bytes framed(std::initializer_list<int> values);
// A report as it reaches the mouse: code, address (low byte first), length, position, data, checksum.
Bytes onWire(uint8_t code, uint16_t address, uint8_t position = 0, const Bytes &data = {});
// Reports as hex lines, so a mismatch shows which report and byte differ.
template <typename Report> QStringList hexLines(const std::vector<Report> &reports) {
    QStringList lines;
    for (const Report &r : reports)
        lines << QByteArray(reinterpret_cast<const char *>(r.data()), static_cast<int>(r.size())).toHex(' ');
    return lines;
}

// A virtual mouse opened through the mouse device as the program's mouse, with the identity button matrix;
// drained, as the program's backend keeps command handles. Every report written is followed by one pause,
// recorded in pauses.
class CommandHarness {
public:
    explicit CommandHarness(bool drained = true);
    ~CommandHarness();
    bool isOpen() const { return m_device->commandHandle() != nullptr; }
    VirtualMouse &mouse() { return *m_mouse; }
    MouseDevice &device() { return *m_device; }
    Reports written() const { return harness::records(*m_mouse, VirtualMouse::Direction::Written); }
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
