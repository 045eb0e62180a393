#include "sim/button_view.h"

#include "device/button_packer.h"
#include "device/command_report.h"
#include "sim/virtual_mouse.h"

#include <algorithm>

ButtonSlotView decodeButtonSlot(const VirtualMouse &mouse, int slot) {
    ButtonSlotView view;
    if (slot < 0 || slot > buttontable::kLastSlot)
        return view;
    const std::vector<uint8_t> bytes =
        mouse.memory(report::kCmdButtons, static_cast<std::size_t>(buttontable::entryOffset(slot)),
                     buttontable::kEntrySize);
    std::copy_n(bytes.begin(), std::min(bytes.size(), view.bytes.size()), view.bytes.begin());
    view.function = devicecode::functionOfEntry(view.bytes);
    return view;
}
