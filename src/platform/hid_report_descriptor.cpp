#include "platform/hid_report_descriptor.h"

#include "platform/device_event.h"

#include <QStringList>

namespace hiddescriptor {
namespace {

constexpr uint8_t kLongItemPrefix = 0xFE;
constexpr int kTypeMain = 0;
constexpr int kTypeGlobal = 1;
constexpr int kTypeLocal = 2;
constexpr int kTagCollection = 0x0A;
constexpr int kTagEndCollection = 0x0C;
constexpr int kTagUsagePage = 0x00;
constexpr int kTagUsage = 0x00;

} // namespace

std::vector<TopLevelUsage> topLevelCollections(const QByteArray &descriptor) {
    std::vector<TopLevelUsage> out;
    const auto *d = reinterpret_cast<const uint8_t *>(descriptor.constData());
    const int size = descriptor.size();
    uint32_t usagePage = 0;
    uint32_t usage = 0;
    bool haveUsage = false;
    int depth = 0;
    int i = 0;
    while (i < size) {
        const uint8_t prefix = d[i];
        if (prefix == kLongItemPrefix) {
            if (i + 1 >= size)
                break;
            i += 3 + d[i + 1];
            continue;
        }
        const int n = (prefix & 3) == 3 ? 4 : (prefix & 3);
        if (i + 1 + n > size)
            break;
        uint32_t value = 0;
        for (int b = 0; b < n; ++b)
            value |= static_cast<uint32_t>(d[i + 1 + b]) << (8 * b);
        const int type = (prefix >> 2) & 3;
        const int tag = prefix >> 4;
        i += 1 + n;
        if (type == kTypeGlobal && tag == kTagUsagePage) {
            usagePage = value;
        } else if (type == kTypeLocal && tag == kTagUsage) {
            // The first usage names the collection; a 4-byte usage carries its own page.
            if (!haveUsage)
                usage = n == 4 ? value : ((usagePage & 0xFFFF) << 16) | value;
            haveUsage = true;
        } else if (type == kTypeMain) {
            if (tag == kTagCollection) {
                if (depth == 0 && haveUsage)
                    out.push_back(
                        {static_cast<uint16_t>(usage >> 16), static_cast<uint16_t>(usage & 0xFFFF)});
                ++depth;
            } else if (tag == kTagEndCollection && depth > 0) {
                --depth;
            }
            haveUsage = false;
        }
    }
    return out;
}

uint8_t collectionKinds(const QByteArray &descriptor) {
    uint8_t kinds = kCollectionNone;
    for (const TopLevelUsage &u : topLevelCollections(descriptor)) {
        if (u.usagePage == hidusage::kGenericDesktop && u.usage == hidusage::kMouse)
            kinds |= kCollectionMouse;
        if (u.usagePage == hidusage::kGenericDesktop && u.usage == hidusage::kCommand)
            kinds |= kCollectionCommand;
    }
    return kinds;
}

std::optional<UsbIds> parseHidId(const QString &hidId) {
    const QStringList parts = hidId.split(':');
    if (parts.size() != 3)
        return std::nullopt;
    bool okVendor = false, okProduct = false;
    const uint vendor = parts[1].toUInt(&okVendor, 16);
    const uint product = parts[2].toUInt(&okProduct, 16);
    if (!okVendor || !okProduct || vendor > 0xFFFF || product > 0xFFFF)
        return std::nullopt;
    return UsbIds{static_cast<uint16_t>(vendor), static_cast<uint16_t>(product)};
}

} // namespace hiddescriptor
