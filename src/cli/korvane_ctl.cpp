#include "cli/korvane_ctl.h"

#include "device/battery_request.h"
#include "device/device_access.h"
#include "device/mouse_device.h"
#include "device/result_code.h"
#include "device/udev_rule.h"
#include "device/vel_process_thread.h"
#include "platform/single_instance.h"
#include "storage/app_config_file.h"
#include "storage/app_config_store.h"
#include "storage/app_paths.h"
#include "storage/config_file.h"
#include "storage/description_file.h"
#include "storage/file_replace.h"
#include "storage/macro_list.h"
#include "storage/profile_file.h"
#include "storage/profile_list.h"
#include "storage/profile_session.h"
#include "storage/program_version.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <algorithm>
#include <iterator>

namespace {
const char *const kCommandHelp[][2] = {
    {"list", QT_TRANSLATE_NOOP("KorvaneCtl", "list                     the supported mice present, their "
                                             "connections, paths and release numbers")},
    {"status", QT_TRANSLATE_NOOP("KorvaneCtl", "status                   battery level, charging and "
                                               "connection state, from one battery report")},
    {"profiles",
     QT_TRANSLATE_NOOP("KorvaneCtl", "profiles [--names]       the profile names, the current one "
                                     "marked; --names prints\n"
                                     "                         the names alone, one a line")},
    {"profile",
     QT_TRANSLATE_NOOP("KorvaneCtl", "profile add|copy|rename|delete|switch NAME [NEW]\n"
                                     "                         the window's profile list operations, "
                                     "with its rules and messages")},
    {"apply", QT_TRANSLATE_NOOP("KorvaneCtl", "apply [NAME]             write the current (or named) profile "
                                              "and configuration to the mouse")},
    {"export", QT_TRANSLATE_NOOP("KorvaneCtl", "export FILE              save the current profile (.prof) or "
                                               "configuration (.conf)")},
    {"import",
     QT_TRANSLATE_NOOP("KorvaneCtl", "import FILE              load a .prof into the profile list or "
                                     "a .conf into the configuration")},
    {"macros",
     QT_TRANSLATE_NOOP("KorvaneCtl", "macros [--names | export NAME FILE | import FILE]\n"
                                     "                         list the macro names, one a line, or copy "
                                     "a macro out of or into\n"
                                     "                         the macro folder")},
    {"links",
     QT_TRANSLATE_NOOP("KorvaneCtl", "links [add PROGRAM PROFILE [--focus] | remove PROGRAM]\n"
                                     "                         the programs that give the mouse a profile "
                                     "while they run, or with\n"
                                     "                         --focus while their window has focus; "
                                     "add replaces a program's link")},
    {"doctor",
     QT_TRANSLATE_NOOP("KorvaneCtl", "doctor                   what a bug report needs: version, system, "
                                     "session, the mouse's nodes and access, udev rule, trace")},
};

// The operations of "profile"; rename takes a new name as well.
const char *const kProfileOperations[] = {"add", "copy", "rename", "delete", "switch"};

QString tr(const char *text) {
    return QCoreApplication::translate("KorvaneCtl", text);
}

QString connectionName(int connection) {
    return connection == kReceiver ? "receiver" : "cable";
}

} // namespace

KorvaneCtl::KorvaneCtl(QTextStream &out, QTextStream &err, BackendFactory makeBackend)
    : m_out(out), m_err(err), m_makeBackend(std::move(makeBackend)) {}

KorvaneCtl::~KorvaneCtl() {
    if (m_device) {
        m_device->closeAll();
        m_device->shutdownHid();
        MouseDevice::setInstance(nullptr);
    }
}

