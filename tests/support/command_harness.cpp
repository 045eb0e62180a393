#include "support/command_harness.h"

#include "device/command_report.h"
#include "device/link_hooks.h"
#include "storage/button_matrix.h"

#include <numeric>

Bytes framed(std::initializer_list<int> values) {
    Bytes r(report::kSize, 0);
    std::transform(values.begin(), values.end(), r.begin(), [](int v) { return static_cast<uint8_t>(v); });
    r[report::kChecksum] = report::checksum(r.data());
    return r;
}

Bytes onWire(uint8_t code, uint16_t address, uint8_t position, const Bytes &data) {
    Bytes r = framed({0x05, 0, 0xFA, code, address & 0xFF, address >> 8, int(data.size()), position});
    std::copy(data.begin(), data.end(), r.begin() + report::kData);
    return r;
}

CommandHarness::CommandHarness(bool drained) {
    devicelink::setPauseFunction([this](int ms) {
        pauses.append(ms);
        const auto records = m_mouse->records();
        if (!records.empty() && records.back().direction == VirtualMouse::Direction::Written &&
            records.back().bytes[report::kCommand] == m_failCode)
            m_mouse->failWrites(1000);
    });
    m_mouse = std::make_unique<VirtualMouse>(0x248A, 0x8373, 0x248A, 0xFB01);
    m_mouse->setDrainEnabled(drained);
    m_device = harness::openMouse(*m_mouse);
    MouseDevice::setInstance(m_device.get());
    ButtonMatrix::Table &matrix = ButtonMatrix::instance().table();
    std::iota(matrix.begin(), matrix.end(), 0);
}

CommandHarness::~CommandHarness() {
    MouseDevice::setInstance(nullptr);
    m_device.reset();
    m_mouse.reset();
    devicelink::setPauseFunction({});
}

QVector<int> CommandHarness::sections() const {
    QVector<int> out;
    for (const Bytes &r : written()) {
        if (out.isEmpty() || out.back() != r[report::kCommand])
            out << r[report::kCommand];
    }
    return out;
}
