#pragma once

#include "device/hid/drain_source.h"

// A hidraw node opened for reading and writing: whole reports, report ID first, as hidapi reads and
// writes them. A pipe wakes a read waiting on the node when the drain stops.
class HidrawNode : public DrainSource {
public:
    // Takes fd and closes it with the node.
    explicit HidrawNode(int fd);
    ~HidrawNode() override;
    HidrawNode(const HidrawNode &) = delete;
    HidrawNode &operator=(const HidrawNode &) = delete;

    int readReport(uint8_t *data, std::size_t length) override;
    void interrupt() override;
    int writeReport(const uint8_t *data, std::size_t length) override;

private:
    int m_fd;
    int m_wake[2] = {-1, -1};
};
