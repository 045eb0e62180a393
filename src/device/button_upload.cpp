#include "device/button_upload.h"

#include "device/block_write.h"
#include "device/button_packer.h"
#include "device/command_report.h"
#include "device/device_code_table.h"
#include "device/device_log.h"
#include "device/link_hooks.h"
#include "device/macro_image.h"
#include "device/send_report.h"
#include "storage/button_matrix.h"
#include "storage/description_file.h"
#include "storage/macro_links.h"

#include <algorithm>

namespace {

constexpr int kUploadedSlots = 24;
constexpr int kUploadedTableBytes = buttontable::entryOffset(kUploadedSlots); // 98
constexpr int kTableChunk = 24;
// Four 0xFF bytes follow the uploaded slots.
constexpr uint16_t kButtonsFooterAddress = kUploadedTableBytes;
constexpr uint8_t kButtonsFooter[] = {0xFF, 0xFF, 0xFF, 0xFF};
constexpr uint16_t kButtonsCloseAddress = 0x7F;

constexpr int kMacroChunk = 20;
constexpr uint16_t kMacrosCloseAddress = 0x0FFF;
constexpr int kPauseAfterMacroMs = 50;
constexpr int kImageStartChecked = 5; // a slot whose first bytes are all zero holds no macro

ResultCode sendBlock(uint8_t code, uint16_t address, uint8_t position, const uint8_t *data, int length) {
    return sendCommand(
        blockwrite::dataReport(code, address, position, data, static_cast<std::size_t>(length)));
}

ResultCode sendClose(uint8_t code, uint16_t address) {
    return sendCommand(blockwrite::closingReport(code, address));
}

static_assert(kMaxMacroImages <= WriteSession::kMacroSlots, "every macro the mouse plays has an image slot");

static_assert(devicecode::kMacro == macrolinks::kMacroFunction &&
                  devicecode::kGunFile == macrolinks::kGunFileFunction,
              "the buttons that play a macro file are the same for the files and the mouse");

bool isMacroButton(const ButtonAssignment &button) {
    return macrolinks::playsMacro(button);
}

} // namespace

namespace {
// Buttons beyond the matrix have no known slot; they are left out rather than read past it.
int sentButtonCount() {
    return std::clamp(description::buttonCount(), 0, ButtonMatrix::kSize);
}
} // namespace

bool recordReachesMouse(int record) {
    return (record >= 0 && record < sentButtonCount()) || record == buttontable::kWheelUpRecord ||
           record == buttontable::kWheelDownRecord;
}

bool sendsLeftClick(const ProfileData &profile) {
    for (int record = 0; record < ProfileData::kButtonCount; ++record) {
        if (recordReachesMouse(record) &&
            profile.buttons[static_cast<std::size_t>(record)].function == devicecode::kLeftClick)
            return true;
    }
    return false;
}

int packButtonTable(WriteSession &session) {
    session.macroNumbers.clear();
    const int count = sentButtonCount();
    for (int record = 0; record < count; ++record)
        packButton(session, record, record);
    packButton(session, buttontable::kWheelUpRecord, buttontable::kWheelUpSelector);
    packButton(session, buttontable::kWheelDownRecord, buttontable::kWheelDownSelector);
    return session.macroNumbers.size();
}

ResultCode sendButtonTable(const WriteSession &session) {
    const WriteSession::ButtonTable &table = session.buttonTable;
    ResultCode result =
        sendBlock(report::kCmdButtons, 0, report::kBlockFirst, table.data(), buttontable::kHeaderSize);
    for (int address = buttontable::kHeaderSize; result == kResultOk && address < kUploadedTableBytes;
         address += kTableChunk)
        result = sendBlock(report::kCmdButtons, static_cast<uint16_t>(address), report::kBlockNext,
                           table.data() + address, kTableChunk);
    if (result == kResultOk)
        result = sendBlock(report::kCmdButtons, kButtonsFooterAddress, report::kBlockNext, kButtonsFooter,
                           sizeof kButtonsFooter);
    if (result == kResultOk)
        result = sendClose(report::kCmdButtons, kButtonsCloseAddress);
    return result;
}

ResultCode packMacroImages(WriteSession &session) {
    for (WriteSession::MacroImage &image : session.macroImages)
        image.fill(0);
    for (const ButtonAssignment &button : session.deviceCopy.profile.buttons) {
        if (!isMacroButton(button))
            continue;
        const int number = macroNumberOf(session, button.macroName);
        if (number == buttontable::kNoMacroMapped)
            return kResultOk;
        if (number == buttontable::kMacroNotMapped)
            continue;
        if (number >= kMaxMacroImages) {
            qCDebug(lcDevice, "iIndex>=MAX_MACRO_NUMBER_560\n");
            // Reported as a failed write: succeeding here would leave buttons pointing at absent macros.
            return kResultTooManyMacros;
        }
        session.macroImages[static_cast<std::size_t>(number)] =
            macroimage::macroImage(macroimage::readMacroEvents(button.macroName));
        devicelink::pause(kPauseAfterMacroMs);
    }
    return kResultOk;
}

ResultCode sendMacros(const WriteSession &session) {
    const auto &images = session.macroImages;
    bool sent = false;
    for (std::size_t slot = 0; slot < images.size(); ++slot) {
        const WriteSession::MacroImage &image = images[slot];
        if (std::all_of(image.begin(), image.begin() + kImageStartChecked, [](uint8_t b) { return b == 0; }))
            continue;
        for (int chunk = 0; chunk < WriteSession::kMacroImageSize / kMacroChunk; ++chunk) {
            const int offset = chunk * kMacroChunk;
            const uint8_t position = slot == 0 && chunk == 0 ? report::kBlockFirst : report::kBlockNext;
            const ResultCode result = sendBlock(
                report::kCmdMacros, static_cast<uint16_t>(WriteSession::kMacroImageSize * slot + offset),
                position, image.data() + offset, kMacroChunk);
            if (result != kResultOk)
                return result;
        }
        sent = true;
    }
    return sent ? sendClose(report::kCmdMacros, kMacrosCloseAddress) : kResultOk;
}
