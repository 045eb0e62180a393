// The commands' way through the running window: who holds the mouse, and what the window's session-bus
// service answers for status, the profile list, the switch and Apply.
#include "cli/korvane_ctl.h"

#include "cli/window_service.h"
#include "device/device_access.h"
#include "device/result_code.h"
#include "platform/single_instance.h"
#include "storage/app_paths.h"
#include "storage/description_file.h"
#include "storage/file_replace.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QJsonArray>

namespace {
QString tr(const char *text) {
    return QCoreApplication::translate("KorvaneCtl", text);
}
} // namespace

KorvaneCtl::Holder KorvaneCtl::hold() {
    m_instance = std::make_unique<SingleInstance>(description::productName());
    if (m_instance->acquire()) {
        // Holding the lock, no save is in flight: what a killed one left is cleared away.
        filereplace::removeLeftovers(AppPaths::configDir());
        return Holder::Us;
    }
    // The lock names the program holding it: another run of this command ends by itself; the window does
    // for this command what it offers on the session bus, and without the bus it must be closed.
    const SingleInstance::Holder holder = m_instance->holder();
    if (holder.program == QFileInfo(QCoreApplication::applicationFilePath()).fileName())
        finish(kWindowRuns, tr("Another korvanectl command (process %1) holds the mouse and the profiles; "
                               "try again when it has ended.")
                                .arg(holder.pid));
    else if (WindowService::reachable())
        return Holder::Window;
    else
        finish(kWindowRuns,
               tr("Korvane Config is running and holds the mouse and the profiles; close it from its "
                  "tray icon first."));
    return Holder::Refused;
}

bool KorvaneCtl::windowAnswers() const {
    const SingleInstance::Holder holder = SingleInstance(description::productName()).holder();
    return !holder.program.isEmpty() &&
           holder.program != QFileInfo(QCoreApplication::applicationFilePath()).fileName() &&
           WindowService::reachable();
}

int KorvaneCtl::windowError(const WindowService::Reply &reply) {
    if (reply.errorName == QLatin1String(sessionbus::kUnknownProfileError))
        return finish(kRefused, tr("This profile does not exist."));
    if (reply.errorName == QLatin1String(sessionbus::kInvalidNameError))
        return finish(kRefused, reply.errorText);
    // The window refuses a switch only for a profile file it cannot read.
    if (reply.errorName == QLatin1String(sessionbus::kRefusedError))
        return finish(kFileError, reply.errorText);
    if (reply.errorName == QLatin1String(sessionbus::kBusyError))
        return finish(
            kWindowRuns,
            tr("Korvane Config cannot take this now: %1 Try again when it is done.").arg(reply.errorText));
    return finish(kWindowRuns, tr("Korvane Config did not answer: %1").arg(reply.errorText));
}

bool KorvaneCtl::windowFree() {
    const WindowService::Reply reply = WindowService::call("Reload");
    if (!reply.ok())
        windowError(reply);
    return reply.ok();
}

void KorvaneCtl::windowReload(QJsonObject &data) {
    const WindowService::Reply reply = WindowService::call("Reload");
    if (reply.ok())
        return;
    const QString warning =
        tr("Korvane Config did not read the profiles again (%1); it shows the change when it is "
           "started again.")
            .arg(reply.errorText);
    data.insert("warning", warning);
    if (!m_json)
        m_err << warning << "\n";
}

int KorvaneCtl::windowStatus() {
    WindowService::Reply reply;
    const QVariantMap mouse = WindowService::properties(reply);
    if (!reply.ok())
        return windowError(reply);
    if (mouse.value("Product").toString().isEmpty())
        return finish(kResultNoDevice, tr("No supported mouse is connected."),
                      QJsonObject{{"access", accessName(DeviceAccess::Absent)}});
    const QString connection = mouse.value("Connection").toString();
    if (mouse.value("MouseOff").toBool())
        return finish(kResultMouseOff, tr("Mouse is sleeping or not connected."),
                      QJsonObject{{"connection", connection}, {"off", true}});
    // The window has had no battery report yet: as a mouse that does not answer the request here.
    if (mouse.value("BatteryLevel").toInt() < 0)
        return finish(kNoAnswer, tr("The mouse did not answer; it may be asleep. Move it and try again."),
                      QJsonObject{{"access", accessName(DeviceAccess::Silent)}});
    return printStatus(mouse.value("BatteryLevel").toInt(), mouse.value("BatteryMillivolts").toInt(),
                       mouse.value("Charging").toBool(), connection,
                       mouse.value("SettingsMayDiffer").toBool());
}

int KorvaneCtl::windowProfiles() {
    WindowService::Reply reply;
    const QVariantMap window = WindowService::properties(reply);
    if (!reply.ok())
        return windowError(reply);
    return printProfiles(window.value("Profiles").toStringList(), window.value("CurrentProfile").toString());
}

int KorvaneCtl::windowSwitch(const QString &name) {
    WindowService::Reply reply = WindowService::call("SwitchProfile", {name});
    if (!reply.ok())
        return windowError(reply);
    const QVariantMap window = WindowService::properties(reply);
    if (!reply.ok())
        return windowError(reply);
    return finish(
        kOk, QString(),
        QJsonObject{{"profiles", QJsonArray::fromStringList(window.value("Profiles").toStringList())},
                    {"current", window.value("CurrentProfile").toString()}});
}

int KorvaneCtl::windowApply(const QString &name) {
    WindowService::Reply reply = WindowService::call("Apply", {name}, WindowService::kApplyTimeoutMs);
    if (!reply.ok())
        return windowError(reply);
    const int result = reply.values.value(0).toInt();
    const QString message = reply.values.value(2).toString();
    if (!reply.values.value(1).toBool())
        return finish(kFileError, message);
    if (result == kResultNoDevice)
        return finish(result, tr("No mouse is connected."),
                      QJsonObject{{"access", accessName(DeviceAccess::Absent)}});
    if (result != kResultOk)
        return finish(result, message);
    const QVariantMap window = WindowService::properties(reply);
    if (!reply.ok())
        return windowError(reply);
    return finish(kOk, QString(), QJsonObject{{"profile", window.value("CurrentProfile").toString()}});
}

int KorvaneCtl::finishChange(QJsonObject data, const QString &warning, Holder holder) {
    if (!warning.isEmpty()) {
        data.insert("warning", warning);
        if (!m_json)
            m_err << warning << "\n";
    }
    if (holder == Holder::Window)
        windowReload(data);
    return finish(kOk, QString(), data);
}
