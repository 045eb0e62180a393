#include "device/result_code.h"

#include <QtGlobal>

const char *resultMessage(ResultCode result) {
    switch (result) {
    case kResultOk:
        return "";
    case kResultMouseOff:
        return QT_TRANSLATE_NOOP("ResultCode", "Mouse is sleeping or not connected.");
    case kResultTooManyMacros:
        return QT_TRANSLATE_NOOP("ResultCode", "At most 12 different macros fit in the mouse.");
    case kResultNoProfile:
        return QT_TRANSLATE_NOOP("ResultCode",
                                 "The profile was not read whole from its file, or no button gives the left "
                                 "click: nothing was sent.");
    case kResultMacroMissing:
        return QT_TRANSLATE_NOOP("ResultCode", "A button's macro is missing: give that button another macro "
                                               "or function, then apply again.");
    default:
        return QT_TRANSLATE_NOOP("ResultCode", "Send data failed, please try again.");
    }
}
