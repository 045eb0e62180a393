#include "device/result_code.h"

#include <QtGlobal>

const char *resultMessage(uint8_t result) {
    switch (result) {
    case kResultOk:
        return "";
    case kResultMouseOff:
        return QT_TRANSLATE_NOOP("ResultCode", "Mouse is sleeping or not connected.");
    case kResultTooManyMacros:
        return QT_TRANSLATE_NOOP("ResultCode", "At most 12 different macros fit in the mouse.");
    case kResultNoProfile:
        return QT_TRANSLATE_NOOP("ResultCode", "The profile file could not be found.");
    default:
        return QT_TRANSLATE_NOOP("ResultCode", "Send data failed, please try again.");
    }
}
