#include "storage/macro_file.h"

#include "storage/app_paths.h"
#include "storage/description_file.h"
#include "storage/file_name.h"
#include "storage/file_replace.h"
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

// The one writer of macro files; the editor's files carry the write sign, the macro list's do not.
FileResult writeMacroFile(const QString &name, int defaultDelay, int delayType, int loopType, int loopTime,
                          const QVector<MacroStep> &steps, bool writeSign) {
    const QString path = macroFilePath(name);
    if (path.isEmpty())
        return FileResult::InvalidName;
    if (!filereplace::linkStaysInside(path, AppPaths::configDir()))
        return FileResult::OutsideLink;
    if (!AppPaths::ensureParentDir(path))
        return FileResult::WriteFailed;
    QSettings settings(path, QSettings::IniFormat);
    settings.setValue("Setting/MacroFilePath", path);
    settings.setValue("Setting/DefaultDelay", defaultDelay);
    settings.setValue("Setting/DelayType", delayType);
    settings.setValue("Setting/LoopType", loopType);
    settings.setValue("Setting/LoopTime", loopTime);
    writeSteps(settings, steps);
    if (writeSign)
        settings.setValue("Setting/WriteSign", 1);
    return syncSettings(settings);
}

} // namespace

QString macroFilePath(const QString &name) {
    if (!filename::isSafe(name))
        return QString();
    return AppPaths::configDir() + "/MacroDB/" + name + ".MSMACRO";
}

FileResult saveMacro(const MacroData &macro) {
    return writeMacroFile(macro.name, macro.defaultDelay, macro.delayType, macro.loopType, macro.loopTime,
                          macro.steps, true);
}

FileResult saveMacroSteps(const QString &name, const QVector<MacroStep> &steps) {
    return writeMacroFile(name, kListDefaultDelay, kListDelayType, kListLoopType, kListLoopTime, steps,
                          false);
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

std::optional<MacroStep> decodeStep(uint8_t type, uint8_t high, uint8_t low) {
    if (type == MacroStep::kMousePress || type == MacroStep::kMouseRelease) {
        if (mouseButtonNumber(low) < 0)
            return std::nullopt;
        return MacroStep{type, 0, low};
    }
    switch (type & ~MacroStep::kPressBit) {
    case MacroStep::kMove:
        return decodeMove(high, low);
    case MacroStep::kDelay:
        return MacroStep{MacroStep::kDelay, high, low};
    case MacroStep::kKeyRelease:
        return MacroStep{(type & MacroStep::kPressBit) ? MacroStep::kKeyPress : MacroStep::kKeyRelease, 0,
                         low};
    default:
        return std::nullopt;
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
    QVector<MacroStep> raw;
    const FileResult result = readRawSteps(name, kMaxSteps, raw);
    macro.steps.clear();
    for (const MacroStep &stored : raw) {
        if (const std::optional<MacroStep> step = decodeStep(stored.type, stored.high, stored.low))
            macro.steps.append(*step);
    }
    return result;
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
    QVector<MacroStep> steps;
    const FileResult result = readRawSteps(name, ButtonAssignment::kMaxKeys, steps);
    if (result == FileResult::InvalidName)
        return result;
    button.keyNumber = steps.size();
    for (int i = 0; i < steps.size(); ++i) {
        button.keys[i].type = steps[i].type;
        button.keys[i].low = steps[i].low;
        button.keys[i].high = steps[i].high;
    }
    return result;
}

FileResult readRawSteps(const QString &name, int limit, QVector<MacroStep> &steps) {
    steps.clear();
    const QString path = macroFilePath(name);
    if (path.isEmpty())
        return FileResult::InvalidName;
    QSettings settings(path, QSettings::IniFormat);
    const int count = qBound(0, settings.value("Setting/Count", 0).toInt(), qBound(0, limit, kMaxSteps));
    for (int i = 0; i < count; ++i)
        steps.append({readByte(settings, stepKey("Map_%d", i)), readByte(settings, stepKey("DataH_%d", i)),
                      readByte(settings, stepKey("DataL_%d", i))});
    return QFileInfo(path).isFile() ? FileResult::Ok : FileResult::NotFound;
}

} // namespace macrofile
