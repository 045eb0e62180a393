#pragma once

#include "device/hid/hid_backend.h"

#include <atomic>

// HidBackend over the system's hidapi (hidraw on Linux).
class HidapiBackend : public HidBackend {
public:
    int init() override;
    int exit() override;
    std::vector<HidDeviceInfo> enumerate() override;
    HidHandle *open(const std::string &path, HidReportFilter filter) override;
    void close(HidHandle *handle) override;
    int write(HidHandle *handle, const uint8_t *data, std::size_t length) override;
    int readTimeout(HidHandle *handle, uint8_t *data, std::size_t length, int timeoutMs) override;
    int lastOpenError() const override { return m_lastOpenError.load(); }

private:
    std::atomic<int> m_lastOpenError{0};
};
