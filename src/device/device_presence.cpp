#include "device/device_presence.h"

#include "device/device_log.h"
#include "device/mouse_device.h"
#include "platform/device_notifier.h"
#include "storage/config_file.h"

DevicePresence::DevicePresence(HidBackend &backend, std::unique_ptr<DeviceNotifier> notifier, QObject *parent)
    : QObject(parent), m_device(std::make_unique<MouseDevice>(backend)), m_notifier(std::move(notifier)) {
    MouseDevice::setInstance(m_device.get());
    if (m_notifier)
        m_notifier->setParent(this);
}

DevicePresence::~DevicePresence() {
    m_notifier.reset();
    m_device->closeAll();
    m_device->shutdownHid();
    MouseDevice::setInstance(nullptr);
}

void DevicePresence::start() {
    m_device->initDeviceTable();
    m_device->enumerateDevices();
    refreshMouseList();
}

bool DevicePresence::startNotifications() {
    if (!m_notifier)
        return false;
    connect(m_notifier.get(), &DeviceNotifier::deviceChanged, this, &DevicePresence::onDeviceChanged);
    return m_notifier->start();
}

bool DevicePresence::modelPresent(int entry) const {
    const DeviceEntry &e = m_device->table().entries[entry];
    for (int connection = 0; connection < kConnectionCount; ++connection) {
        if (e.present[mouseFlag(connection)] && e.present[commandFlag(connection)])
            return true;
    }
    return false;
}

QString DevicePresence::entryName(int entry) const {
    return QString::fromLatin1(m_device->table().entries[entry].name.data());
}

void DevicePresence::refreshMouseList() {
    m_names.clear();
    const DeviceTable &table = m_device->table();
    for (uint32_t i = 0; i < table.count; ++i) {
        if (modelPresent(static_cast<int>(i)))
            m_names << entryName(static_cast<int>(i));
    }
    const QString current = config::currentProductName();
    // The product chosen here is chosen again at every start and hot-plug, so a Config.ini that cannot
    // keep it loses nothing; one that cannot be written is told by the next Apply.
    if (m_names.size() > 1) {
        if (!m_names.contains(current))
            (void)config::setCurrentProductName(m_names.first());
    } else if (m_names.size() == 1) {
        qCDebug(lcDevice) << m_names.first() + "RefreshMouseList";
        if (current != m_names.first())
            (void)config::setCurrentProductName(m_names.first());
    } else if (!current.isEmpty()) {
        (void)config::setCurrentProductName(QString());
    }
    emit mouseListChanged();
}

void DevicePresence::openCurrent() {
    m_device->openByName(config::currentProductName().toLatin1().constData());
}

void DevicePresence::close() {
    m_device->closeAll();
}

bool DevicePresence::cablePresent() const {
    const DeviceTable &table = m_device->table();
    return table.count > 0 && table.entries[0].present[commandFlag(kCable)] != 0;
}

bool DevicePresence::receiverPresent() const {
    const DeviceTable &table = m_device->table();
    return table.count > 0 && table.entries[0].present[commandFlag(kReceiver)] != 0;
}

battery::ConnectionState DevicePresence::connectionState(bool charging) const {
    return battery::connectionState(cablePresent(), receiverPresent(), charging);
}

void DevicePresence::holdChanges() {
    m_held = true;
}

void DevicePresence::releaseChanges() {
    m_held = false;
    // A change applied here may start a write (through the window) that holds the rest again.
    while (!m_held && !m_heldEvents.isEmpty())
        onDeviceChanged(m_heldEvents.takeFirst());
}

void DevicePresence::onDeviceChanged(const DeviceEvent &event) {
    if (m_held) {
        m_heldEvents << event;
        return;
    }
    qCDebug(lcDevice) << (event.arrived ? "hotplug add" : "hotplug remove") << event.path;
    const int countBefore = mouseCount();
    const QString current = config::currentProductName();
    bool switched = false;
    const std::vector<HotplugChange> changes = m_device->applyDeviceEvent(event);
    for (const HotplugChange &change : changes) {
        const QString name = entryName(change.entry);
        if (event.arrived && change.connectionComplete) {
            refreshMouseList();
            if (countBefore == 0) {
                emit firstMouseArrived();
                switched = true;
            }
        } else if (!event.arrived && change.entryEmpty) {
            refreshMouseList();
            if (mouseCount() == 0) {
                emit lastMouseRemoved();
                switched = true;
            } else if (name == current) {
                emit currentMouseSwitched();
                switched = true;
            }
        }
        if (!switched && name == config::currentProductName() && change.connectionPresent)
            emit reopenRequested();
        // A Config.ini that cannot take the mark cannot take the profile either: the next Apply tells it.
        if (change.isNew)
            (void)config::setConfigDiff(1);
    }
    // Other devices come and go all the time; only the mouse's own connections concern the window.
    if (!changes.empty())
        emit connectionChanged();
}
