#include "device/hid/hidapi_backend.h"

#include "device/hid/command_report_reader.h"
#include "device/hid/hidraw_drain.h"
#include "device/hid/hidraw_node.h"

#include <QElapsedTimer>
#include <cerrno>
#include <fcntl.h>
#include <hidapi.h>
#include <memory>
#include <unistd.h>

namespace {

// A handle of hidapi, or on Linux a command handle on a drained hidraw node (then m_device is null).
class HidapiHandle : public HidHandle {
public:
    HidapiHandle(hid_device *device, HidReportFilter filter) : m_device(device), m_filter(filter) {}
    explicit HidapiHandle(int hidrawFd)
        : m_device(nullptr), m_filter(HidReportFilter::CommandReports),
          m_drain(std::make_unique<HidrawDrain>(std::make_unique<HidrawNode>(hidrawFd))) {}
    hid_device *m_device;
    HidReportFilter m_filter;
    std::unique_ptr<HidrawDrain> m_drain;
};

HidapiHandle *cast(HidHandle *handle) {
    return static_cast<HidapiHandle *>(handle);
}

// hidapi's paths on Linux are the hidraw nodes themselves.
bool isHidrawNode(const std::string &path) {
    return path.rfind("/dev/hidraw", 0) == 0;
}

} // namespace

int HidapiBackend::init() {
    return hid_init();
}

int HidapiBackend::exit() {
    return hid_exit();
}

std::vector<HidDeviceInfo> HidapiBackend::enumerate() {
    std::vector<HidDeviceInfo> out;
    hid_device_info *list = hid_enumerate(0, 0);
    for (const hid_device_info *d = list; d; d = d->next) {
        HidDeviceInfo info;
        info.path = d->path ? d->path : "";
        info.vendorId = d->vendor_id;
        info.productId = d->product_id;
        if (d->serial_number)
            info.serialNumber = QString::fromWCharArray(d->serial_number);
        info.releaseNumber = d->release_number;
        info.usagePage = d->usage_page;
        info.usage = d->usage;
        out.push_back(std::move(info));
    }
    hid_free_enumeration(list);
    return out;
}

HidHandle *HidapiBackend::open(const std::string &path, HidReportFilter filter) {
    // A command handle reads its node through a drain, so that pointer movement cannot crowd echoes,
    // battery and status reports out of the kernel's queue; hidapi itself would read it only on demand.
    // The node is written and read just as hidapi does it: whole reports, report ID first.
    if (filter == HidReportFilter::CommandReports && isHidrawNode(path)) {
        const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
        if (fd < 0) {
            m_lastOpenError.store(errno);
            return nullptr;
        }
        return new HidapiHandle(fd);
    }
    hid_device *device = hid_open_path(path.c_str());
    if (device)
        return new HidapiHandle(device, filter);
    // hidapi keeps the reason to itself (and its text differs between versions): opening the node again
    // as hidapi does gives the errno that tells a refused user from a node that went away.
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    m_lastOpenError.store(fd < 0 ? errno : 0);
    if (fd >= 0)
        ::close(fd);
    return nullptr;
}

void HidapiBackend::close(HidHandle *handle) {
    if (!handle)
        return;
    if (cast(handle)->m_device)
        hid_close(cast(handle)->m_device);
    delete handle;
}

int HidapiBackend::write(HidHandle *handle, const uint8_t *data, std::size_t length) {
    if (!handle)
        return -1;
    if (HidrawDrain *drain = cast(handle)->m_drain.get())
        return drain->write(data, length);
    return hid_write(cast(handle)->m_device, data, length);
}

int HidapiBackend::readTimeout(HidHandle *handle, uint8_t *data, std::size_t length, int timeoutMs) {
    if (!handle)
        return -1;
    if (HidrawDrain *drain = cast(handle)->m_drain.get())
        return drain->read(data, length, timeoutMs);
    hid_device *device = cast(handle)->m_device;
    if (cast(handle)->m_filter == HidReportFilter::AllReports)
        return hid_read_timeout(device, data, length, timeoutMs);
    QElapsedTimer clock;
    clock.start();
    return readCommandReport([device](uint8_t *buffer, std::size_t size,
                                      int ms) { return hid_read_timeout(device, buffer, size, ms); },
                             data, length, timeoutMs, [&clock]() { return clock.elapsed(); });
}
