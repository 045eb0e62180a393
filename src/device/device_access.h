#pragma once

#include "device/hid/hid_node_status.h"

#include <QString>
#include <string>

class MouseDevice;

// How far the program gets to the mouse, from plugged in to answering.
enum class DeviceAccess {
    Absent, // neither the receiver nor the cable is plugged in
    Denied, // plugged in, but this user may not open its node (EACCES or EPERM)
    Failed, // plugged in, but its node could not be opened or used for another reason
    Silent, // opened, but the mouse does not answer: asleep or out of reach
    Ready,  // opened (and answering, when it was asked)
};

// The access, with what the user needs to put a refusal right: the refused node's path, owner and mode,
// and where the udev rule that gives access is installed.
struct AccessReport {
    DeviceAccess state = DeviceAccess::Absent;
    std::string node;
    HidNodeStatus status;
    QString rulePath; // empty when the rule is in none of the folders udev reads
};

// From the device link's last open: Absent, Denied, Failed or Ready. Opens and sends nothing.
AccessReport describeAccess(const MouseDevice &device);
// describeAccess()'s state; for an open link, Silent unless the mouse answers one status request.
DeviceAccess probeAccess(MouseDevice &device);
// The state's name in korvanectl's output: absent, denied, failed, silent, ready.
const char *accessName(DeviceAccess access);
// For a refused node: the mouse is there but this user may not open it, and the one command that gives
// access (translated in the "DeviceAccess" context).
QString accessMessage(const AccessReport &report, const QString &applicationDir);
