#pragma once

#include "device/hid/drain_source.h"

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// Keeps one hidraw node drained while a command handle is open on it. On Linux one node carries the
// pointer's movement as well as the command collection, and the kernel keeps at most 64 unread reports per
// open node, dropping new ones once full: a pointer in use fills that in 64 ms, and an echo, battery or
// status report arriving then is lost. A thread of its own reads the node as reports come, drops every
// report whose ID is not the command report ID (0x05), and keeps the command reports in a bounded queue
// that read() serves. Writes go to the node directly. The node is a DrainSource, so that the virtual mouse
// can stand in for the kernel with its own model of the node.
class HidrawDrain {
public:
    // Command reports kept unread; when full the oldest is dropped (and counted in the debug output).
    static constexpr std::size_t kQueueLimit = 256;
    static constexpr std::size_t kMaxReportSize = 64;

    // Starts draining node, which lives as long as the drain.
    explicit HidrawDrain(std::unique_ptr<DrainSource> node);
    ~HidrawDrain();
    HidrawDrain(const HidrawDrain &) = delete;
    HidrawDrain &operator=(const HidrawDrain &) = delete;

    // Bytes written, or -1.
    int write(const uint8_t *data, std::size_t length);
    // The oldest command report kept, cut to length: its byte count. 0 when none came within timeoutMs
    // (< 0 waits without limit), data then untouched; -1 once the node has failed and nothing is kept.
    int read(uint8_t *data, std::size_t length, int timeoutMs);
    // Command reports dropped because nobody read them in time.
    uint64_t dropped() const;

private:
    void run();
    void keep(const uint8_t *report, std::size_t length);
    void fail();

    std::unique_ptr<DrainSource> m_node;
    mutable std::mutex m_mutex;
    std::condition_variable m_arrived;
    std::deque<std::vector<uint8_t>> m_queue;
    bool m_failed = false;
    uint64_t m_dropped = 0;
    std::thread m_reader;
};
