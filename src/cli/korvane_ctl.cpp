#include "cli/korvane_ctl.h"

#include "device/battery_status.h"
#include "device/command_report.h"
#include "device/mouse_device.h"
#include "device/result_code.h"
#include "device/vel_process_thread.h"
#include "platform/single_instance.h"
#include "sim/backend_choice.h"
#include "storage/app_config_file.h"
#include "storage/app_config_store.h"
#include "storage/app_paths.h"
#include "storage/config_file.h"
#include "storage/description_file.h"
#include "storage/file_name.h"
#include "storage/profile_file.h"
#include "storage/profile_list.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>

namespace {
constexpr int kStatusWaitMs = 1500;
constexpr int kStatusReadMs = 50;

const char *const kCommandHelp[][2] = {
    {"list",
     "list                     the supported mice present, their connections, paths and release numbers"},
    {"status",
     "status                   battery level, charging and connection state, from one battery report"},
    {"profiles", "profiles                 the profile names; the current one is marked"},
    {"profile", "profile add|copy|rename|delete|switch NAME [NEW]\n"
                "                         the window's profile list operations, with its rules and messages"},
    {"apply", "apply [NAME]             write the current (or named) profile and configuration to the mouse"},
    {"export", "export FILE              save the current profile (.prof) or configuration (.conf)"},
    {"import",
     "import FILE              load a .prof into the profile list or a .conf into the configuration"},
    {"macros", "macros [export NAME FILE | import FILE]\n"
               "                         list the macros, or copy one out of or into the macro folder"},
};

QString tr(const char *text) {
    return QCoreApplication::translate("KorvaneCtl", text);
}

AppConfig &working() {
    return AppConfigStore::instance().working();
}

QString connectionName(int connection) {
    return connection == kReceiver ? "receiver" : "cable";
}
} // namespace

KorvaneCtl::KorvaneCtl(QTextStream &out, QTextStream &err) : m_out(out), m_err(err) {}

KorvaneCtl::~KorvaneCtl() {
    if (m_device) {
        m_device->closeAll();
        m_device->shutdownHid();
        MouseDevice::setInstance(nullptr);
    }
}

QString KorvaneCtl::usage() {
    QString text = "usage: korvanectl [--virtual] [--json] COMMAND [ARGUMENTS]\n\ncommands:\n";
    for (const auto &entry : kCommandHelp)
        text += "  " + QString::fromLatin1(entry[1]) + "\n";
    text += "\n--virtual uses the built-in virtual mouse (as KORVANE_VIRTUAL_MOUSE=1 does).\n"
            "--json prints one JSON object instead of text.\n"
            "korvanectl COMMAND --help describes one command.\n\n"
            "exit codes: 0 done; 1 no mouse; 2 the mouse gave no valid answer; 4 write error;\n"
            "5 mouse is off; 6 too many macros; 10 usage; 11 refused by a profile rule;\n"
            "12 file error; 13 the window holds the mouse; 14 no battery report\n";
    return text;
}

int KorvaneCtl::run(const QStringList &arguments) {
    QStringList rest;
    for (const QString &argument : arguments) {
        if (argument == "--virtual")
            qputenv("KORVANE_VIRTUAL_MOUSE", "1");
        else if (argument == "--json")
            m_json = true;
        else
            rest << argument;
    }
    if (rest.isEmpty() || rest.first() == "--help" || rest.first() == "help") {
        m_out << usage();
        return rest.isEmpty() ? kUsage : kOk;
    }
    const QString command = rest.takeFirst();
    if (rest.contains("--help"))
        return help(command);
    if (command == "list")
        return list();
    if (command == "status")
        return status();
    if (command == "profiles")
        return profiles();
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
    m_err << "korvanectl: unknown command " << command << "\n" << usage();
    return kUsage;
}

