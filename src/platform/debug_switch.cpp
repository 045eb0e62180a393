#include "platform/debug_switch.h"

#include <QLoggingCategory>
#include <QtGlobal>

void applyDebugSwitch() {
    if (qEnvironmentVariableIntValue("KORVANE_DEBUG") == 1)
        QLoggingCategory::setFilterRules(QStringLiteral("korvane.*.debug=true"));
}
