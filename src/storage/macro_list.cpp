#include "storage/macro_list.h"

#include "storage/config_file.h"
#include "storage/file_name.h"
#include "storage/file_replace.h"
#include "storage/macro_data.h"
#include "storage/macro_file.h"
#include "storage/macro_links.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace {
// What a new macro starts with: the editor's default delay and loop count fields.
constexpr int kNewMacroDelay = 10;
constexpr int kNewMacroLoops = 1;

// Whether a file can be taken as a macro: settings that parse, and a step count that is a number from 0 to
// the most a macro holds.
MacroListResult checkImported(const QString &path) {
    const QSettings settings(path, QSettings::IniFormat);
    const QVariant count = settings.value("Setting/Count");
    if (settings.status() != QSettings::NoError || !count.isValid())
        return MacroListResult::NotMacroFile;
    bool number = false;
    const int steps = count.toString().trimmed().toInt(&number);
    if (!number || steps < 0 || steps > macrofile::kMaxSteps)
        return MacroListResult::BadStepCount;
    return MacroListResult::Ok;
}
} // namespace

void MacroList::load() {
    m_names = config::listMacros();
}

bool MacroList::taken(const QString &name) const {
    return m_names.contains(name) || QFileInfo::exists(macrofile::macroFilePath(name));
}

MacroListResult MacroList::add(QString &newName) {
    MacroData macro;
    macro.name = macrofile::newMacroName();
    macro.defaultDelay = kNewMacroDelay;
    macro.loopTime = kNewMacroLoops;
    const MacroListResult result = add(macro);
    if (result == MacroListResult::Ok)
        newName = macro.name;
    return result;
}

MacroListResult MacroList::add(MacroData &macro) {
    if (m_names.size() >= config::kMacroSlots)
        return MacroListResult::TooMany;
    if (!filename::isSafe(macro.name) || macrofile::macroFilePath(macro.name).isEmpty())
        return MacroListResult::InvalidName;
    macro.name = freeName(macro.name);
    if (macrofile::saveMacro(macro) != FileResult::Ok)
        return MacroListResult::WriteFailed;
    if (!config::addMacroName(macro.name)) {
        // Taking the new file back is all that can be done; the refusal is told either way.
        (void)macrofile::deleteMacroFile(macro.name);
        return MacroListResult::WriteFailed;
    }
    // The name takes the first free place of the stored list, as the list will read after a restart.
    load();
    return MacroListResult::Ok;
}

QString MacroList::freeName(const QString &requested) const {
    QString candidate = requested;
    for (int n = 2; taken(candidate); ++n)
        candidate = requested + QString::asprintf("_%d", n);
    return candidate;
}

MacroListResult MacroList::remove(const QString &name) {
    if (!m_names.contains(name))
        return MacroListResult::NotFound;
    if (!config::removeMacroName(name))
        return MacroListResult::WriteFailed;
    m_names.removeOne(name);
    if (!macrofile::deleteMacroFile(name))
        return MacroListResult::WriteFailed;
    // A button left naming the macro would be sent as an empty macro.
    return macrolinks::resetEverywhere(name) == FileResult::Ok ? MacroListResult::Ok
                                                               : MacroListResult::ProfilesNotUpdated;
}

MacroListResult MacroList::rename(const QString &oldName, const QString &requested, QString &actual) {
    const int index = m_names.indexOf(oldName);
    if (index < 0)
        return MacroListResult::NotFound;
    if (requested == oldName) {
        actual = oldName;
        return MacroListResult::Ok;
    }
    if (!filename::isSafe(requested) || macrofile::macroFilePath(oldName).isEmpty())
        return MacroListResult::InvalidName;
    const QString candidate = freeName(requested);
    const QString from = macrofile::macroFilePath(oldName);
    if (QFileInfo::exists(from) && !QFile::rename(from, macrofile::macroFilePath(candidate)))
        return MacroListResult::WriteFailed;
    if (!config::renameMacroName(oldName, candidate)) {
        QFile::rename(macrofile::macroFilePath(candidate), from);
        return MacroListResult::WriteFailed;
    }
    m_names[index] = candidate;
    actual = candidate;
    return macrolinks::renameEverywhere(oldName, candidate) == FileResult::Ok
               ? MacroListResult::Ok
               : MacroListResult::ProfilesNotUpdated;
}

MacroListResult MacroList::importFile(const QString &path, QString &name) {
    if (!QFileInfo(path).isFile())
        return MacroListResult::NotFound;
    const QString base = QFileInfo(path).completeBaseName();
    const QString target = macrofile::macroFilePath(base);
    if (target.isEmpty())
        return MacroListResult::InvalidName;
    if (taken(base))
        return MacroListResult::Exists;
    const MacroListResult readable = checkImported(path);
    if (readable != MacroListResult::Ok)
        return readable;
    // The list takes the name only after the file is in place, so a full list is refused before copying.
    if (m_names.size() >= config::kMacroSlots)
        return MacroListResult::TooMany;
    if (!filereplace::copy(path, target))
        return MacroListResult::WriteFailed;
    if (!config::addMacroName(base)) {
        // Taking the copy back is all that can be done; the refusal is told either way.
        (void)macrofile::deleteMacroFile(base);
        return MacroListResult::WriteFailed;
    }
    load();
    name = base;
    return MacroListResult::Ok;
}

MacroListResult MacroList::importFiles(const QStringList &paths, QStringList &imported) {
    for (const QString &path : paths) {
        QString name;
        const MacroListResult result = importFile(path, name);
        if (result != MacroListResult::Ok)
            return result;
        imported << name;
    }
    return MacroListResult::Ok;
}

MacroListResult MacroList::exportFile(const QString &name, const QString &path) const {
    const QString source = macrofile::macroFilePath(name);
    if (source.isEmpty())
        return MacroListResult::InvalidName;
    if (!QFileInfo(source).isFile())
        return MacroListResult::NotFound;
    return filereplace::copy(source, path) ? MacroListResult::Ok : MacroListResult::WriteFailed;
}

MacroListResult MacroList::exportFiles(const QStringList &names, const QString &folder) const {
    for (const QString &name : names) {
        const MacroListResult result = exportFile(name, folder + "/" + name + ".MSMACRO");
        if (result != MacroListResult::Ok)
            return result;
    }
    return MacroListResult::Ok;
}

const char *MacroList::message(MacroListResult result) {
    switch (result) {
    case MacroListResult::Ok:
        return "";
    case MacroListResult::TooMany:
        return QT_TRANSLATE_NOOP("MacroList", "TOO MANY MACROS TO BE CREATE!");
    case MacroListResult::Exists:
        return QT_TRANSLATE_NOOP("MacroList", "Macro Exist!");
    case MacroListResult::InvalidName:
        return QT_TRANSLATE_NOOP("MacroList", "This name cannot be used for a macro.");
    case MacroListResult::NotFound:
        return QT_TRANSLATE_NOOP("MacroList", "The macro file was not found.");
    case MacroListResult::WriteFailed:
        return QT_TRANSLATE_NOOP("MacroList", "The macro file could not be written.");
    case MacroListResult::ProfilesNotUpdated:
        return QT_TRANSLATE_NOOP("MacroList",
                                 "Not every profile whose buttons use this macro could be saved.");
    case MacroListResult::NotMacroFile:
        return QT_TRANSLATE_NOOP("MacroList", "This file is not a macro file.");
    case MacroListResult::BadStepCount:
        return QT_TRANSLATE_NOOP("MacroList", "This macro file claims more steps than a macro can hold.");
    }
    return "";
}
