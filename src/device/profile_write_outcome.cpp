#include "device/profile_write_outcome.h"

#include <QCoreApplication>

namespace {
QString translated(const char *text) {
    return QCoreApplication::translate("ResultCode", text);
}
} // namespace

QString outcomeMessage(const ProfileWriteOutcome &outcome) {
    if (outcome.done())
        return QString();
    if (outcome.saved)
        return translated(resultMessage(outcome.result));
    if (outcome.result == kResultOk)
        return translated(QT_TRANSLATE_NOOP("ResultCode",
                                            "The profile could not be saved to its file, so this change is "
                                            "gone at the next start. The mouse was written with it."));
    return translated(QT_TRANSLATE_NOOP("ResultCode",
                                        "The profile could not be saved to its file, so this change is gone "
                                        "at the next start. The mouse was not written either: %1"))
        .arg(translated(resultMessage(outcome.result)));
}
