#pragma once

#include <QString>
#include <cstdint>

// Who may open a HID interface's node, as the system reports it: on Linux the hidraw node's owner, group
// and permission bits. A user without read and write access is refused (EACCES) by the kernel.
struct HidNodeStatus {
    bool exists = false;
    QString owner; // user name, or the numeric id when it has none
    QString group;
    uint32_t mode = 0; // permission bits, 07777
};
