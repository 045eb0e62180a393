// The virtual mouse's settings and readings for tests and the virtual tree: node paths and release
// numbers, the battery it reports, what it was sent and keeps, and the fault knobs.
#include "sim/virtual_mouse.h"

#include "device/command_report.h"

#include <QMutexLocker>

std::string VirtualMouse::path(int connection, uint8_t kind) const {
    QMutexLocker lock(&m_mutex);
    return kind == kCollectionCommand ? m_links[connection].commandPath : m_links[connection].mousePath;
}

void VirtualMouse::setPath(int connection, uint8_t kind, const std::string &path) {
    QMutexLocker lock(&m_mutex);
    (kind == kCollectionCommand ? m_links[connection].commandPath : m_links[connection].mousePath) = path;
}

void VirtualMouse::setReleaseNumber(int connection, uint16_t release) {
    QMutexLocker lock(&m_mutex);
    m_links[connection].release = release;
}

void VirtualMouse::setEventListener(EventListener listener) {
    QMutexLocker lock(&m_mutex);
    m_listener = std::move(listener);
}

void VirtualMouse::setBattery(const Battery &battery) {
    QMutexLocker lock(&m_mutex);
    m_battery = battery;
}

VirtualMouse::Battery VirtualMouse::battery() const {
    QMutexLocker lock(&m_mutex);
    return m_battery;
}

void VirtualMouse::sendStatusReport(uint8_t profile, uint8_t dpiStage, uint8_t rate, uint8_t mode) {
    QMutexLocker lock(&m_mutex);
    deliver(activeConnection(), framed(report::kCmdStatusReport, {profile, dpiStage, rate, mode}));
}

std::vector<uint8_t> VirtualMouse::memory(uint8_t code, std::size_t address, std::size_t length) const {
    QMutexLocker lock(&m_mutex);
    if (code == 0 || code >= m_memory.size() || address + length > kMemorySize)
        return {};
    const auto begin = m_memory[code].begin() + static_cast<std::ptrdiff_t>(address);
    return std::vector<uint8_t>(begin, begin + static_cast<std::ptrdiff_t>(length));
}

int VirtualMouse::closedBlocks(uint8_t code) const {
    QMutexLocker lock(&m_mutex);
    return code < m_closed.size() ? m_closed[code] : 0;
}

std::vector<uint8_t> VirtualMouse::storeCommands() const {
    QMutexLocker lock(&m_mutex);
    return m_stores;
}

std::vector<uint8_t> VirtualMouse::writeBrackets() const {
    QMutexLocker lock(&m_mutex);
    return m_brackets;
}

bool VirtualMouse::bracketOpen() const {
    QMutexLocker lock(&m_mutex);
    return !m_brackets.empty() && m_brackets.back() == 0;
}

int VirtualMouse::currentProfile() const {
    QMutexLocker lock(&m_mutex);
    return m_profile;
}

void VirtualMouse::setAsleep(bool asleep) {
    QMutexLocker lock(&m_mutex);
    m_asleep = asleep;
}

void VirtualMouse::refuseOpens(int error) {
    QMutexLocker lock(&m_mutex);
    m_refusedOpen = error;
}

void VirtualMouse::garbleEchoes(EchoFault fault, int count) {
    QMutexLocker lock(&m_mutex);
    m_echoFault = fault;
    m_garbled = count;
}

void VirtualMouse::failReads(int count) {
    QMutexLocker lock(&m_mutex);
    m_failedReads = count;
}

void VirtualMouse::failWrites(int count) {
    QMutexLocker lock(&m_mutex);
    m_failedWrites = count;
}

void VirtualMouse::unplugAfter(int count) {
    QMutexLocker lock(&m_mutex);
    m_unplugAfter = count;
}

void VirtualMouse::plugAfter(int connection, int count) {
    QMutexLocker lock(&m_mutex);
    m_plugConnection = connection;
    m_plugAfter = count;
}

void VirtualMouse::faultAt(Fault fault, int report) {
    QMutexLocker lock(&m_mutex);
    m_fault = fault;
    m_struckReport.clear();
    m_faultCountdown = fault == Fault::Unplug ? 0 : report;
    if (fault == Fault::Unplug)
        m_unplugAfter = report;
}

void VirtualMouse::setMovementStreaming(int reportsPerAnswer) {
    QMutexLocker lock(&m_mutex);
    m_movement = reportsPerAnswer;
}

std::vector<VirtualMouse::Record> VirtualMouse::records() const {
    QMutexLocker lock(&m_mutex);
    return m_records;
}

void VirtualMouse::clearRecords() {
    QMutexLocker lock(&m_mutex);
    m_records.clear();
}
