#include "sim/macro_view.h"

#include "device/command_report.h"
#include "device/macro_image.h"
#include "device/write_session.h"
#include "sim/virtual_mouse.h"

QVector<MacroStep> decodeMacroEvents(const VirtualMouse &mouse, int slot) {
    QVector<MacroStep> events;
    if (slot < 0 || slot >= WriteSession::kMacroSlots)
        return events;
    const std::size_t size = WriteSession::kMacroImageSize;
    const std::vector<uint8_t> image =
        mouse.memory(report::kCmdMacros, size * static_cast<std::size_t>(slot), size);
    for (std::size_t at = 0; at + macroimage::kEventSize <= image.size(); at += macroimage::kEventSize) {
        if (image[at] == 0)
            break;
        events.append({image[at], image[at + 2], image[at + 1]});
    }
    return events;
}
