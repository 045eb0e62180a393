#include "device/hid/hidraw_node.h"

#include <cerrno>
#include <fcntl.h>
#include <initializer_list>
#include <poll.h>
#include <unistd.h>

HidrawNode::HidrawNode(int fd) : m_fd(fd) {
    if (::pipe2(m_wake, O_CLOEXEC) != 0)
        m_wake[0] = m_wake[1] = -1;
}

HidrawNode::~HidrawNode() {
    for (int fd : {m_wake[0], m_wake[1], m_fd}) {
        if (fd >= 0)
            ::close(fd);
    }
}

int HidrawNode::readReport(uint8_t *data, std::size_t length) {
    // Without its wake-up pipe the node could not be left waiting: it is treated as failed.
    if (m_wake[0] < 0)
        return -1;
    for (;;) {
        pollfd fds[2] = {{m_fd, POLLIN, 0}, {m_wake[0], POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            return -1;
        }
        if (fds[1].revents != 0)
            return 0;
        // Reports still waiting are taken before a hang-up is believed.
        if (fds[0].revents & POLLIN) {
            const ssize_t n = ::read(m_fd, data, length);
            if (n < 0 && (errno == EINTR || errno == EAGAIN))
                continue;
            return n > 0 ? static_cast<int>(n) : -1; // 0: the node went away
        }
        if (fds[0].revents & (POLLERR | POLLHUP | POLLNVAL))
            return -1;
    }
}

void HidrawNode::interrupt() {
    if (m_wake[1] < 0)
        return;
    const char stop = 1;
    while (::write(m_wake[1], &stop, 1) < 0 && errno == EINTR) {
    }
}

int HidrawNode::writeReport(const uint8_t *data, std::size_t length) {
    ssize_t written;
    do {
        written = ::write(m_fd, data, length);
    } while (written < 0 && errno == EINTR);
    return written < 0 ? -1 : static_cast<int>(written);
}