QString KorvaneCtl::usage() {
    QString text = tr("usage: korvanectl [--virtual] [--json] COMMAND [ARGUMENTS]\n\ncommands:\n");
    for (const auto &entry : kCommandHelp)
        text += "  " + tr(entry[1]) + "\n";
    text +=
        tr("\n--virtual uses the built-in virtual mouse (as KORVANE_VIRTUAL_MOUSE=1 does).\n"
           "--json prints one JSON object instead of text; a failure as {\"error\": TEXT, \"exit\": CODE}.\n"
           "korvanectl COMMAND --help describes one command.\n\n"
           "exit codes: 0 done; 1 no mouse; 2 the mouse gave no valid answer or could not be read;\n"
           "4 write error; 5 mouse is off; 6 too many macros; 7 the profile was not read from a file;\n"
           "8 a button's macro is missing;\n"
           "10 usage; 11 refused by a profile or macro rule, or unknown name; 12 file error;\n"
           "13 another korvanectl command holds the mouse, or the running window is busy, does not\n"
           "offer the command or cannot be reached on the session bus; 14 no battery report;\n"
           "15 no permission to open the mouse\n");
    text += tr("\n--version prints korvanectl's version. \"profiles --names\" and \"macros --names\" need no "
               "mouse\nand print only the names: the shell completions read them.\n");
    return text;
}

int KorvaneCtl::run(const QStringList &arguments) {
    QStringList rest;
    for (const QString &argument : arguments) {
        // main() has already chosen the virtual mouse for --virtual, wherever it stands.
        if (argument == "--virtual")
            continue;
        if (argument == "--json")
            m_json = true;
        else
            rest << argument;
    }
    if (rest.isEmpty())
        return usageError(tr("no command given"));
    const QString command = rest.takeFirst();
    if (command == "--help" || command == "help")
        return help(rest.value(0));
    if (command == "--version") {
        if (!rest.isEmpty())
            return usageError(tr("wrong arguments for %1").arg(command));
        if (m_json)
            return finish(kOk, QString(), QJsonObject{{"version", program::version()}});
        m_out << tr("korvanectl %1").arg(program::version()) << "\n";
        return kOk;
    }
    if (rest.contains("--help"))
        return help(command);
    // The commands without arguments refuse extra words: "status foo" is a typing mistake, not a status.
    static const QStringList kNoArguments{"list", "status", "doctor"};
    if (kNoArguments.contains(command) && !rest.isEmpty())
        return usageError(tr("wrong arguments for %1").arg(command));
    if (command == "list")
        return list();
    if (command == "status")
        return status();
    if (command == "profiles")
        return profiles(rest);
    if (command == "profile")
        return profile(rest);
    if (command == "apply")
        return apply(rest);
    if (command == "export")
        return exportFile(rest);
    if (command == "import")
        return importFile(rest);
    if (command == "macros")
        return macros(rest);
    if (command == "links")
        return links(rest);
    if (command == "doctor")
        return doctor();
    return usageError(tr("unknown command %1").arg(command));
}

// Without a command the whole usage, else the line of that command.
int KorvaneCtl::help(const QString &command) {
    QString text = command.isEmpty() ? usage() : QString();
    for (const auto &entry : kCommandHelp) {
        if (command == QLatin1String(entry[0]))
            text = tr("usage: korvanectl [--virtual] [--json] %1\n").arg(tr(entry[1]));
    }
    if (text.isEmpty())
        return usageError(tr("unknown command %1").arg(command));
    if (m_json)
        return finish(kOk, QString(), QJsonObject{{"usage", text}});
    m_out << text;
    return kOk;
}

int KorvaneCtl::finish(int code, const QString &message, const QJsonObject &data) {
    if (m_json) {
        QJsonObject object = data;
        if (code == kOk)
            object.insert("result", kOk);
        else
            object.insert("error", message);
        object.insert("exit", code);
        m_out << QJsonDocument(object).toJson(QJsonDocument::Compact) << "\n";
    } else if (!message.isEmpty()) {
        (code == kOk ? m_out : m_err) << message << "\n";
    }
    return code;
}

int KorvaneCtl::usageError(const QString &message) {
    if (m_json)
        return finish(kUsage, message);
    m_err << "korvanectl: " << message << "\n" << usage();
    return kUsage;
}

int KorvaneCtl::refuse(ProfileListResult result, const QString &file) {
    const bool fileError = result == ProfileListResult::WriteFailed ||
                           result == ProfileListResult::NotFound ||
                           result == ProfileListResult::FileMissing || result == ProfileListResult::Damaged ||
                           result == ProfileListResult::LinkOutside;
    return finish(fileError ? kFileError : kRefused, ProfileList::describe(result, file));
}

