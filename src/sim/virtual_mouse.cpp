#include "sim/virtual_mouse.h"

#include "device/command_report.h"
#include "device/hid/command_report_reader.h"
#include "device/hid/hidraw_drain.h"

#include <QMutexLocker>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

namespace {

constexpr uint16_t kReceiverRelease = 0x0100;
constexpr uint16_t kCableRelease = 0x0213;

// A pointer report as the mouse collection sends it while the mouse moves: report ID 1, buttons,
// then X and Y steps.
const std::vector<uint8_t> kMovementReport = {0x01, 0x00, 0x01, 0x00, 0xFF, 0x00, 0x00, 0x00};

std::string linuxPath(int connection, const char *what) {
    return std::string("/dev/hidraw-virtual-") + (connection == 0 ? "receiver" : "cable") + what;
}

std::string windowsPath(uint16_t vid, uint16_t pid, const char *collection) {
    return QString::asprintf("\\\\?\\hid#vid_%04x&pid_%04x&mi_00&%s#7&2b1f0c3d&0&0000#"
                             "{4d1e55b2-f16f-11cf-88cb-001111000030}",
                             vid, pid, collection)
        .toStdString();
}

} // namespace

struct VirtualMouse::Handle : public HidHandle {
    int connection = 0;
    uint8_t kinds = kCollectionNone;
    HidReportFilter filter = HidReportFilter::AllReports;
    bool open = true;
    bool dead = false;        // its connection was unplugged while it was open
    bool interrupted = false; // its drain is stopping
    std::deque<std::vector<uint8_t>> queue;
    // A command handle on a shared node reads through a drain, as the program's hidraw backend does.
    std::shared_ptr<HidrawDrain> drain;

    // One node carries both collections: a Linux hidraw node, with the kernel's queue limit.
    bool onSharedNode() const { return kinds == (kCollectionMouse | kCollectionCommand); }
};

// The handle's node as the drain sees it: its reports as the kernel queued them, waiting as a read of the
// node does, failing once the connection is unplugged.
class VirtualMouse::Node : public DrainSource {
public:
    Node(VirtualMouse &mouse, Handle &handle) : m_mouse(mouse), m_handle(handle) {}

    int readReport(uint8_t *data, std::size_t length) override {
        QMutexLocker lock(&m_mouse.m_mutex);
        for (;;) {
            if (m_handle.interrupted)
                return 0;
            if (!m_handle.queue.empty()) {
                const std::vector<uint8_t> next = std::move(m_handle.queue.front());
                m_handle.queue.pop_front();
                const std::size_t n = std::min(length, next.size());
                std::memcpy(data, next.data(), n);
                return static_cast<int>(n);
            }
            if (m_handle.dead)
                return -1;
            m_mouse.m_queued.wait(&m_mouse.m_mutex);
        }
    }

    void interrupt() override {
        QMutexLocker lock(&m_mouse.m_mutex);
        m_handle.interrupted = true;
        m_mouse.m_queued.wakeAll();
    }

    // The mouse takes writes through VirtualMouse::write itself.
    int writeReport(const uint8_t *, std::size_t) override { return -1; }

private:
    VirtualMouse &m_mouse;
    Handle &m_handle;
};

VirtualMouse::VirtualMouse(uint16_t receiverVid, uint16_t receiverPid, uint16_t cableVid, uint16_t cablePid,
                           PathStyle style) {
    const uint16_t vids[] = {receiverVid, cableVid};
    const uint16_t pids[] = {receiverPid, cablePid};
    for (int c = 0; c < 2; ++c) {
        Link &link = m_links[c];
        link.vendorId = vids[c];
        link.productId = pids[c];
        link.release = c == 0 ? kReceiverRelease : kCableRelease;
        if (style == PathStyle::Linux) {
            link.mousePath = link.commandPath = linuxPath(c, "");
            link.keyboardPath = linuxPath(c, "-keyboard");
        } else {
            link.mousePath = windowsPath(vids[c], pids[c], "col01");
            link.commandPath = windowsPath(vids[c], pids[c], "col04");
            link.keyboardPath = windowsPath(vids[c], pids[c], "col02");
        }
    }
    for (auto &m : m_memory)
        m.assign(kMemorySize, 0);
}

VirtualMouse::~VirtualMouse() {
    streamMovement(0);
    std::vector<std::shared_ptr<HidrawDrain>> drains;
    {
        QMutexLocker lock(&m_mutex);
        for (const auto &h : m_handles)
            drains.push_back(std::move(h->drain));
    }
    // Each drain stops its reader, which needs the mutex: they end outside it.
    drains.clear();
}

int VirtualMouse::init() {
    return 0;
}

int VirtualMouse::exit() {
    return 0;
}

