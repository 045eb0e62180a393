#include "device/button_upload.h"

// Filled in by the button and macro packer; until then a profile write carries no buttons or macros.
uint8_t sendButtonTable() {
    return 0;
}
uint8_t sendMacros() {
    return 0;
}
