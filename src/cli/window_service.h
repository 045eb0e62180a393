#pragma once

#include "platform/session_bus_names.h"

#include <QString>
#include <QVariantList>
#include <QVariantMap>

// korvanectl's side of the running window's session-bus interface: while the window holds the mouse and
// the profiles, the commands it offers (status, the profile switch, apply, a reload of the profile files)
// go through it. The names are the window's own (io.github.korvane.KorvaneConfig1.xml).
class WindowService {
public:
    // A write with macros takes seconds; the window answers Apply only when the write has ended.
    static constexpr int kApplyTimeoutMs = 120000;

    // True when there is a session bus and the window's name on it has an owner. Without a bus (none
    // started, or DBUS_SESSION_BUS_ADDRESS is "disabled:") the window cannot be reached.
    static bool reachable();

    // The outcome of one call: the reply's values, or the error's name and text.
    struct Reply {
        QVariantList values;
        QString errorName;
        QString errorText;
        bool ok() const { return errorName.isEmpty(); }
    };
    static Reply call(const QString &method, const QVariantList &arguments = QVariantList(),
                      int timeoutMs = -1);
    // Every property of the interface by name; empty, with reply holding the error, when the window did
    // not answer.
    static QVariantMap properties(Reply &reply);
};
