#pragma once

#include "device/device_code_table.h"

class VirtualMouse;

// One slot of the button table the virtual mouse received: its four bytes and the function they mean.
struct ButtonSlotView {
    ButtonEntry bytes{};
    int function = -1; // button function code; -1 when the bytes match no function
};

// Slot `slot` (0 to 30) as the virtual mouse holds it; zeros for a slot never written.
ButtonSlotView decodeButtonSlot(const VirtualMouse &mouse, int slot);
