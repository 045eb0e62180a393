#pragma once

#include "device/hid/hid_device_info.h"
#include "device/hid/hid_handle.h"
#include "device/hid/hid_node_status.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Which input reports a handle delivers. A command handle sees only the vendor reports (report ID
// 0x05): on Linux one hidraw node may also carry the pointer's movement reports, which must not use
// up the transaction's rereads.
enum class HidReportFilter { AllReports, CommandReports };

// The HID access the device link needs, with hidapi's conventions: negative = error, reads return the
// byte count or 0 when nothing arrived within the time-out. Implemented by hidapi and by the virtual mouse.
class HidBackend {
public:
    virtual ~HidBackend() = default;

    // 0 on success.
    virtual int init() = 0;
    virtual int exit() = 0;
    // Every HID interface of the system, all vendors.
    virtual std::vector<HidDeviceInfo> enumerate() = 0;
    // Null when the interface cannot be opened; lastOpenError() then says why.
    virtual HidHandle *open(const std::string &path, HidReportFilter filter) = 0;
    virtual void close(HidHandle *handle) = 0;
    virtual int write(HidHandle *handle, const uint8_t *data, std::size_t length) = 0;
    // timeoutMs < 0 waits without limit.
    virtual int readTimeout(HidHandle *handle, uint8_t *data, std::size_t length, int timeoutMs) = 0;
    // Release number of the interface at path, taken from the enumeration; 0 when it is absent.
    virtual uint16_t releaseNumber(const std::string &path);
    // errno of the last open that failed (EACCES or EPERM: this user may not open the node); 0 when the
    // reason is unknown.
    virtual int lastOpenError() const { return 0; }
    // Owner, group and mode of the node at path; by default the system's (stat).
    virtual HidNodeStatus nodeStatus(const std::string &path) const;
};