std::vector<HidDeviceInfo> VirtualMouse::enumerate() {
    QMutexLocker lock(&m_mutex);
    std::vector<HidDeviceInfo> out;
    for (const Link &link : m_links) {
        if (!link.plugged)
            continue;
        const std::pair<const std::string *, uint16_t> collections[] = {
            {&link.mousePath, hidusage::kMouse},
            {&link.keyboardPath, kKeyboardUsage},
            {&link.commandPath, hidusage::kCommand}};
        for (const auto &[path, usage] : collections) {
            HidDeviceInfo info;
            info.path = *path;
            info.vendorId = link.vendorId;
            info.productId = link.productId;
            info.releaseNumber = link.release;
            info.usagePage = hidusage::kGenericDesktop;
            info.usage = usage;
            out.push_back(info);
        }
    }
    return out;
}

HidHandle *VirtualMouse::open(const std::string &path, HidReportFilter filter) {
    QMutexLocker lock(&m_mutex);
    for (int c = 0; c < 2 && m_refusedOpen == 0; ++c) {
        const Link &link = m_links[c];
        uint8_t kinds = kCollectionNone;
        if (path == link.mousePath)
            kinds |= kCollectionMouse;
        if (path == link.commandPath)
            kinds |= kCollectionCommand;
        if (kinds == kCollectionNone || !link.plugged)
            continue;
        auto handle = std::make_unique<Handle>();
        handle->connection = c;
        handle->kinds = kinds;
        handle->filter = filter;
        if (filter == HidReportFilter::CommandReports && handle->onSharedNode() && m_drainEnabled)
            handle->drain = std::make_shared<HidrawDrain>(std::make_unique<Node>(*this, *handle));
        m_handles.push_back(std::move(handle));
        return m_handles.back().get();
    }
    // A node that is not there, as the kernel says for an unplugged device.
    m_lastOpenError = m_refusedOpen != 0 ? m_refusedOpen : ENOENT;
    return nullptr;
}

// Handles stay allocated until the mouse goes away, so a handle closed under a running transaction
// fails its calls instead of pointing at freed memory.
void VirtualMouse::close(HidHandle *handle) {
    std::shared_ptr<HidrawDrain> drain;
    {
        QMutexLocker lock(&m_mutex);
        if (Handle *h = liveForUse(handle)) {
            h->open = false;
            h->queue.clear();
            drain = std::move(h->drain);
        }
    }
    // The drain's reader takes the mutex to stop; it ends here, outside it (or with a read still in it).
    drain.reset();
}

VirtualMouse::Handle *VirtualMouse::liveForUse(HidHandle *handle) {
    for (const auto &h : m_handles) {
        if (h.get() == handle && !h->open)
            ++m_closedHandleUses;
    }
    return live(handle);
}

int VirtualMouse::closedHandleUses() const {
    QMutexLocker lock(&m_mutex);
    return m_closedHandleUses;
}

VirtualMouse::Handle *VirtualMouse::live(HidHandle *handle) const {
    for (const auto &h : m_handles) {
        if (h.get() == handle && h->open)
            return h.get();
    }
    return nullptr;
}

int VirtualMouse::write(HidHandle *handle, const uint8_t *data, std::size_t length) {
    QMutexLocker lock(&m_mutex);
    Handle *h = liveForUse(handle);
    if (!h || h->dead || !m_links[h->connection].plugged)
        return -1;
    if (m_failedWrites > 0) {
        --m_failedWrites;
        return -1;
    }
    const bool struck = strikes(data, length);
    if (struck && m_fault == Fault::WriteError)
        return -1;
    m_records.push_back({Direction::Written, h->connection, std::vector<uint8_t>(data, data + length)});
    const int connection = h->connection;
    const bool lastReport = m_unplugAfter > 0 && --m_unplugAfter == 0;
    const bool plugNow = m_plugAfter > 0 && --m_plugAfter == 0;
    const int plugged = m_plugConnection;
    answer(connection, data, length, struck);
    lock.unlock();
    if (lastReport)
        unplug(connection);
    if (plugNow)
        plug(plugged);
    return static_cast<int>(length);
}