int KorvaneCtl::refuse(MacroListResult result) {
    const bool fileError = result == MacroListResult::WriteFailed || result == MacroListResult::NotFound ||
                           result == MacroListResult::NotMacroFile ||
                           result == MacroListResult::BadStepCount ||
                           result == MacroListResult::ProfilesNotUpdated;
    return finish(fileError ? kFileError : kRefused,
                  QCoreApplication::translate("MacroList", MacroList::message(result)));
}

bool KorvaneCtl::openDevice() {
    m_backend = m_makeBackend();
    m_device = std::make_unique<MouseDevice>(*m_backend);
    MouseDevice::setInstance(m_device.get());
    m_device->initDeviceTable();
    m_device->enumerateDevices();
    QString name = config::currentProductName();
    if (name.isEmpty())
        name = config::mouseListEntry();
    m_device->openByName(name.toLatin1().constData());
    return m_device->commandHandle() != nullptr;
}

int KorvaneCtl::noDevice(const QString &absentMessage) {
    const AccessReport access = describeAccess(*m_device);
    if (access.state == DeviceAccess::Denied)
        return finish(kNoPermission, accessMessage(access, AppPaths::applicationDir()), accessObject(access));
    return finish(kResultNoDevice, absentMessage, accessObject(access));
}

QJsonObject KorvaneCtl::accessObject(const AccessReport &access) {
    QJsonObject object{{"access", accessName(access.state)}};
    if (access.state != DeviceAccess::Denied)
        return object;
    object.insert("node", QString::fromStdString(access.node));
    object.insert("owner", access.status.owner);
    object.insert("mode", QString::number(access.status.mode, 8).rightJustified(4, '0'));
    object.insert("udevRule", access.rulePath);
    object.insert("fix", udevrule::fixCommand(!access.rulePath.isEmpty(), AppPaths::applicationDir()));
    return object;
}

int KorvaneCtl::list() {
    m_backend = m_makeBackend();
    m_device = std::make_unique<MouseDevice>(*m_backend);
    m_device->initDeviceTable();
    m_device->enumerateDevices();
    QJsonArray mice;
    QString text;
    AccessReport denied;
    const DeviceTable &table = m_device->table();
    for (uint32_t i = 0; i < table.count; ++i) {
        const DeviceEntry &entry = table.entries[i];
        QJsonObject mouse;
        const QString name = QString::fromLatin1(entry.name.data());
        mouse.insert("name", name);
        QJsonArray connections;
        for (int c = 0; c < kConnectionCount; ++c) {
            const bool present = entry.present[mouseFlag(c)] && entry.present[commandFlag(c)];
            if (!present)
                continue;
            const QString mousePath = QString::fromLatin1(entry.path[mouseSlot(c)].data());
            const QString commandPath = QString::fromLatin1(entry.path[commandSlot(c)].data());
            const int release = m_backend->releaseNumber(commandPath.toStdString());
            connections.append(QJsonObject{{"connection", connectionName(c)},
                                           {"mousePath", mousePath},
                                           {"commandPath", commandPath},
                                           {"release", release}});
            text += QString("%1  %2  %3  %4  release %5\n")
                        .arg(name, connectionName(c), mousePath, commandPath)
                        .arg(release, 4, 16, QLatin1Char('0'));
        }
        if (connections.isEmpty())
            continue;
        // Only opening the nodes tells a mouse this user may use from one the kernel refuses.
        m_device->openByName(entry.name.data());
        const AccessReport access = describeAccess(*m_device);
        m_device->closeAll();
        if (access.state == DeviceAccess::Denied)
            denied = access;
        mouse.insert("connections", connections);
        mouse.insert("access", accessName(access.state));
        mice.append(mouse);
    }
    if (!m_json)
        m_out << (text.isEmpty() ? tr("No supported mouse is connected.") + "\n" : text);
    if (denied.state == DeviceAccess::Denied) {
        QJsonObject data = accessObject(denied);
        data.insert("mice", mice);
        return finish(kNoPermission, accessMessage(denied, AppPaths::applicationDir()), data);
    }
    return m_json ? finish(kOk, QString(), QJsonObject{{"mice", mice}}) : kOk;
}

