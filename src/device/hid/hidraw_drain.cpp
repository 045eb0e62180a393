#include "device/hid/hidraw_drain.h"

#include "device/command_report.h"

#include <QDebug>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

HidrawDrain::HidrawDrain(int fd) : m_fd(fd) {
    if (::pipe2(m_wake, O_CLOEXEC) != 0) {
        // Without a way to wake the reader it is not started: reads then report the node as failed.
        m_wake[0] = m_wake[1] = -1;
        m_failed = true;
        return;
    }
    m_reader = std::thread(&HidrawDrain::run, this);
}

HidrawDrain::~HidrawDrain() {
    if (m_reader.joinable()) {
        const char stop = 1;
        while (::write(m_wake[1], &stop, 1) < 0 && errno == EINTR) {
        }
        m_reader.join();
    }
    for (int fd : {m_wake[0], m_wake[1], m_fd}) {
        if (fd >= 0)
            ::close(fd);
    }
}

int HidrawDrain::write(const uint8_t *data, std::size_t length) {
    ssize_t written;
    do {
        written = ::write(m_fd, data, length);
    } while (written < 0 && errno == EINTR);
    return written < 0 ? -1 : static_cast<int>(written);
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
        pollfd fds[2] = {{m_fd, POLLIN, 0}, {m_wake[0], POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            fail();
            return;
        }
        if (fds[1].revents != 0)
            return;
        // Reports still waiting are taken before a hang-up is believed.
        if (fds[0].revents & POLLIN) {
            const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
            if (n < 0 && (errno == EINTR || errno == EAGAIN))
                continue;
            if (n <= 0) {
                fail(); // the node went away
                return;
            }
            if (buffer[report::kReportId] == report::kReportIdValue)
                keep(buffer, static_cast<std::size_t>(n));
        } else if (fds[0].revents & (POLLERR | POLLHUP | POLLNVAL)) {
            fail();
            return;
        }
    }
}

void HidrawDrain::keep(const uint8_t *report, std::size_t length) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_queue.size() >= kQueueLimit) {
            m_queue.pop_front();
            ++m_dropped;
            qDebug("hidraw drain: %llu command reports dropped unread",
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