// Nothing waits: an empty queue is a time-out at once.
int VirtualMouse::readTimeout(HidHandle *handle, uint8_t *data, std::size_t length, int timeoutMs) {
    QMutexLocker lock(&m_mutex);
    Handle *h = liveForUse(handle);
    if (!h || h->dead || !m_links[h->connection].plugged)
        return -1;
    if (m_failedReads > 0) {
        --m_failedReads;
        return -1;
    }
    if (const std::shared_ptr<HidrawDrain> drain = h->drain) {
        const int connection = h->connection;
        lock.unlock();
        const int got = drain->read(data, length, timeoutMs);
        if (got > 0) {
            lock.relock();
            m_records.push_back({Direction::Read, connection,
                                 std::vector<uint8_t>(data, data + static_cast<std::size_t>(got))});
        }
        return got;
    }
    auto pop = [h](uint8_t *buffer, std::size_t size, int) {
        if (h->queue.empty())
            return 0;
        const std::vector<uint8_t> next = std::move(h->queue.front());
        h->queue.pop_front();
        const std::size_t n = std::min(size, next.size());
        std::memcpy(buffer, next.data(), n);
        return static_cast<int>(n);
    };
    const int got = h->filter == HidReportFilter::CommandReports
                        ? readCommandReport(pop, data, length, timeoutMs, [] { return int64_t{0}; })
                        : pop(data, length, timeoutMs);
    if (got > 0)
        m_records.push_back({Direction::Read, h->connection,
                             std::vector<uint8_t>(data, data + static_cast<std::size_t>(got))});
    return got;
}

int VirtualMouse::lastOpenError() const {
    QMutexLocker lock(&m_mutex);
    return m_lastOpenError;
}

HidNodeStatus VirtualMouse::nodeStatus(const std::string &) const {
    QMutexLocker lock(&m_mutex);
    HidNodeStatus status;
    status.exists = true;
    status.owner = status.group = QStringLiteral("root");
    status.mode = m_refusedOpen == EACCES || m_refusedOpen == EPERM ? 0600 : 0660;
    return status;
}

uint16_t VirtualMouse::releaseNumber(const std::string &path) {
    QMutexLocker lock(&m_mutex);
    for (const Link &link : m_links) {
        if (link.plugged && (path == link.mousePath || path == link.commandPath || path == link.keyboardPath))
            return link.release;
    }
    return 0;
}

bool VirtualMouse::strikes(const uint8_t *data, std::size_t length) {
    if (m_faultCountdown > 0 && --m_faultCountdown == 0) {
        if (m_fault == Fault::Silent) {
            m_asleep = true;
            return false;
        }
        m_struckReport.assign(data, data + length);
    }
    return !m_struckReport.empty() &&
           std::equal(data, data + length, m_struckReport.begin(), m_struckReport.end());
}

void VirtualMouse::handleReport(int connection, const uint8_t *data, std::size_t length) {
    QMutexLocker lock(&m_mutex);
    answer(connection, data, length, false);
}

void VirtualMouse::answer(int connection, const uint8_t *data, std::size_t length, bool struck) {
    if (m_asleep || length < report::kData || data[report::kReportId] != report::kReportIdValue ||
        data[report::kMagic] != report::kMagicValue || data[report::kChecksum] != report::checksum(data))
        return;
    const uint8_t code = data[report::kCommand];
    if (code == report::kCmdBattery) {
        deliver(connection, framed(report::kCmdBattery, {static_cast<uint8_t>(m_battery.voltage & 0xFF),
                                                         static_cast<uint8_t>(m_battery.voltage >> 8),
                                                         m_battery.charging, m_battery.status}));
        return;
    }
    if (code >= report::kCmdSettings && code <= report::kCmdLastDataCompared) {
        if (data[report::kPosition] == report::kBlockClose) {
            ++m_closed[code];
        } else {
            const std::size_t address = data[report::kAddressLow] | (data[report::kAddressHigh] << 8);
            const std::size_t n =
                std::min<std::size_t>({data[report::kLength], report::kMaxData, length - report::kData});
            if (address + n <= kMemorySize)
                std::memcpy(m_memory[code].data() + address, data + report::kData, n);
        }
        echo(connection, data, length, struck);
    } else if (code == report::kCmdStore) {
        m_stores.push_back(data[report::kAddressHigh]);
        echo(connection, data, length, struck);
    } else if (code == report::kCmdWriteBracket) {
        m_brackets.push_back(data[report::kAddressLow]);
        echo(connection, data, length, struck);
    } else if (code == report::kCmdSelectProfile) {
        m_profile = data[report::kAddressLow];
    }
}

void VirtualMouse::echo(int connection, const uint8_t *data, std::size_t length, bool struck) {
    std::vector<uint8_t> reply(report::kSize, 0);
    std::copy(data, data + std::min(length, report::kSize), reply.begin());
    if (struck && m_fault == Fault::WrongEcho)
        reply[report::kCommand] ^= 0x80;
    // The header and half the data: what a read cut short hands over.
    if (struck && m_fault == Fault::ShortRead)
        reply.resize(report::kSize / 2);
    if (m_garbled > 0) {
        --m_garbled;
        switch (m_echoFault) {
        case EchoFault::WrongCommand:
            reply[report::kCommand] ^= 0x80;
            break;
        case EchoFault::WrongData:
            reply[report::kData] ^= 0xFF;
            break;
        case EchoFault::AllZero:
            std::fill(reply.begin(), reply.end(), 0);
            break;
        }
    }
    deliver(connection, reply);
}