int KorvaneCtl::status() {
    const Holder holder = hold();
    if (holder != Holder::Us)
        return holder == Holder::Window ? windowStatus() : kWindowRuns;
    if (!openDevice())
        return noDevice(tr("No supported mouse is connected."));
    BatteryReport reading;
    const BatteryAnswer answer = requestBatteryReport(*m_device, reading);
    if (answer == BatteryAnswer::WriteFailed)
        return finish(kResultWriteError, tr("The status request could not be sent."));
    if (answer == BatteryAnswer::ReadFailed)
        return finish(kResultGaveUp, tr("The mouse's answer could not be read."));
    if (answer == BatteryAnswer::Invalid)
        return finish(kResultGaveUp, tr("The mouse gave no valid answer."));
    if (answer == BatteryAnswer::Silent)
        return finish(kNoAnswer, tr("The mouse did not answer; it may be asleep. Move it and try again."),
                      QJsonObject{{"access", accessName(DeviceAccess::Silent)}});
    const DeviceEntry &entry = m_device->table().entries[0];
    const battery::ConnectionState state =
        battery::connectionState(entry.present[commandFlag(kCable)] != 0,
                                 entry.present[commandFlag(kReceiver)] != 0, reading.charging);
    static const char *const kStates[] = {"cable", "receiver and cable", "receiver", "none"};
    if (reading.off)
        return finish(kResultMouseOff, tr("Mouse is sleeping or not connected."),
                      QJsonObject{{"connection", kStates[state]}, {"off", true}});
    // "Config/Diff": the last write did not reach the mouse, or a connection arrived since.
    return printStatus(reading.level, reading.millivolts, reading.charging,
                       QString::fromLatin1(kStates[state]), config::configDiff() == 1);
}

int KorvaneCtl::printStatus(int level, int millivolts, bool charging, const QString &connection,
                            bool mayDiffer) {
    const QJsonObject data{{"level", level},
                           {"millivolts", millivolts},
                           {"charging", charging},
                           {"connection", connection},
                           {"access", accessName(DeviceAccess::Ready)},
                           {"settingsMayDiffer", mayDiffer}};
    if (!m_json) {
        m_out << tr("battery %1%, %2 mV, %3, connection: %4")
                     .arg(level)
                     .arg(millivolts)
                     .arg(charging ? tr("charging") : tr("not charging"), connection)
              << "\n";
        if (mayDiffer)
            m_out << tr("The mouse may hold other settings than the current profile: \"korvanectl apply\" "
                        "sends "
                        "it.")
                  << "\n";
    }
    return m_json ? finish(kOk, QString(), data) : kOk;
}

int KorvaneCtl::names(const char *key, const QStringList &list) {
    if (m_json)
        return finish(kOk, QString(), QJsonObject{{key, QJsonArray::fromStringList(list)}});
    for (const QString &name : list)
        m_out << name << "\n";
    return kOk;
}

int KorvaneCtl::profiles(const QStringList &arguments) {
    const bool namesOnly = arguments == QStringList{"--names"};
    if (!arguments.isEmpty() && !namesOnly)
        return usageError(tr("wrong arguments for %1").arg("profiles"));
    ProfileList list;
    list.load();
    // The list alone: no profile file is read, so completing a name on the shell stays quick.
    if (namesOnly)
        return names("profiles", list.names());
    // The running window's list holds what it has not stored yet: a switch made there.
    if (windowAnswers())
        return windowProfiles();
    // Only the current name is shown, which a damaged profile file does not change.
    (void)ProfileList::loadStoredConfig(workingConfig());
    return printProfiles(list.names(), workingConfig().profileNames[0]);
}

int KorvaneCtl::printProfiles(const QStringList &names, const QString &current) {
    if (m_json)
        return finish(kOk, QString(),
                      QJsonObject{{"profiles", QJsonArray::fromStringList(names)}, {"current", current}});
    for (const QString &name : names)
        m_out << (name == current ? "* " : "  ") << name << "\n";
    return kOk;
}

