#pragma once

#include <cstddef>
#include <cstdint>

// Where a HidrawDrain takes its reports from: a hidraw node, or the virtual mouse's model of one.
class DrainSource {
public:
    virtual ~DrainSource() = default;
    // Blocks until a report arrives (its byte count), the source fails (-1), or interrupt() has been called
    // (0, now and from then on).
    virtual int readReport(uint8_t *data, std::size_t length) = 0;
    // Ends a readReport() in progress; may be called from any thread.
    virtual void interrupt() = 0;
    // Bytes written, or -1.
    virtual int writeReport(const uint8_t *data, std::size_t length) = 0;
};
