#pragma once

#include "cli/window_service.h"
#include "storage/macro_list.h"
#include "storage/profile_links.h"
#include "storage/profile_list.h"

#include <QJsonObject>
#include <QStringList>
#include <QTextStream>
#include <functional>
#include <memory>

class HidBackend;
class MouseDevice;
struct AccessReport;
class SingleInstance;

// korvanectl: the window's profile, file and device operations from a shell. It uses the program's own
// files, profile rules and device link, so its results and messages are the window's.
class KorvaneCtl {
public:
    // Exit codes. Device results (1 no mouse, 2 gave up or unreadable, 4 write error, 5 mouse off, 6 too
    // many macros, 7 no profile file, 8 a button's macro missing) are passed through as they are.
    enum Exit {
        kOk = 0,
        kUsage = 10,        // unknown command or missing argument
        kRefused = 11,      // a profile or macro rule refused the operation, or the name is unknown
        kFileError = 12,    // a file could not be found, read or written
        kWindowRuns = 13,   // the window runs: it holds the mouse and its own copy of the profile list
        kNoAnswer = 14,     // the mouse did not answer the status request
        kNoPermission = 15, // the mouse is plugged in, but this user may not open its nodes
    };

    // Makes the HID backend a device command opens: hidapi or the virtual mouse, as main() chose.
    using BackendFactory = std::function<std::unique_ptr<HidBackend>()>;

    KorvaneCtl(QTextStream &out, QTextStream &err, BackendFactory makeBackend);
    ~KorvaneCtl();

    // Runs one command line (without the program name); returns the exit code.
    int run(const QStringList &arguments);

    static QString usage();

private:
    int list();
    int status();
    int profiles(const QStringList &arguments);
    int profile(const QStringList &arguments);
    int apply(const QStringList &arguments);
    int exportFile(const QStringList &arguments);
    int importFile(const QStringList &arguments);
    int macros(const QStringList &arguments);
    int links(const QStringList &arguments);
    int doctor();
    int help(const QString &command);
    // The names alone, one a line (with --json as one array under key), for shell completion and scripts.
    int names(const char *key, const QStringList &list);

    // Who holds the mouse and the profiles for a command: this run, the window (which then answers on the
    // session bus), or another program (the run was refused with exit 13 and a message).
    enum class Holder { Us, Window, Refused };
    // Takes the program's single-instance lock, so that the window and this tool never both talk to the
    // mouse, and no change to the profiles or files is overwritten by the window's list in memory. While
    // the window holds it and answers on the session bus, the command goes through the window instead.
    Holder hold();
    // Without taking the lock: the window holds it and answers on the session bus.
    bool windowAnswers() const;
    // The window's answers, printed as the same commands print them without the window.
    int windowStatus();
    int windowProfiles();
    int windowSwitch(const QString &name);
    int windowApply(const QString &name);
    // Before a profile file operation while the window runs: the window is free to read the files again
    // afterwards (false, with exit 13, when it is busy).
    bool windowFree();
    // After it: the window reads the profile list again, so it shows the change at once; a window that
    // cannot is named in a warning, the files being changed all the same.
    void windowReload(QJsonObject &data);
    // Ends a command that changed the files: warning (if any) told, the window (when it holds the mouse)
    // told to read them again, data printed.
    int finishChange(QJsonObject data, const QString &warning, Holder holder);
    // A call the window refused or did not answer, with the code and message the same refusal has here.
    int windowError(const WindowService::Reply &reply);
    // The status and profile list as both ways print them.
    int printStatus(int level, int millivolts, bool charging, const QString &connection, bool mayDiffer);
    int printProfiles(const QStringList &names, const QString &current);
    // The links, the default profile and the automatic switch: with --json as one object, else a line each.
    static QJsonObject linksObject(const ProfileLinks &links);
    int printLinks(const ProfileLinks &links);
    bool openDevice();
    // After openDevice() failed: exit 15 with what to do when this user may not open the mouse, else
    // absentMessage with the no-mouse code.
    int noDevice(const QString &absentMessage);
    // The access as korvanectl reports it in JSON: the state, and for a refused node its path, owner, mode,
    // the installed rule and the command that fixes it.
    static QJsonObject accessObject(const AccessReport &access);
    // Prints the outcome: with --json exactly one object per run, otherwise the message (if any).
    int finish(int code, const QString &message, const QJsonObject &data = QJsonObject());
    int usageError(const QString &message);
    // file: the file the text names, where it names one.
    int refuse(ProfileListResult result, const QString &file = QString());
    int refuse(MacroListResult result);

    QTextStream &m_out;
    QTextStream &m_err;
    bool m_json = false;
    std::unique_ptr<SingleInstance> m_instance;
    BackendFactory m_makeBackend;
    std::unique_ptr<HidBackend> m_backend;
    std::unique_ptr<MouseDevice> m_device;
};
