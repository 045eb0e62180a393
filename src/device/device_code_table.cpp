#include "device/device_code_table.h"

namespace devicecode {

int functionOfEntry(const ButtonEntry &entry) {
    for (const DeviceCodeRow &row : kTable) {
        if (row.entry == entry)
            return row.function;
    }
    for (int function : {kSingleKey, kCombo, kFire, kSniper, kMacro, kGunFile}) {
        ButtonEntry row{};
        if (entryOf(function, row) && row[0] == entry[0])
            return function;
    }
    return -1;
}

} // namespace devicecode