int KorvaneCtl::help(const QString &command) {
    for (const auto &entry : kCommandHelp) {
        if (command == QLatin1String(entry[0])) {
            m_out << "usage: korvanectl [--virtual] [--json] " << entry[1] << "\n";
            return kOk;
        }
    }
    m_err << "korvanectl: unknown command " << command << "\n";
    return kUsage;
}

int KorvaneCtl::finish(int code, const QString &message, const QJsonObject &data) {
    if (m_json) {
        QJsonObject object = data;
        object.insert("result", code);
        if (!message.isEmpty())
            object.insert("message", message);
        m_out << QJsonDocument(object).toJson(QJsonDocument::Compact) << "\n";
    } else if (!message.isEmpty()) {
        (code == kOk ? m_out : m_err) << message << "\n";
    }
    return code;
}

int KorvaneCtl::refuse(int result) {
    const auto listResult = static_cast<ProfileListResult>(result);
    const int code = listResult == ProfileListResult::WriteFailed || listResult == ProfileListResult::NotFound
                         ? kFileError
                         : kRefused;
    return finish(code, QCoreApplication::translate("ProfileList", ProfileList::message(listResult)));
}

bool KorvaneCtl::holdMouse() {
    m_instance = std::make_unique<SingleInstance>(description::productName());
    if (m_instance->acquire())
        return true;
    finish(kWindowRuns,
           tr("Korvane Config is running and holds the mouse; close it from its tray icon first."));
    return false;
}

bool KorvaneCtl::openDevice() {
    m_backend = std::make_unique<HidBackendChoice>(chooseHidBackend());
    m_device = std::make_unique<MouseDevice>(*m_backend->backend);
    MouseDevice::setInstance(m_device.get());
    m_device->initDeviceTable();
    m_device->enumerateDevices();
    QString name = config::currentProductName();
    if (name.isEmpty())
        name = config::mouseListEntry();
    m_device->openByName(name.toLatin1().constData());
    return m_device->commandHandle() != nullptr;
}

int KorvaneCtl::list() {
    m_backend = std::make_unique<HidBackendChoice>(chooseHidBackend());
    m_device = std::make_unique<MouseDevice>(*m_backend->backend);
    m_device->initDeviceTable();
    m_device->enumerateDevices();
    QJsonArray mice;
    QString text;
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
            const int release = m_backend->backend->releaseNumber(commandPath.toStdString());
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
        mouse.insert("connections", connections);
        mice.append(mouse);
    }
    if (!m_json)
        m_out << (text.isEmpty() ? tr("No supported mouse is connected.") + "\n" : text);
    return m_json ? finish(kOk, QString(), QJsonObject{{"mice", mice}}) : kOk;
}

int KorvaneCtl::status() {
    if (!holdMouse())
        return kWindowRuns;
    if (!openDevice())
        return finish(kResultNoDevice, tr("No supported mouse is connected."));
    HidHandle *handle = m_device->commandHandle();
    const CommandReport request = report::makeCommand(report::kCmdBattery, 0);
    HidBackend &backend = m_device->backend();
    if (backend.write(handle, request.data(), request.size()) < 0)
        return finish(kResultWriteError, tr("The status request could not be sent."));
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < kStatusWaitMs) {
        CommandReport reply{};
        const int read = backend.readTimeout(handle, reply.data(), reply.size(), kStatusReadMs);
        if (read < 0)
            break;
        if (read == 0 || reply[report::kCommand] != report::kCmdBattery)
            continue;
        const int raw = reply[report::kBatteryHigh] * 256 + reply[report::kBatteryLow];
        const bool charging = reply[report::kBatteryCharge] != 0;
        const DeviceEntry &entry = m_device->table().entries[0];
        const battery::ConnectionState state = battery::connectionState(
            entry.present[commandFlag(kCable)] != 0, entry.present[commandFlag(kReceiver)] != 0, charging);
        static const char *const kStates[] = {"cable", "receiver and cable", "receiver", "none"};
        if (raw == 0 && !charging)
            return finish(kResultMouseOff, tr("Mouse is sleeping or not connected."),
                          QJsonObject{{"connection", kStates[state]}, {"off", true}});
        const int level = battery::level(raw, config::batteryFull());
        const QJsonObject data{{"level", level},
                               {"millivolts", battery::millivolts(raw)},
                               {"charging", charging},
                               {"connection", kStates[state]}};
        if (!m_json)
            m_out << tr("battery %1%, %2 mV, %3, connection: %4")
                         .arg(level)
                         .arg(battery::millivolts(raw))
                         .arg(charging ? tr("charging") : tr("not charging"),
                              QString::fromLatin1(kStates[state]))
                  << "\n";
        return m_json ? finish(kOk, QString(), data) : kOk;
    }
    return finish(kNoAnswer, tr("The mouse did not answer; it may be asleep. Move it and try again."));
}

