#pragma once

#include <QString>
#include <QStringList>

struct MacroData;

// Outcome of a macro-list operation. Every refusal leaves files and list as they were.
enum class [[nodiscard]] MacroListResult{
    Ok,
    TooMany,     // the list already holds fifty macros
    Exists,      // a macro of that name is listed or has a file in the macro folder
    InvalidName, // the name cannot be a file name
    NotFound,    // the macro, or the file to import, does not exist
    WriteFailed, // a file or the list could not be written, copied, renamed or removed
    // The macro was renamed or deleted, but a profile file whose buttons name it could not be written.
    ProfilesNotUpdated,
    NotMacroFile, // the file to import has no macro settings at all
    BadStepCount, // the file to import claims a number of steps no macro can have
};

// The user's macros: the names under MACRO_LIST of Config.ini and a ".MSMACRO" file per name in the
// macro folder. The macro page and the command line both run the operations here and show the same
// message for each result.
class MacroList {
public:
    // Reads the stored list.
    void load();
    QStringList names() const { return m_names; }

    // An empty macro (default delay 10 ms, one loop) named "Macro N" with the lowest free N.
    MacroListResult add(QString &newName);
    // Saves macro under its name, or its name + "_2", "_3" ... while that is taken, and lists it; macro.name
    // is the name it got.
    MacroListResult add(MacroData &macro);
    // Removes name from the list and deletes its file; the buttons that played it, in the working
    // configuration and the listed profile files, get their factory function.
    MacroListResult remove(const QString &name);
    // Gives oldName the name requested, or requested + "_2", "_3" ... while that is taken; actual is the
    // name it got. The buttons that play it follow, in the working configuration and the listed profile
    // files. Renaming a macro to its own name changes nothing.
    MacroListResult rename(const QString &oldName, const QString &requested, QString &actual);
    // Copies a macro file into the macro folder under its own base name, which becomes the macro's name.
    // A file without a step count, or with one that is negative, no number or above macrofile::kMaxSteps,
    // is refused.
    MacroListResult importFile(const QString &path, QString &name);
    // Imports the files in order and stops at the first one refused; imported holds the names added.
    MacroListResult importFiles(const QStringList &paths, QStringList &imported);
    // Copies the macro's file to path, replacing path only once the copy is complete. Exporting a macro
    // onto its own file leaves it alone.
    MacroListResult exportFile(const QString &name, const QString &path) const;
    // Exports each macro as folder/<name>.MSMACRO and stops at the first failure.
    MacroListResult exportFiles(const QStringList &names, const QString &folder) const;

    // The text shown for a result (untranslated; front ends translate it in the "MacroList" context).
    static const char *message(MacroListResult result);

private:
    bool taken(const QString &name) const;
    QString freeName(const QString &requested) const;

    QStringList m_names;
};
