#include "device/hid/hid_backend.h"

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>

uint16_t HidBackend::releaseNumber(const std::string &path) {
    for (const HidDeviceInfo &info : enumerate()) {
        if (info.path == path)
            return info.releaseNumber;
    }
    return 0;
}

HidNodeStatus HidBackend::nodeStatus(const std::string &path) const {
    HidNodeStatus status;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return status;
    status.exists = true;
    status.mode = info.st_mode & 07777;
    const passwd *user = ::getpwuid(info.st_uid);
    const group *owningGroup = ::getgrgid(info.st_gid);
    status.owner = user ? QString::fromLocal8Bit(user->pw_name) : QString::number(info.st_uid);
    status.group = owningGroup ? QString::fromLocal8Bit(owningGroup->gr_name) : QString::number(info.st_gid);
    return status;
}
