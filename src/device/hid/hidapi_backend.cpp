#include "device/hid/hidapi_backend.h"

#include "device/hid/command_report_reader.h"

#include <QElapsedTimer>
#include <hidapi.h>

namespace {

class HidapiHandle : public HidHandle {
public:
    HidapiHandle(hid_device *device, HidReportFilter filter) : m_device(device), m_filter(filter) {}
    hid_device *m_device;
    HidReportFilter m_filter;
};

HidapiHandle *cast(HidHandle *handle) {
    return static_cast<HidapiHandle *>(handle);
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
    hid_device *device = hid_open_path(path.c_str());
    if (!device)
        return nullptr;
    return new HidapiHandle(device, filter);
}

void HidapiBackend::close(HidHandle *handle) {
    if (!handle)
        return;
    hid_close(cast(handle)->m_device);
    delete handle;
}

int HidapiBackend::write(HidHandle *handle, const uint8_t *data, std::size_t length) {
    if (!handle)
        return -1;
    return hid_write(cast(handle)->m_device, data, length);
}

int HidapiBackend::readTimeout(HidHandle *handle, uint8_t *data, std::size_t length, int timeoutMs) {
    if (!handle)
        return -1;
    hid_device *device = cast(handle)->m_device;
    if (cast(handle)->m_filter == HidReportFilter::AllReports)
        return hid_read_timeout(device, data, length, timeoutMs);
    QElapsedTimer clock;
    clock.start();
    return readCommandReport([device](uint8_t *buffer, std::size_t size,
                                      int ms) { return hid_read_timeout(device, buffer, size, ms); },
                             data, length, timeoutMs, [&clock]() { return clock.elapsed(); });
}
