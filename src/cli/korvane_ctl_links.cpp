// korvanectl links: the programs joined to profiles, listed, added and removed.
#include "cli/korvane_ctl.h"

#include "storage/app_paths.h"
#include "storage/config_file.h"
#include "storage/file_replace.h"
#include "storage/profile_links.h"
#include "storage/profile_list.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>

namespace {
QString tr(const char *text) {
    return QCoreApplication::translate("KorvaneCtl", text);
}

// A link names a program by its executable's file name, or by its absolute path, which is compared with
// the running executable's own and so is kept without "." and ".." steps. Empty when word is neither.
QString linkedProgram(const QString &word) {
    if (word.startsWith('/')) {
        const QString path = QDir::cleanPath(word);
        return word.endsWith('/') || path == "/" ? QString() : path;
    }
    return word.isEmpty() || word.contains('/') || word == "." || word == ".." ? QString() : word;
}
} // namespace

QJsonObject KorvaneCtl::linksObject(const ProfileLinks &links) {
    QJsonArray list;
    for (const ProfileLink &link : links.links)
        list.append(QJsonObject{{"program", link.program}, {"profile", link.profile}, {"focus", link.focus}});
    return QJsonObject{
        {"links", list},
        {"default", links.defaultProfile.isEmpty() ? QJsonValue() : QJsonValue(links.defaultProfile)},
        {"automatic", links.automatic}};
}

int KorvaneCtl::printLinks(const ProfileLinks &links) {
    if (m_json)
        return finish(kOk, QString(), linksObject(links));
    if (links.links.isEmpty())
        m_out << tr("No program is linked to a profile.") << "\n";
    for (const ProfileLink &link : links.links)
        m_out << tr("%1  ->  %2  (%3)")
                     .arg(link.program, link.profile,
                          link.focus ? tr("while its window has focus") : tr("while it runs"))
              << "\n";
    if (!links.defaultProfile.isEmpty())
        m_out << tr("default profile: %1").arg(links.defaultProfile) << "\n";
    m_out << (links.automatic ? tr("automatic switching: on") : tr("automatic switching: off")) << "\n";
    return kOk;
}

int KorvaneCtl::links(const QStringList &arguments) {
    // The list only reads the product configuration, like the profile names.
    if (arguments.isEmpty())
        return printLinks(config::loadProfileLinks());
    const QString operation = arguments.first();
    if (operation != "add" && operation != "remove")
        return usageError(tr("unknown command %1").arg("links " + operation));
    QStringList words = arguments.mid(1);
    const bool focus = operation == "add" && words.removeAll("--focus") > 0;
    if (words.size() != (operation == "add" ? 2 : 1))
        return usageError(tr("wrong arguments for %1").arg("links " + operation));
    const QString program = linkedProgram(words.first());
    if (operation == "add" && program.isEmpty())
        return usageError(tr("\"%1\" names no program: give the program's file name (without '/') or its "
                             "absolute path.")
                              .arg(words.first()));
    const Holder holder = hold();
    if (holder == Holder::Refused)
        return kWindowRuns;
    // The window keeps the links beside the profile list: it is free before the change and reads them
    // again after it.
    if (holder == Holder::Window && !windowFree())
        return kWindowRuns;
    ProfileLinks stored = config::loadProfileLinks();
    QString warning;
    if (operation == "add") {
        ProfileList list;
        list.load();
        if (!list.names().contains(words.at(1)))
            return finish(kRefused, tr("This profile does not exist."));
        // The window class the window may have learnt names the same program's windows: it stays.
        const ProfileLink *known = stored.find(program);
        stored.set(ProfileLink{program, words.at(1), focus, known ? known->windowClass : QString()});
        // The program may be installed later; a path that leads nowhere yet may be a typing mistake, so it
        // is named, and kept.
        if (program.startsWith('/') && !QFileInfo::exists(program))
            warning = tr("There is no program at %1 yet; the link holds once it is there.").arg(program);
    } else if (!stored.remove(words.first()) && (program.isEmpty() || !stored.remove(program))) {
        return finish(kRefused, tr("This program has no link."));
    }
    if (!config::storeProfileLinks(stored)) {
        const QString file = AppPaths::productConfigFile(config::profileProductName());
        return finish(kFileError,
                      filereplace::linkStaysInside(file, AppPaths::configDir())
                          ? tr("The links could not be stored: the file %1 could not be written.").arg(file)
                          : ProfileList::describe(ProfileListResult::LinkOutside, file));
    }
    return finishChange(linksObject(stored), warning, holder);
}