std::vector<uint8_t> VirtualMouse::framed(uint8_t code, const std::array<uint8_t, 4> &fields) const {
    std::vector<uint8_t> r(report::kSize, 0);
    r[report::kReportId] = report::kReportIdValue;
    r[report::kMagic] = report::kMagicValue;
    r[report::kCommand] = code;
    std::copy(fields.begin(), fields.end(), r.begin() + report::kAddressLow);
    if (code == report::kCmdBattery)
        r[report::kBatteryCapability] = m_battery.capability;
    r[report::kChecksum] = report::checksum(r.data());
    return r;
}

// Every open handle of the connection that reaches the command collection receives the report; on a
// shared node the pointer's movement reports come first when the mouse is moving.
void VirtualMouse::deliver(int connection, const std::vector<uint8_t> &report) {
    if (!m_links[connection].plugged)
        return;
    for (const auto &h : m_handles) {
        if (!h->open || h->dead || h->connection != connection || !(h->kinds & kCollectionCommand))
            continue;
        if (h->kinds & kCollectionMouse) {
            for (int i = 0; i < m_movement; ++i)
                enqueue(*h, kMovementReport);
        }
        enqueue(*h, report);
    }
    m_queued.wakeAll();
}

void VirtualMouse::enqueue(Handle &handle, const std::vector<uint8_t> &report) {
    if (handle.onSharedNode() && handle.queue.size() >= kKernelQueueLimit)
        return;
    handle.queue.push_back(report);
}

void VirtualMouse::streamMovement(int reportsPerSecond) {
    QMutexLocker lock(&m_mutex);
    m_streamRate = reportsPerSecond;
    if (reportsPerSecond > 0 && !m_streamer.joinable()) {
        m_streamer = std::thread(&VirtualMouse::streamLoop, this);
    } else if (reportsPerSecond <= 0 && m_streamer.joinable()) {
        lock.unlock();
        m_streamer.join();
        m_streamer = std::thread();
    }
}

void VirtualMouse::streamLoop() {
    for (;;) {
        int rate = 0;
        {
            QMutexLocker lock(&m_mutex);
            rate = m_streamRate;
            if (rate <= 0)
                return;
            const int connection = activeConnection();
            for (const auto &h : m_handles) {
                if (h->open && !h->dead && h->connection == connection && m_links[connection].plugged &&
                    (h->kinds & kCollectionMouse))
                    enqueue(*h, kMovementReport);
            }
            ++m_streamedRounds;
            m_queued.wakeAll();
        }
        std::this_thread::sleep_for(std::chrono::microseconds(1000000 / rate));
    }
}

int VirtualMouse::streamedRounds() const {
    QMutexLocker lock(&m_mutex);
    return m_streamedRounds;
}

void VirtualMouse::setDrainEnabled(bool enabled) {
    QMutexLocker lock(&m_mutex);
    m_drainEnabled = enabled;
}

int VirtualMouse::activeConnection() const {
    return m_links[1].plugged ? 1 : 0;
}

void VirtualMouse::plug(int connection) {
    QMutexLocker lock(&m_mutex);
    if (m_links[connection].plugged)
        return;
    m_links[connection].plugged = true;
    const std::vector<DeviceEvent> arrived = events(connection, true);
    lock.unlock();
    notify(arrived);
}

void VirtualMouse::unplug(int connection) {
    QMutexLocker lock(&m_mutex);
    if (!m_links[connection].plugged)
        return;
    const std::vector<DeviceEvent> removed = events(connection, false);
    m_links[connection].plugged = false;
    for (const auto &h : m_handles) {
        if (h->connection == connection) {
            h->dead = true;
            h->queue.clear();
        }
    }
    m_queued.wakeAll();
    lock.unlock();
    notify(removed);
}

std::vector<DeviceEvent> VirtualMouse::events(int connection, bool arrived) const {
    const Link &link = m_links[connection];
    DeviceEvent event;
    event.arrived = arrived;
    event.vendorId = link.vendorId;
    event.productId = link.productId;
    std::vector<DeviceEvent> out;
    if (link.mousePath == link.commandPath) {
        event.path = QString::fromStdString(link.mousePath);
        event.kinds = kCollectionMouse | kCollectionCommand;
        out.push_back(event);
        return out;
    }
    event.path = QString::fromStdString(link.mousePath);
    event.kinds = kCollectionMouse;
    out.push_back(event);
    event.path = QString::fromStdString(link.commandPath);
    event.kinds = kCollectionCommand;
    out.push_back(event);
    return out;
}

void VirtualMouse::notify(const std::vector<DeviceEvent> &events) {
    EventListener listener;
    {
        QMutexLocker lock(&m_mutex);
        listener = m_listener;
    }
    if (!listener)
        return;
    for (const DeviceEvent &event : events)
        listener(event);
}