int KorvaneCtl::profiles() {
    ProfileList list;
    list.load();
    config::loadAppConfig(working());
    const QString current = working().profileNames[0];
    if (m_json)
        return finish(
            kOk, QString(),
            QJsonObject{{"profiles", QJsonArray::fromStringList(list.names())}, {"current", current}});
    for (const QString &name : list.names())
        m_out << (name == current ? "* " : "  ") << name << "\n";
    return kOk;
}

int KorvaneCtl::profile(const QStringList &arguments) {
    if (arguments.size() < 2 || (arguments.first() == "rename" && arguments.size() < 3))
        return finish(kUsage, usage());
    const QString operation = arguments.at(0);
    const QString name = arguments.at(1);
    ProfileList list;
    list.load();
    config::loadAppConfig(working());
    QString made;
    ProfileListResult result = ProfileListResult::Ok;
    if (operation == "add") {
        // A name that cannot be used is refused before a profile is made for it.
        if (!filename::isSafe(name))
            return refuse(static_cast<int>(ProfileListResult::InvalidName));
        result = list.add(made);
        if (result == ProfileListResult::Ok && name != made && !name.isEmpty())
            result = list.rename(made, name);
    } else if (operation == "copy") {
        result = list.copy(name, made);
    } else if (operation == "rename") {
        result = list.rename(name, arguments.at(2));
        if (result == ProfileListResult::Ok && working().profileNames[0] == name) {
            working().profileNames[0] = arguments.at(2);
            config::saveProfileSlotState(working());
        }
    } else if (operation == "delete") {
        QString next;
        result = list.remove(name, next, working().profileId, working().profileNames[0]);
        if (result == ProfileListResult::Ok && working().profileNames[0] == name) {
            working().profileNames[0] = next;
            config::saveProfileSlotState(working());
        }
    } else if (operation == "switch") {
        if (!list.names().contains(name))
            return refuse(static_cast<int>(ProfileListResult::NotFound));
        result = list.select(name, working().profileId, working());
        if (result == ProfileListResult::Ok)
            config::saveProfileSlotState(working());
    } else {
        return finish(kUsage, usage());
    }
    if (result != ProfileListResult::Ok)
        return refuse(static_cast<int>(result));
    return finish(kOk, QString(), QJsonObject{{"profiles", QJsonArray::fromStringList(list.names())}});
}

int KorvaneCtl::apply(const QStringList &arguments) {
    config::loadAppConfig(AppConfigStore::instance().loaded());
    AppConfigStore::instance().resetWorkingCopy();
    if (!arguments.isEmpty()) {
        ProfileList list;
        list.load();
        if (!list.names().contains(arguments.first()))
            return refuse(static_cast<int>(ProfileListResult::NotFound));
        const ProfileListResult result = list.select(arguments.first(), 0, working());
        if (result != ProfileListResult::Ok)
            return refuse(static_cast<int>(result));
    }
    if (!holdMouse())
        return kWindowRuns;
    openDevice();
    // The window's write: store the configuration, send it, keep the result.
    VelProcessThread thread;
    thread.start();
    thread.wait();
    const int result = thread.result();
    if (result == kResultMouseOff)
        return finish(result, tr("Mouse is sleeping or not connected."));
    if (result != kResultOk)
        return finish(result, tr("Send data failed, please try again."));
    return finish(kOk, QString(), QJsonObject{{"profile", working().profileNames[0]}});
}

