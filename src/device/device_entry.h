#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// The two ways the mouse reaches the computer, each a USB device with its own ids.
enum Connection { kReceiver = 0, kCable = 1, kConnectionCount = 2 };

// Interface slots, the order of criteria, paths and handles.
enum InterfaceSlot {
    kSlotReceiverMouse,
    kSlotReceiverCommand,
    kSlotCableMouse,
    kSlotCableCommand,
    kSlotCount
};

// Present flags have their own order: mouse flags by connection, then command flags by connection.
enum PresentFlag { kPresentReceiverMouse, kPresentCableMouse, kPresentReceiverCommand, kPresentCableCommand };

constexpr int mouseSlot(int connection) {
    return connection == kReceiver ? kSlotReceiverMouse : kSlotCableMouse;
}
constexpr int commandSlot(int connection) {
    return connection == kReceiver ? kSlotReceiverCommand : kSlotCableCommand;
}
constexpr int mouseFlag(int connection) {
    return kPresentReceiverMouse + connection;
}
constexpr int commandFlag(int connection) {
    return kPresentReceiverCommand + connection;
}
constexpr int slotConnection(int slot) {
    return slot < kSlotCableMouse ? kReceiver : kCable;
}
constexpr bool isCommandSlot(int slot) {
    return slot == kSlotReceiverCommand || slot == kSlotCableCommand;
}
constexpr int presentFlagOfSlot(int slot) {
    return isCommandSlot(slot) ? commandFlag(slotConnection(slot)) : mouseFlag(slotConnection(slot));
}

// The HID collection a slot looks for.
struct InterfaceCriteria {
    uint32_t usage = 0;
    uint32_t usagePage = 0;
};

// One mouse model: the USB ids and collections to look for and what was found of them.
struct DeviceEntry {
    static constexpr std::size_t kPathSize = 255; // NUL included
    static constexpr std::size_t kNameSize = 256; // NUL included, Latin-1

    std::array<uint32_t, kConnectionCount> vendorId{};
    std::array<uint32_t, kConnectionCount> productId{};
    std::array<uint32_t, kConnectionCount> releaseMin{};
    std::array<uint32_t, kConnectionCount> releaseMax{}; // 0 = no release check
    std::array<InterfaceCriteria, kSlotCount> criteria{};
    std::array<std::array<char, kPathSize>, kSlotCount> path{};
    std::array<uint32_t, kSlotCount> present{}; // indexed by PresentFlag
    std::array<char, kNameSize> name{};
};
