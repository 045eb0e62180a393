// The record the OSD program receives on its socket: a record taken has texts the sender could have sent,
// a display time and font size the window can use, and decoding, encoding and decoding it again gives the
// same record.
#include "platform/osd_record.h"
#include "support/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<int>(size));
    const std::optional<OsdRecord> record = OsdRecord::decode(bytes);
    if (!record)
        return 0;
    fuzz::require(bytes.size() == OsdRecord::kSize, "only a record of 1044 bytes is taken");
    fuzz::require(record->text.size() < OsdRecord::kTextUnits && record->face.size() < OsdRecord::kTextUnits,
                  "a text taken fits the record with its terminating zero");
    fuzz::require(!record->text.contains(QChar(0)) && !record->face.contains(QChar(0)),
                  "a text ends at its zero");
    fuzz::require(record->displayMs <= OsdRecord::kMaxDisplayMs, "the display time is one a timer can wait");
    fuzz::require(record->fontSize >= 1 && record->fontSize <= OsdRecord::kMaxFontSize,
                  "the font size is one the window can draw");
    const std::optional<OsdRecord> again = OsdRecord::decode(record->encode());
    fuzz::require(again && again->text == record->text && again->face == record->face &&
                      again->displayMs == record->displayMs && again->color == record->color &&
                      again->fontSize == record->fontSize,
                  "a record decoded, encoded and decoded again is the same");
    return 0;
}
