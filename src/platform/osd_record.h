#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

// One on-screen-display notification as it travels to the OSD program: 1044 bytes, little-endian.
// Offsets: text 0 (256 UTF-16 units, zero-terminated), 512 zero, 516 display time, 520 zero, 524 colour
// 0x00BBGGRR, 528 font size, 532 font face (256 UTF-16 units, zero-terminated).
struct OsdRecord {
    static constexpr int kSize = 1044;
    static constexpr int kTextUnits = 256;
    static constexpr int kTextOffset = 0;
    static constexpr int kDisplayTimeOffset = 516;
    static constexpr int kColorOffset = 524;
    static constexpr int kFontSizeOffset = 528;
    static constexpr int kFaceOffset = 532;
    // What a record may ask of the window: at most a minute on screen, a font of 1 to 512 pixels.
    static constexpr uint32_t kMaxDisplayMs = 60000;
    static constexpr uint32_t kMaxFontSize = 512;

    QString text;
    uint32_t displayMs = 1500;
    uint32_t color = 0; // 0x00BBGGRR
    uint32_t fontSize = 60;
    QString face = QStringLiteral("DejaVu Sans");

    // Texts longer than 255 units are cut so the terminating zero always fits.
    QByteArray encode() const;
    // Nothing when data is not exactly one record: 1044 bytes, each text ended by its zero within its 256
    // units, a display time and a font size within the bounds above.
    static std::optional<OsdRecord> decode(const QByteArray &data);
    static uint32_t colorRef(int red, int green, int blue);
};
