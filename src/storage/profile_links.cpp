#include "storage/profile_links.h"

#include <algorithm>

const ProfileLink *ProfileLinks::find(const QString &program) const {
    const auto it = std::find_if(links.cbegin(), links.cend(),
                                 [&program](const ProfileLink &link) { return link.program == program; });
    return it == links.cend() ? nullptr : &*it;
}

void ProfileLinks::set(const ProfileLink &link) {
    for (ProfileLink &known : links) {
        if (known.program == link.program) {
            known = link;
            return;
        }
    }
    links.append(link);
}

bool ProfileLinks::remove(const QString &program) {
    const int before = links.size();
    links.erase(std::remove_if(links.begin(), links.end(),
                               [&program](const ProfileLink &link) { return link.program == program; }),
                links.end());
    return links.size() != before;
}

void ProfileLinks::profileRenamed(const QString &oldName, const QString &newName) {
    for (ProfileLink &link : links) {
        if (link.profile == oldName)
            link.profile = newName;
    }
    if (defaultProfile == oldName)
        defaultProfile = newName;
}

QVector<ProfileLink> ProfileLinks::keepOnly(const QStringList &names) {
    QVector<ProfileLink> gone;
    QVector<ProfileLink> kept;
    for (const ProfileLink &link : links)
        (names.contains(link.profile) ? kept : gone).append(link);
    links = kept;
    if (!defaultProfile.isEmpty() && !names.contains(defaultProfile))
        defaultProfile.clear();
    return gone;
}
