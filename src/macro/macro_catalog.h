#pragma once

#include "storage/macro_list.h"
#include "storage/macro_step.h"

#include <QObject>
#include <QVector>

class MacroEditor;

// The user's macros as the MACRO page lists them, with the one the editor has open: each list operation
// says which macro to show next (listChanged) and why it did not fully succeed (failed), in the order the
// page shows them.
class MacroCatalog : public QObject {
    Q_OBJECT
public:
    explicit MacroCatalog(MacroEditor &editor, QObject *parent = nullptr);

    QStringList names() const { return m_list.names(); }
    // Reads the stored list and shows it; reload() shows it only when it changed (korvanectl changed it).
    void load();
    void reload();

    // A new empty macro "Macro N", shown.
    void addNew();
    // false, failing with TooMany, when the list holds as many macros as it can: the gun set asks before
    // its dialog opens.
    bool hasRoom();
    // The gun set's burst as a new macro (its name made free with "_2", "_3" ...), shown.
    void addGunSet(const QString &name, const QVector<MacroStep> &steps);

    // Whether buttons play the open macro, in the working configuration or in the files of profiles (the
    // working profile first).
    bool playedByButtons(QStringList &profiles) const;
    // Deletes the open macro (its buttons get their factory functions) and shows the one in its place.
    void removeOpen();
    // Gives the open macro the name requested, or that name + "_2", "_3" ... while it is taken; renamed()
    // tells the name it has then.
    void renameOpen(const QString &requested);

    // One file shown when imported; several from the batch mode, the list shown again.
    void importFile(const QString &path);
    void importFiles(const QStringList &paths);
    // path gets the extension .MSMACRO when it has another.
    void exportOpen(QString path);
    void exportFiles(const QStringList &names, const QString &folder);

signals:
    // The list to show, with select (or the first macro) open.
    void listChanged(const QString &select);
    // An operation refused or only partly done (ProfilesNotUpdated: done, but a profile file kept the old
    // name or function).
    void failed(MacroListResult result);
    // After a rename: the open macro's name, the old one when refused.
    void renamed(const QString &name);
    // Buttons that play a macro changed with it; the window shows the working configuration again.
    void buttonsChanged();

private:
    void report(MacroListResult result);

    MacroEditor &m_editor;
    MacroList m_list;
};