int KorvaneCtl::exportFile(const QStringList &arguments) {
    if (arguments.isEmpty())
        return finish(kUsage, usage());
    const QString path = arguments.first();
    const QString product = config::currentProductName();
    config::loadAppConfig(working());
    ProfileList list;
    list.load();
    const ProfileListResult result = path.endsWith(".conf", Qt::CaseInsensitive)
                                         ? ProfileList::exportConfigFile(working(), path, product)
                                         : list.exportFile(working().profileNames[0], path, product);
    return result == ProfileListResult::Ok ? finish(kOk, QString()) : refuse(static_cast<int>(result));
}

int KorvaneCtl::importFile(const QStringList &arguments) {
    if (arguments.isEmpty())
        return finish(kUsage, usage());
    const QString path = arguments.first();
    const QString product = config::currentProductName();
    config::loadAppConfig(working());
    if (path.endsWith(".conf", Qt::CaseInsensitive)) {
        const ProfileListResult result = ProfileList::importConfigFile(working(), path, product);
        if (result != ProfileListResult::Ok)
            return refuse(static_cast<int>(result));
        if (config::saveAppConfig(working()) != FileResult::Ok)
            return refuse(static_cast<int>(ProfileListResult::WriteFailed));
        return finish(kOk, QString());
    }
    ProfileList list;
    list.load();
    QString name;
    const ProfileListResult result = list.importFile(path, product, name);
    if (result != ProfileListResult::Ok)
        return refuse(static_cast<int>(result));
    return finish(kOk, QString(), QJsonObject{{"profile", name}});
}

int KorvaneCtl::macros(const QStringList &arguments) {
    const QString folder = AppPaths::configDir() + "/MacroDB/";
    if (arguments.isEmpty()) {
        const QStringList names = config::listMacros();
        if (m_json)
            return finish(kOk, QString(), QJsonObject{{"macros", QJsonArray::fromStringList(names)}});
        for (const QString &name : names)
            m_out << name << "\n";
        return kOk;
    }
    if (arguments.first() == "export" && arguments.size() == 3) {
        const QString name = arguments.at(1);
        const QString source = folder + name + ".MSMACRO";
        if (!filename::isSafe(name) || !QFileInfo::exists(source))
            return refuse(static_cast<int>(ProfileListResult::NotFound));
        QFile::remove(arguments.at(2));
        return QFile::copy(source, arguments.at(2))
                   ? finish(kOk, QString())
                   : refuse(static_cast<int>(ProfileListResult::WriteFailed));
    }
    if (arguments.first() == "import" && arguments.size() == 2) {
        const QString path = arguments.at(1);
        const QString name = QFileInfo(path).completeBaseName();
        if (!QFileInfo::exists(path))
            return refuse(static_cast<int>(ProfileListResult::NotFound));
        if (!filename::isSafe(name))
            return refuse(static_cast<int>(ProfileListResult::InvalidName));
        if (config::listMacros().contains(name) || QFileInfo::exists(folder + name + ".MSMACRO"))
            return finish(kRefused, tr("Macro Exist!"));
        AppPaths::ensureParentDir(folder + name + ".MSMACRO");
        if (!QFile::copy(path, folder + name + ".MSMACRO") || !config::addMacroName(name))
            return refuse(static_cast<int>(ProfileListResult::WriteFailed));
        return finish(kOk, QString(), QJsonObject{{"macro", name}});
    }
    return finish(kUsage, usage());
}
