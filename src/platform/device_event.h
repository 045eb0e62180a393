#pragma once

#include <QMetaType>
#include <QString>
#include <cstdint>

// Which of the mouse's HID collections an interface carries. On Linux one hidraw node can carry both,
// so the kinds are flags.
enum CollectionKind : uint8_t {
    kCollectionNone = 0,
    kCollectionMouse = 1,   // usage page 1, usage 2
    kCollectionCommand = 2, // usage page 1, usage 0: the vendor reports
};

// The usages that tell the collections apart, both on the Generic Desktop page.
namespace hidusage {
constexpr uint16_t kGenericDesktop = 1;
constexpr uint16_t kMouse = 2;
constexpr uint16_t kCommand = 0;
} // namespace hidusage

// One HID interface arriving or going away, classified.
struct DeviceEvent {
    bool arrived = false;
    QString path; // the path hidapi opens
    uint8_t kinds = kCollectionNone;
    uint16_t vendorId = 0;
    uint16_t productId = 0;
};

Q_DECLARE_METATYPE(DeviceEvent)
