#include "device/macro_image.h"

#include "storage/macro_file.h"

#include <algorithm>

namespace macroimage {

static_assert(macrofile::kMaxSteps == WriteSession::kMacroImageSize / kEventSize,
              "a macro file holds as many steps as one macro image holds events");

QVector<MacroStep> readMacroEvents(const QString &name) {
    QVector<MacroStep> events;
    // The write refuses a button whose macro file is missing before it gets here.
    (void)macrofile::readRawSteps(name, macrofile::kMaxSteps, events);
    return events;
}

WriteSession::MacroImage macroImage(const QVector<MacroStep> &events) {
    WriteSession::MacroImage image{};
    std::size_t at = 0;
    auto put = [&image, &at](const MacroStep &event) {
        if (at + kEventSize > image.size())
            return;
        image[at++] = event.type;
        image[at++] = event.low;
        image[at++] = event.high;
    };
    const bool hasDelay = std::any_of(events.begin(), events.end(),
                                      [](const MacroStep &e) { return e.type == MacroStep::kDelay; });
    if (hasDelay) {
        for (const MacroStep &event : events)
            put(event);
        return image;
    }
    for (int i = 0; i < events.size(); ++i) {
        put(events[i]);
        if ((i + 1) % kEventsPerPause == 0)
            put(kInsertedPause);
    }
    put(kInsertedPause);
    return image;
}

} // namespace macroimage
