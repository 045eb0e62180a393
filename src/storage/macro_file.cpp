#include "storage/macro_file.h"

#include "storage/app_paths.h"
#include "storage/description_file.h"
#include "storage/file_name.h"
#include "storage/settings_sync.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace macrofile {
namespace {

constexpr int kListDefaultDelay = 10; // milliseconds
constexpr int kListDelayType = 1;
constexpr int kListLoopType = 0;
constexpr int kListLoopTime = 1;

QString stepKey(const char *format, int index) {
    return "Setting/" + QString::asprintf(format, index);
}

void writeSteps(QSettings &settings, const QVector<MacroStep> &steps) {
    settings.setValue("Setting/Count", steps.size());
    for (int i = 0; i < steps.size(); ++i) {
        settings.setValue(stepKey("Map_%d", i), int(steps[i].type));
        settings.setValue(stepKey("DataH_%d", i), int(steps[i].high));
        settings.setValue(stepKey("DataL_%d", i), int(steps[i].low));
    }
}

uint8_t readByte(const QSettings &settings, const QString &key) {
    return static_cast<uint8_t>(settings.value(key, 0).toInt());
}

// A move keeps its one non-zero axis; a step with both or neither set becomes a move of 0.
MacroStep decodeMove(uint8_t high, uint8_t low) {
    if (high == 0 && low != 0)
        return {MacroStep::kMove, 0, low};
    if (low == 0 && high != 0)
        return {MacroStep::kMove, high, 0};
    return {MacroStep::kMove, 0, 0};
}

} // namespace

QString macroFilePath(const QString &name) {
    if (!filename::isSafe(name))
        return QString();
    return AppPaths::configDir() + "/MacroDB/" + name + ".MSMACRO";
}

FileResult saveMacro(const MacroData &macro) {
    const QString path = macroFilePath(macro.name);
    if (path.isEmpty())
        return FileResult::InvalidName;
    if (!AppPaths::ensureParentDir(path))
        return FileResult::WriteFailed;
    QSettings settings(path, QSettings::IniFormat);
    settings.setValue("Setting/MacroFilePath", path);
    settings.setValue("Setting/DefaultDelay", macro.defaultDelay);
    settings.setValue("Setting/DelayType", int(macro.delayType));
    settings.setValue("Setting/LoopType", macro.loopType);
    settings.setValue("Setting/LoopTime", macro.loopTime);
    writeSteps(settings, macro.steps);
    settings.setValue("Setting/WriteSign", 1);
    return syncSettings(settings);
}

FileResult saveMacroSteps(const QString &name, const QVector<MacroStep> &steps) {
    const QString path = macroFilePath(name);
    if (path.isEmpty())
        return FileResult::InvalidName;
    if (!AppPaths::ensureParentDir(path))
        return FileResult::WriteFailed;
    QSettings settings(path, QSettings::IniFormat);
    settings.setValue("Setting/MacroFilePath", path);
    settings.setValue("Setting/DefaultDelay", kListDefaultDelay);
    settings.setValue("Setting/DelayType", kListDelayType);
    settings.setValue("Setting/LoopType", kListLoopType);
    settings.setValue("Setting/LoopTime", kListLoopTime);
    writeSteps(settings, steps);
    return syncSettings(settings);
}

int mouseButtonNumber(uint8_t bit) {
    switch (bit) {
    case 1:
        return 0;
    case 4:
        return 1;
    case 2:
        return 2;
    case 8:
        return 3;
    case 16:
        return 4;
    default:
        return -1;
    }
}

bool decodeStep(uint8_t type, uint8_t high, uint8_t low, MacroStep &out) {
    if (type == MacroStep::kMousePress || type == MacroStep::kMouseRelease) {
        if (mouseButtonNumber(low) < 0)
            return false;
        out = {type, 0, low};
        return true;
    }
    switch (type & ~MacroStep::kPressBit) {
    case MacroStep::kMove:
        out = decodeMove(high, low);
        return true;
    case MacroStep::kDelay:
        out = {MacroStep::kDelay, high, low};
        return true;
    case MacroStep::kKeyRelease:
        out = {(type & MacroStep::kPressBit) ? MacroStep::kKeyPress : MacroStep::kKeyRelease, 0, low};
        return true;
    default:
        return false;
    }
}

FileResult loadMacro(const QString &name, MacroData &macro) {
    const QString path = macroFilePath(name);
    if (path.isEmpty())
        return FileResult::InvalidName;
    QSettings settings(path, QSettings::IniFormat);
    macro.name = name;
    macro.delayType = readByte(settings, "Setting/DelayType");
    macro.defaultDelay = settings.value("Setting/DefaultDelay").toString().toInt();
    macro.loopTime = settings.value("Setting/LoopTime").toString().toInt();
    macro.loopType = settings.value("Setting/LoopType", 0).toInt();
    const int count = settings.value("Setting/Count", 0).toInt();
    macro.steps.clear();
    for (int i = 0; i < count; ++i) {
        MacroStep step;
        if (decodeStep(readByte(settings, stepKey("Map_%d", i)), readByte(settings, stepKey("DataH_%d", i)),
                       readByte(settings, stepKey("DataL_%d", i)), step))
            macro.steps.append(step);
    }
    return QFileInfo(path).isFile() ? FileResult::Ok : FileResult::NotFound;
}

bool deleteMacroFile(const QString &name) {
    const QString path = macroFilePath(name);
    if (path.isEmpty())
        return false;
    return !QFileInfo::exists(path) || QFile::remove(path);
}

QString newMacroName() {
    const QString base = description::newMacroName();
    for (int n = 1;; ++n) {
        const QString name = QString("%1 %2").arg(base).arg(n);
        const QString path = macroFilePath(name);
        if (path.isEmpty() || !QFileInfo::exists(path))
            return name;
    }
}

FileResult readMacroForButton(const QString &name, ButtonAssignment &button) {
    const QString path = macroFilePath(name);
    if (path.isEmpty())
        return FileResult::InvalidName;
    QSettings settings(path, QSettings::IniFormat);
    const int count = qBound(0, settings.value("Setting/Count", 0).toInt(), ButtonAssignment::kMaxKeys);
    button.keyNumber = count;
    for (int i = 0; i < count; ++i) {
        button.keys[i].type = readByte(settings, stepKey("Map_%d", i));
        button.keys[i].low = readByte(settings, stepKey("DataL_%d", i));
        button.keys[i].high = readByte(settings, stepKey("DataH_%d", i));
    }
    return QFileInfo(path).isFile() ? FileResult::Ok : FileResult::NotFound;
}

} // namespace macrofile
