// korvanectl doctor: what a bug report about the mouse needs, gathered without changing anything. Serial
// numbers are left out.
#include "cli/korvane_ctl.h"

#include "cli/trace_tail.h"

#include "device/device_access.h"
#include "device/mouse_device.h"
#include "device/udev_rule.h"
#include "platform/autostart.h"
#include "platform/desktop_session.h"
#include "platform/linux/system_report.h"
#include "platform/single_instance.h"
#include "storage/app_config_store.h"
#include "storage/app_paths.h"
#include "storage/config_file.h"
#include "storage/description_file.h"
#include "storage/profile_list.h"
#include "storage/program_version.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <set>

namespace {
constexpr int kTraceLines = 20;

QString tr(const char *text) {
    return QCoreApplication::translate("KorvaneCtl", text);
}

QString usbId(int vendor, int product) {
    return QString::asprintf("%04x:%04x", vendor & 0xFFFF, product & 0xFFFF);
}

// The last lines of the wire trace KORVANE_HID_TRACE names.
QStringList traceTail(const QString &path) {
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return tracetail::lastLines(file, kTraceLines);
}

QString orDash(const QString &text) {
    return text.isEmpty() ? QStringLiteral("-") : text;
}

QString yesNo(bool yes) {
    static const char *const kWords[] = {QT_TRANSLATE_NOOP("KorvaneCtl", "no"),
                                         QT_TRANSLATE_NOOP("KorvaneCtl", "yes")};
    return tr(kWords[yes ? 1 : 0]);
}
} // namespace

