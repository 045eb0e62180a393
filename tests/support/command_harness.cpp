#include "support/command_harness.h"

#include "device/command_report.h"
#include "device/device_state.h"
#include "device/link_hooks.h"
#include "storage/button_matrix.h"

#include <QByteArray>
#include <cstring>

Bytes framed(std::initializer_list<int> values) {
    Bytes r(report::kSize, 0);
    std::size_t i = 0;
    for (int v : values)
        r[i++] = static_cast<uint8_t>(v);
    r[report::kChecksum] = report::checksum(r.data());
    return r;
}

Bytes onWire(uint8_t code, uint16_t address, uint8_t position, const Bytes &data) {
    Bytes r = framed({0x05, 0, 0xFA, code, address & 0xFF, address >> 8, int(data.size()), position});
    std::copy(data.begin(), data.end(), r.begin() + report::kData);
    r[report::kChecksum] = report::checksum(r.data());
    return r;
}

Bytes operator+(Bytes a, const Bytes &b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

QStringList hexLines(const Reports &reports) {
    QStringList lines;
    for (const Bytes &r : reports)
        lines << QByteArray(reinterpret_cast<const char *>(r.data()), static_cast<int>(r.size())).toHex(' ');
    return lines;
}

ButtonAssignment &record(int r) {
    return DeviceState::instance().deviceCopy().profile.buttons[static_cast<std::size_t>(r)];
}

ButtonAssignment withFunction(int function) {
    ButtonAssignment b;
    b.function = function;
    return b;
}

ButtonAssignment macroButton(const QString &name, uint8_t mode, int loops, int function) {
    ButtonAssignment b = withFunction(function);
    b.macroName = name;
    b.res1 = mode;
    b.loopNumber = loops;
    return b;
}

ButtonAssignment combo(std::initializer_list<uint8_t> usages) {
    ButtonAssignment b = withFunction(7);
    const std::vector<uint8_t> keys(usages);
    std::size_t n = 0;
    for (uint8_t u : keys)
        b.keys[n++] = {u, 0x05, 0x80};
    for (auto it = keys.rbegin(); it != keys.rend(); ++it)
        b.keys[n++] = {*it, 0x05, 0x00};
    return b;
}

MacroStep ev(uint8_t kind, uint8_t low, uint8_t high) {
    return {kind, high, low};
}

const MacroStep kPause = ev(6, 1, 0);

void resetButtonState() {
    DeviceState::instance().reset();
    ButtonMatrix::Table &matrix = ButtonMatrix::instance().table();
    for (int i = 0; i < ButtonMatrix::kSize; ++i)
        matrix[static_cast<std::size_t>(i)] = static_cast<uint8_t>(i);
}

CommandHarness::CommandHarness() {
    devicelink::setPauseFunction([this](int ms) {
        pauses.append(ms);
        const auto records = m_mouse->records();
        if (!records.empty() && records.back().direction == VirtualMouse::Direction::Written &&
            records.back().bytes[report::kCommand] == m_failCode)
            m_mouse->failWrites(1000);
    });
    m_mouse = std::make_unique<VirtualMouse>(0x248A, 0x8373, 0x248A, 0xFB01);
    m_device = std::make_unique<MouseDevice>(*m_mouse);
    DeviceEntry &entry = m_device->table().entries[0];
    entry.vendorId = {0x248A, 0x248A};
    entry.productId = {0x8373, 0xFB01};
    entry.criteria = {{{2, 1}, {0, 1}, {2, 1}, {0, 1}}};
    std::strcpy(entry.name.data(), "Mouse");
    m_device->table().count = 1;
    m_device->enumerateDevices();
    m_device->openByName("Mouse");
    MouseDevice::setInstance(m_device.get());
    resetButtonState();
}

CommandHarness::~CommandHarness() {
    MouseDevice::setInstance(nullptr);
    m_device.reset();
    m_mouse.reset();
    devicelink::setPauseFunction({});
    DeviceState::instance().reset();
}

bool CommandHarness::isOpen() const {
    return m_device->commandHandle() != nullptr;
}

Reports CommandHarness::written() const {
    Reports out;
    for (const auto &r : m_mouse->records()) {
        if (r.direction == VirtualMouse::Direction::Written)
            out.push_back(r.bytes);
    }
    return out;
}

QVector<int> CommandHarness::sections() const {
    QVector<int> out;
    for (const Bytes &r : written()) {
        if (out.isEmpty() || out.back() != r[report::kCommand])
            out << r[report::kCommand];
    }
    return out;
}
