#include "device/hid/hidraw_drain.h"

#include "device/command_report.h"
#include "device/device_log.h"

#include <algorithm>
#include <chrono>
#include <cstring>

HidrawDrain::HidrawDrain(std::unique_ptr<DrainSource> node)
    : m_node(std::move(node)), m_reader(&HidrawDrain::run, this) {}

HidrawDrain::~HidrawDrain() {
    m_node->interrupt();
    m_reader.join();
}

int HidrawDrain::write(const uint8_t *data, std::size_t length) {
    return m_node->writeReport(data, length);
}

int HidrawDrain::read(uint8_t *data, std::size_t length, int timeoutMs) {
    std::unique_lock<std::mutex> lock(m_mutex);
    const auto ready = [this] { return !m_queue.empty() || m_failed; };
    if (timeoutMs < 0)
        m_arrived.wait(lock, ready);
    else
        m_arrived.wait_for(lock, std::chrono::milliseconds(timeoutMs), ready);
    if (m_queue.empty())
        return m_failed ? -1 : 0;
    const std::vector<uint8_t> report = std::move(m_queue.front());
    m_queue.pop_front();
    const std::size_t n = std::min(length, report.size());
    std::memcpy(data, report.data(), n);
    return static_cast<int>(n);
}

uint64_t HidrawDrain::dropped() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_dropped;
}

void HidrawDrain::run() {
    uint8_t buffer[kMaxReportSize];
    for (;;) {
        const int n = m_node->readReport(buffer, sizeof buffer);
        if (n == 0)
            return; // stopped
        if (n < 0) {
            fail(); // the node went away
            return;
        }
        if (buffer[report::kReportId] == report::kReportIdValue)
            keep(buffer, static_cast<std::size_t>(n));
    }
}

void HidrawDrain::keep(const uint8_t *report, std::size_t length) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_queue.size() >= kQueueLimit) {
            m_queue.pop_front();
            ++m_dropped;
            qCDebug(lcDevice, "hidraw drain: %llu command reports dropped unread",
                    static_cast<unsigned long long>(m_dropped));
        }
        m_queue.emplace_back(report, report + length);
    }
    m_arrived.notify_all();
}

void HidrawDrain::fail() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_failed = true;
    }
    m_arrived.notify_all();
}