int KorvaneCtl::doctor() {
    // Read before this run adds its own reports to the trace.
    const QString tracePath = qEnvironmentVariable("KORVANE_HID_TRACE");
    const QStringList trace = traceTail(tracePath);

    QJsonObject session{{"type", qEnvironmentVariable("XDG_SESSION_TYPE")},
                        {"waylandDisplay", qEnvironmentVariable("WAYLAND_DISPLAY")},
                        {"display", qEnvironmentVariable("DISPLAY")}};
    QString extensions = tr("not asked (no DISPLAY)");
    if (!qEnvironmentVariableIsEmpty("DISPLAY")) {
        const QMap<QString, bool> offered = systemreport::xExtensions({"RECORD", "XTEST"});
        QJsonObject found;
        QStringList named;
        for (auto it = offered.begin(); it != offered.end(); ++it) {
            found.insert(it.key(), it.value());
            named << it.key() + " " + yesNo(it.value());
        }
        session.insert("xExtensions", found);
        extensions = offered.isEmpty() ? tr("the X server did not answer") : named.join(", ");
    }

    int vid1 = 0, pid1 = 0, vid2 = 0, pid2 = 0;
    description::deviceIds(vid1, pid1, vid2, pid2);
    const QJsonObject ids{{"receiver", usbId(vid1, pid1)}, {"cable", usbId(vid2, pid2)}};

    // The window holds the mouse: its nodes are only opened then, never asked.
    SingleInstance window(description::productName());
    const bool windowRuns = !window.acquire();
    openDevice();
    const DeviceAccess access = windowRuns ? m_device->access() : probeAccess(*m_device);
    const AccessReport refused = describeAccess(*m_device);

    QJsonArray nodes;
    QStringList nodeLines;
    // The firmware each connection reports: its USB release number, four hex digits as korvanectl list
    // shows it.
    QJsonObject firmware;
    std::set<std::string> seen;
    for (const HidDeviceInfo &info : m_backend->enumerate()) {
        const bool receiver = info.vendorId == vid1 && info.productId == pid1;
        if ((!receiver && (info.vendorId != vid2 || info.productId != pid2)) ||
            !seen.insert(info.path).second)
            continue;
        const QString path = QString::fromStdString(info.path);
        firmware.insert(receiver ? "receiver" : "cable",
                        QString("%1").arg(info.releaseNumber, 4, 16, QLatin1Char('0')));
        const HidNodeStatus status = m_backend->nodeStatus(info.path);
        const QString mode = QString::number(status.mode, 8).rightJustified(4, '0');
        const QStringList acl = systemreport::aclEntries(path);
        const QStringList holders = systemreport::processesHolding(path);
        nodes.append(QJsonObject{{"path", path},
                                 {"connection", receiver ? "receiver" : "cable"},
                                 {"owner", status.owner},
                                 {"group", status.group},
                                 {"mode", mode},
                                 {"acl", QJsonArray::fromStringList(acl)},
                                 {"heldBy", QJsonArray::fromStringList(holders)}});
        nodeLines << tr("node %1 (%2): %3:%4 %5, ACL %6, held open by %7")
                         .arg(path, receiver ? "receiver" : "cable", status.owner, status.group, mode,
                              acl.isEmpty() ? tr("none") : acl.join(", "),
                              holders.isEmpty() ? tr("no other process") : holders.join(", "));
    }

    // How the program gets along with this desktop, and every fallback it takes.
    const desktopsession::Kind kind = desktopsession::current();
    const QString notifications = systemreport::notificationService();
    const QString tray = systemreport::systemTray();
    const bool osdProgram = desktopsession::osdProgramUsable(kind);
    const bool pointerControl = desktopsession::pointerControlUsable(kind);
    const QJsonObject desktop{
        {"session", desktopsession::name(kind)},
        {"onMouseChanges", osdProgram ? "osd program (notifications when it cannot start)" : "notifications"},
        {"notifications",
         notifications.isEmpty() ? "tray messages (no notification service)" : notifications},
        {"tray", tray.isEmpty() ? "none (closing the window ends the program)" : tray},
        {"pointerSpeed", pointerControl ? "X server" : "desktop settings (profiles keep theirs)"},
        {"startAtLogin", autostart::enabled() ? autostart::entryPath() : QString()},
        {"batteryNotice", config::batteryNoticeLevel()},
        {"settingsMayDiffer", config::configDiff() == 1}};

    // The report names the current profile; whether its file reads whole is not asked here.
    (void)ProfileList::loadStoredConfig(workingConfig());
    const QString product = config::profileProductName();
    const QString profile = workingConfig().profileNames[0];
    const QString rule = udevrule::installedPath();

    QJsonObject report{{"version", program::version()},
                       {"distribution", systemreport::distribution()},
                       {"session", session},
                       {"usbIds", ids},
                       {"udevRule", rule},
                       {"access", accessName(access)},
                       {"windowRuns", windowRuns},
                       {"nodes", nodes},
                       {"firmware", firmware},
                       {"product", product},
                       {"profile", profile},
                       {"desktop", desktop}};
    if (refused.state == DeviceAccess::Denied)
        report.insert("fix", udevrule::fixCommand(!rule.isEmpty(), AppPaths::applicationDir()));
    if (!tracePath.isEmpty())
        report.insert("trace",
                      QJsonObject{{"file", tracePath}, {"lines", QJsonArray::fromStringList(trace)}});
    if (m_json)
        return finish(kOk, QString(), report);

    m_out << tr("korvanectl %1").arg(program::version()) << "\n"
          << tr("distribution: %1").arg(orDash(report["distribution"].toString())) << "\n"
          << tr("session: %1, DISPLAY %2, WAYLAND_DISPLAY %3, X extensions: %4")
                 .arg(orDash(session["type"].toString()), orDash(session["display"].toString()),
                      orDash(session["waylandDisplay"].toString()), extensions)
          << "\n"
          << tr("USB ids: receiver %1, cable %2").arg(ids["receiver"].toString(), ids["cable"].toString())
          << "\n"
          << tr("udev rule: %1").arg(rule.isEmpty() ? tr("not installed") : rule) << "\n"
          << tr("access: %1%2")
                 .arg(accessName(access), windowRuns ? tr(" (the window runs: the mouse was not asked)") : "")
          << "\n";
    if (refused.state == DeviceAccess::Denied)
        m_out << accessMessage(refused, AppPaths::applicationDir()) << "\n";
    for (const QString &line : nodeLines)
        m_out << line << "\n";
    QStringList releases;
    for (auto it = firmware.begin(); it != firmware.end(); ++it)
        releases << tr("%1 release %2").arg(it.key(), it.value().toString());
    m_out << tr("firmware: %1").arg(releases.isEmpty() ? tr("no mouse present") : releases.join(", "))
          << "\n";
    m_out << tr("product: %1, profile: %2").arg(product, profile) << "\n"
          << tr("desktop: %1 session; on-mouse changes: %2; notifications: %3; tray: %4; pointer speed: %5")
                 .arg(desktop["session"].toString(), desktop["onMouseChanges"].toString(),
                      desktop["notifications"].toString(), desktop["tray"].toString(),
                      desktop["pointerSpeed"].toString())
          << "\n"
          << tr("start at login: %1; low battery notice: %2; the mouse may hold other settings: %3")
                 .arg(desktop["startAtLogin"].toString().isEmpty() ? tr("no")
                                                                   : desktop["startAtLogin"].toString(),
                      desktop["batteryNotice"].toInt() == 0
                          ? tr("off")
                          : QString::number(desktop["batteryNotice"].toInt()) + "%",
                      yesNo(desktop["settingsMayDiffer"].toBool()))
          << "\n";
    if (!tracePath.isEmpty())
        m_out << tr("last lines of the wire trace %1:").arg(tracePath) << "\n" << trace.join('\n') << "\n";
    return kOk;
}
