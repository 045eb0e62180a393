#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

// Reading what a HID interface is from its report descriptor and its HID_ID, for the Linux hot-plug
// notifier, which sees hidraw nodes rather than named collections.
namespace hiddescriptor {

struct TopLevelUsage {
    uint16_t usagePage = 0;
    uint16_t usage = 0;
};

// The (usage page, usage) of every top-level collection, in descriptor order. A truncated descriptor
// gives the collections before the cut.
std::vector<TopLevelUsage> topLevelCollections(const QByteArray &descriptor);

// kCollectionMouse and/or kCollectionCommand for the collections the descriptor carries.
uint8_t collectionKinds(const QByteArray &descriptor);

struct UsbIds {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
};

// "bus:vendor:product" in hexadecimal, as the kernel writes HID_ID ("0003:0000248A:00008373"); nothing
// when the text is not of that form.
std::optional<UsbIds> parseHidId(const QString &hidId);

} // namespace hiddescriptor
