#include "macro/macro_catalog.h"

#include "macro/macro_editor.h"
#include "macro/macro_log.h"
#include "storage/app_config_store.h"
#include "storage/config_file.h"
#include "storage/macro_data.h"
#include "storage/macro_links.h"

namespace {
// What a macro made by the gun set starts with.
constexpr int kGunSetDelayMs = 10;
} // namespace

MacroCatalog::MacroCatalog(MacroEditor &editor, QObject *parent) : QObject(parent), m_editor(editor) {}

void MacroCatalog::report(MacroListResult result) {
    if (result != MacroListResult::Ok)
        emit failed(result);
}

void MacroCatalog::load() {
    m_list.load();
    emit listChanged(m_editor.macroName());
}

void MacroCatalog::reload() {
    const QStringList before = m_list.names();
    m_list.load();
    if (m_list.names() != before)
        emit listChanged(m_editor.macroName());
}

void MacroCatalog::addNew() {
    QString name;
    const MacroListResult result = m_list.add(name);
    report(result);
    if (result != MacroListResult::Ok)
        return;
    qCDebug(lcMacro, "%s", qPrintable(name));
    emit listChanged(name);
}

bool MacroCatalog::hasRoom() {
    if (m_list.names().size() < config::kMacroSlots)
        return true;
    report(MacroListResult::TooMany);
    return false;
}

void MacroCatalog::addGunSet(const QString &name, const QVector<MacroStep> &steps) {
    MacroData macro;
    macro.name = name;
    macro.defaultDelay = kGunSetDelayMs;
    macro.delayType = MacroRecorder::kRecordedDelays;
    macro.loopType = 0;
    macro.loopTime = 1;
    macro.steps = steps;
    const MacroListResult result = m_list.add(macro);
    report(result);
    if (result == MacroListResult::Ok)
        emit listChanged(macro.name);
}

bool MacroCatalog::playedByButtons(QStringList &profiles) const {
    const QString name = m_editor.macroName();
    profiles = macrolinks::profilesUsing(name);
    // The working configuration's buttons may play it before its profile file does.
    const QString working = workingConfig().profileNames[0];
    const bool workingUses = macrolinks::uses(workingConfig().profile, name);
    if (workingUses && !working.isEmpty() && !profiles.contains(working))
        profiles.prepend(working);
    return workingUses || !profiles.isEmpty();
}

void MacroCatalog::removeOpen() {
    const QString name = m_editor.macroName();
    if (name.isEmpty())
        return;
    const int row = m_list.names().indexOf(name);
    const MacroListResult result = m_list.remove(name);
    report(result);
    // Closed first, so that the list shows a macro still listed read anew from its file.
    m_editor.close();
    const QStringList names = m_list.names();
    emit listChanged(names.value(qMin(row, names.size() - 1)));
    if (result != MacroListResult::NotFound)
        emit buttonsChanged();
}

void MacroCatalog::renameOpen(const QString &requested) {
    const QString name = m_editor.macroName();
    if (name.isEmpty() || requested.isEmpty())
        return;
    QString actual;
    const MacroListResult result = m_list.rename(name, requested, actual);
    report(result);
    // Renamed all the same when a profile file could not follow.
    if (result != MacroListResult::Ok && result != MacroListResult::ProfilesNotUpdated) {
        emit renamed(name);
        return;
    }
    m_editor.setMacroName(actual);
    emit renamed(actual);
    emit buttonsChanged();
}

void MacroCatalog::importFile(const QString &path) {
    QString name;
    const MacroListResult result = m_list.importFile(path, name);
    report(result);
    if (result == MacroListResult::Ok)
        emit listChanged(name);
}

void MacroCatalog::importFiles(const QStringList &paths) {
    QStringList imported;
    const MacroListResult result = m_list.importFiles(paths, imported);
    emit listChanged(m_editor.macroName());
    report(result);
}

void MacroCatalog::exportOpen(QString path) {
    if (!path.endsWith(QLatin1String(".MSMACRO"), Qt::CaseInsensitive))
        path += QLatin1String(".MSMACRO");
    report(m_list.exportFile(m_editor.macroName(), path));
}

void MacroCatalog::exportFiles(const QStringList &names, const QString &folder) {
    report(m_list.exportFiles(names, folder));
}
