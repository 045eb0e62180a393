#include "support/input_bytes.h"

#include <algorithm>

uint8_t InputBytes::byte() {
    return empty() ? 0 : m_data[m_pos++];
}

uint16_t InputBytes::word() {
    const uint16_t low = byte();
    return static_cast<uint16_t>(low | byte() << 8);
}

std::vector<uint8_t> InputBytes::take(std::size_t count) {
    const std::size_t n = std::min(count, m_size - std::min(m_pos, m_size));
    std::vector<uint8_t> out(m_data + m_pos, m_data + m_pos + n);
    m_pos += n;
    return out;
}

QByteArray InputBytes::rest() {
    const std::vector<uint8_t> bytes = take(m_size);
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), static_cast<int>(bytes.size()));
}

QByteArray InputBytes::iniOver(const QByteArray &base) {
    const bool over = byte() & 1;
    const QByteArray input = rest();
    return over ? base + "\n" + input : input;
}
