#pragma once

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <vector>

// The fuzz input, taken from the front: bytes for choices, then runs of bytes, then the rest. A spent
// input gives zeros and empty runs, so every input is a complete script.
class InputBytes {
public:
    InputBytes(const uint8_t *data, std::size_t size) : m_data(data), m_size(size) {}

    bool empty() const { return m_pos >= m_size; }
    uint8_t byte();
    uint16_t word();
    // Up to count bytes; fewer when the input ends first.
    std::vector<uint8_t> take(std::size_t count);
    QByteArray rest();

    // A settings file: when the first byte is odd, base followed by the rest of the input, whose keys
    // replace the base's (so that a file that is whole but for the input's changes is reached); when it
    // is even, the rest of the input alone.
    QByteArray iniOver(const QByteArray &base);

private:
    const uint8_t *m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};
