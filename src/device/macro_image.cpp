#include "device/macro_image.h"

#include "storage/macro_file.h"

#include <QSettings>
#include <algorithm>

namespace macroimage {
namespace {

// A corrupt count must not make the upload read for ever; no image holds a tenth of this.
constexpr int kMaxEventsRead = 4096;

QString stepKey(const char *format, int index) {
    return "Setting/" + QString::asprintf(format, index);
}

uint8_t readByte(const QSettings &settings, const QString &key) {
    return static_cast<uint8_t>(settings.value(key, 0).toInt());
}

} // namespace

QVector<MacroStep> readMacroEvents(const QString &name) {
    QVector<MacroStep> events;
    const QString path = macrofile::macroFilePath(name);
    if (path.isEmpty())
        return events;
    QSettings settings(path, QSettings::IniFormat);
    const int count = std::min(settings.value("Setting/Count", 0).toInt(), kMaxEventsRead);
    for (int i = 0; i < count; ++i)
        events.append({readByte(settings, stepKey("Map_%d", i)), readByte(settings, stepKey("DataH_%d", i)),
                       readByte(settings, stepKey("DataL_%d", i))});
    return events;
}

DeviceState::MacroImage macroImage(const QVector<MacroStep> &events) {
    DeviceState::MacroImage image{};
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

void buildMacroImage(const QVector<MacroStep> &events, int number) {
    auto &images = DeviceState::instance().macroImages();
    if (number < 0 || number >= static_cast<int>(images.size()))
        return;
    images[static_cast<std::size_t>(number)] = macroImage(events);
}

} // namespace macroimage