int KorvaneCtl::profile(const QStringList &arguments) {
    const QString operation = arguments.value(0);
    if (std::none_of(std::begin(kProfileOperations), std::end(kProfileOperations),
                     [&](const char *known) { return operation == QLatin1String(known); }))
        return usageError(tr("unknown command %1").arg("profile " + operation));
    if (arguments.size() != (operation == "rename" ? 3 : 2))
        return usageError(tr("wrong arguments for %1").arg("profile " + operation));
    const Holder holder = hold();
    if (holder == Holder::Refused)
        return kWindowRuns;
    const QString name = arguments.at(1);
    // The window switches in its own list; the other operations change the files while the window is
    // free, and it reads them again.
    if (holder == Holder::Window && operation == "switch")
        return windowSwitch(name);
    if (holder == Holder::Window && !windowFree())
        return kWindowRuns;
    // The current profile's file may be damaged: the operations work on the list all the same.
    (void)ProfileList::loadStoredConfig(workingConfig());
    ProfileSession session(workingConfig());
    session.load();
    // Every operation but add works on a profile of the list; any other name is refused before a file or
    // the list is touched.
    if (operation != "add" && !session.names().contains(name))
        return finish(kRefused, tr("This profile does not exist."));
    QString made;
    ProfileListResult result = ProfileListResult::Ok;
    if (operation == "add")
        result = session.addNamed(name);
    else if (operation == "copy")
        result = session.copy(name, made);
    else if (operation == "rename")
        result = session.rename(name, arguments.at(2));
    else if (operation == "delete")
        result = session.remove(name);
    else
        result = session.switchTo(name);
    if (result != ProfileListResult::Ok)
        return refuse(result, session.failedFile());
    QJsonObject data{{"profiles", QJsonArray::fromStringList(session.names())},
                     {"current", session.currentName()}};
    const QString warning = session.warning() == ProfileListResult::Ok
                                ? QString()
                                : ProfileList::describe(session.warning(), session.failedFile());
    return finishChange(data, warning, holder);
}

int KorvaneCtl::apply(const QStringList &arguments) {
    if (arguments.size() > 1)
        return usageError(tr("wrong arguments for %1").arg("apply"));
    const Holder holder = hold();
    if (holder != Holder::Us)
        return holder == Holder::Window ? windowApply(arguments.value(0)) : kWindowRuns;
    // The window's start: the stored configuration, or the default profile when it names none.
    AppConfigStore &store = AppConfigStore::instance();
    const FileResult loaded = ProfileList::loadStoredConfig(store.loaded());
    store.resetWorkingCopy();
    if (!arguments.isEmpty()) {
        ProfileSession session(workingConfig());
        session.load();
        if (!session.names().contains(arguments.first()))
            return finish(kRefused, tr("This profile does not exist."));
        const ProfileListResult result = session.switchTo(arguments.first());
        if (result != ProfileListResult::Ok)
            return refuse(result, session.failedFile());
    } else if (loaded != FileResult::Ok) {
        // A profile that was not read whole would take every click from the mouse: it is not sent.
        const ProfileListResult unread = loaded == FileResult::NotFound ? ProfileListResult::FileMissing
                                                                        : ProfileList::fromFileResult(loaded);
        return finish(kResultNoProfile, ProfileList::describe(unread, profile::profileFilePath(
                                                                          workingConfig().profileNames[0])));
    }
    if (!openDevice())
        return noDevice(tr("No mouse is connected."));
    // The window's write: store the configuration, send it, keep the result. No battery report has been
    // read, so the mouse counts as on with no capability reported.
    VelProcessThread thread(MouseCondition{});
    thread.start();
    thread.wait();
    const ProfileWriteOutcome outcome = thread.outcome();
    // A configuration that was not stored is a file error whatever the mouse said; the message says both.
    if (!outcome.saved)
        return finish(kFileError, outcomeMessage(outcome));
    const int result = outcome.result;
    if (result == kResultNoDevice)
        return finish(result, tr("No mouse is connected."));
    if (result != kResultOk)
        return finish(result, outcomeMessage(outcome));
    return finish(kOk, QString(), QJsonObject{{"profile", workingConfig().profileNames[0]}});
}

