#pragma once

#include "device/write_session.h"

#include <QString>
#include <cstdint>
#include <optional>

// Layout of the button table (WriteSession::buttonTable) and the packing of one button record of the
// session's device copy into it.
namespace buttontable {

constexpr uint8_t kHeader0 = 0x0A; // bytes 0 and 1, written with every entry
constexpr uint8_t kHeader1 = 0x00;
constexpr int kHeaderSize = 2;
constexpr int kEntrySize = 4;
// The last slot whose entry still fits in the table.
constexpr int kLastSlot = (WriteSession::kButtonTableSize - kHeaderSize) / kEntrySize - 1;

// The wheel's up and down steps, packed under the selectors of slots 22 and 23.
constexpr int kWheelUpRecord = 40;
constexpr int kWheelDownRecord = 41;
constexpr int kWheelUpSelector = 22;
constexpr int kWheelDownSelector = 23;

// macroNumberOf() when the map has names but not the one asked for, and when it is empty.
constexpr int kMacroNotMapped = 255;
constexpr int kNoMacroMapped = -1;

constexpr int entryOffset(int slot) {
    return kHeaderSize + kEntrySize * slot;
}

} // namespace buttontable

// Device slot of a slot selector: the wheel selectors go to slots 22 and 23 (exchanged when the model's
// wheel is reversed), the others through the model's button matrix. false for a selector the matrix does
// not cover or a matrix value whose entry would not fit in the table: nothing.
std::optional<int> buttonSlot(int selector);

// Writes the entry of button record `record` of the session's device copy at the slot of `selector`; for
// macro and gun-file buttons also enters the macro name into the session's macro map and stores its number
// in the record's res4. Records outside the profile and unmapped selectors pack nothing.
void packButton(WriteSession &session, int record, int selector);

// 0 to 254 for a mapped name, 255 when the map has names but not this one, -1 when the map is empty.
int macroNumberOf(const WriteSession &session, const QString &name);