int KorvaneCtl::exportFile(const QStringList &arguments) {
    if (arguments.size() != 1)
        return usageError(tr("wrong arguments for %1").arg("export"));
    // Export only reads the files: the window may hold the lock meanwhile.
    if (hold() == Holder::Refused)
        return kWindowRuns;
    const QString path = arguments.first();
    const QString product = config::profileProductName();
    // A damaged current profile is exported as the file it is; a ".conf" needs it whole.
    const FileResult loaded = ProfileList::loadStoredConfig(workingConfig());
    if (path.endsWith(".conf", Qt::CaseInsensitive)) {
        if (loaded != FileResult::Ok)
            return refuse(ProfileList::fromFileResult(loaded),
                          profile::profileFilePath(workingConfig().profileNames[0]));
        const ProfileListResult result = ProfileList::exportConfigFile(workingConfig(), path, product);
        return result == ProfileListResult::Ok ? finish(kOk, QString()) : refuse(result, path);
    }
    ProfileSession session(workingConfig());
    session.load();
    const ProfileListResult result = session.exportFile(path, product);
    return result == ProfileListResult::Ok ? finish(kOk, QString()) : refuse(result, path);
}

int KorvaneCtl::importFile(const QStringList &arguments) {
    if (arguments.size() != 1)
        return usageError(tr("wrong arguments for %1").arg("import"));
    const Holder holder = hold();
    if (holder == Holder::Refused)
        return kWindowRuns;
    const QString path = arguments.first();
    // A configuration replaces what the window holds in memory: the window loads it itself.
    if (holder == Holder::Window && path.endsWith(".conf", Qt::CaseInsensitive))
        return finish(kWindowRuns,
                      tr("Korvane Config is running: load the configuration from its window (%1), or close "
                         "it from its tray icon first.")
                          .arg(QCoreApplication::translate("StatusRow", "LOAD1")));
    if (holder == Holder::Window && !windowFree())
        return kWindowRuns;
    const QString product = config::profileProductName();
    // An import needs no whole current profile: a ".conf" replaces it, a ".prof" becomes current.
    (void)ProfileList::loadStoredConfig(workingConfig());
    if (path.endsWith(".conf", Qt::CaseInsensitive)) {
        const ProfileListResult result = ProfileList::importConfigFile(workingConfig(), path, product);
        if (result != ProfileListResult::Ok)
            return refuse(result, path);
        const FileResult saved = config::saveAppConfig(workingConfig());
        if (saved != FileResult::Ok)
            return refuse(ProfileList::fromFileResult(saved),
                          profile::profileFilePath(workingConfig().profileNames[0]));
        return finish(kOk, QString());
    }
    ProfileSession session(workingConfig());
    session.load();
    QString name;
    const ProfileListResult result = session.importFile(path, product, name);
    if (result != ProfileListResult::Ok)
        return refuse(result, session.failedFile());
    return finishChange(QJsonObject{{"profile", name}}, QString(), holder);
}

int KorvaneCtl::macros(const QStringList &arguments) {
    MacroList list;
    list.load();
    if (arguments.isEmpty() || arguments == QStringList{"--names"})
        return names("macros", list.names());
    const QString operation = arguments.first();
    const bool exporting = operation == "export" && arguments.size() == 3;
    if (!exporting && !(operation == "import" && arguments.size() == 2))
        return usageError(tr("wrong arguments for %1").arg("macros " + operation));
    const Holder holder = hold();
    if (holder == Holder::Refused)
        return kWindowRuns;
    // The window's macro list is its own: a macro copied in here would be lost, one copied out stale.
    if (holder == Holder::Window)
        return finish(kWindowRuns,
                      tr("Korvane Config is running: use %1 on its %2 page, or close it from its tray icon "
                         "first.")
                          .arg(QCoreApplication::translate("MacroDialog", exporting ? "EXPORT" : "IMPORT"),
                               QCoreApplication::translate("PageTabs", "MACRO")));
    QString name;
    const MacroListResult result = exporting ? list.exportFile(arguments.at(1), arguments.at(2))
                                             : list.importFile(arguments.at(1), name);
    if (result != MacroListResult::Ok)
        return refuse(result);
    return exporting ? finish(kOk, QString()) : finish(kOk, QString(), QJsonObject{{"macro", name}});
}
