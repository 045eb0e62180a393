#include "storage/app_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <utility>

const char *const AppPaths::kOrganizationName = "korvane";
const char *const AppPaths::kApplicationName = "korvane-config";
const char *const AppPaths::kInstallMarker = "installed";

namespace {
struct Roots {
    QString applicationDir;
    bool installed = false;
};

Roots &roots() {
    static Roots r;
    return r;
}

// Installed: the directory carries the install marker, or this process cannot write where the settings
// would go (Configs/ when it exists, else the directory itself). The marker is what decides for root, who
// may write anywhere. A directory that does not exist is no installed tree.
bool detectInstalled(const QString &dir) {
    const QFileInfo info(dir);
    if (dir.isEmpty() || !info.isDir())
        return false;
    if (QFileInfo::exists(dir + "/" + QString::fromLatin1(AppPaths::kInstallMarker)))
        return true;
    const QFileInfo configs(dir + "/Configs");
    return !(configs.isDir() ? configs : info).isWritable();
}

// Copies one template entry to the user's folder unless it is there already.
bool seedEntry(const QString &source, const QString &target) {
    if (QFileInfo(source).isDir())
        return QDir().mkpath(target);
    if (QFileInfo::exists(target))
        return true;
    // The installed template may be read-only; the user's copy must not be.
    return AppPaths::ensureParentDir(target) && QFile::copy(source, target) &&
           QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::ReadOwner |
                                             QFileDevice::WriteOwner);
}
} // namespace

void AppPaths::startUp(const QString &applicationDir) {
    QCoreApplication::setOrganizationName(QString::fromLatin1(kOrganizationName));
    QCoreApplication::setApplicationName(QString::fromLatin1(kApplicationName));
    setApplicationDir(applicationDir);
    seedUserConfig();
}

void AppPaths::setApplicationDir(const QString &dir) {
    roots().applicationDir = dir;
    roots().installed = detectInstalled(dir);
}

QString AppPaths::applicationDir() {
    return roots().applicationDir;
}

bool AppPaths::isInstalled() {
    return roots().installed;
}

QString AppPaths::descriptionFile() {
    return applicationDir() + "/DefaultProfile.bin";
}

QString AppPaths::configDir() {
    return isInstalled() ? userConfigDir() : templateConfigDir();
}

QString AppPaths::templateConfigDir() {
    return applicationDir() + "/Configs";
}

QString AppPaths::userConfigDir() {
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + "/Configs";
}

QString AppPaths::mainConfigFile() {
    return configDir() + "/Config.ini";
}

QString AppPaths::languageConfigFile() {
    return configDir() + "/LangConfig.ini";
}

QString AppPaths::productDir(const QString &productName) {
    return configDir() + "/" + productName;
}

QString AppPaths::productConfigFile(const QString &productName) {
    return productDir(productName) + "/Config.ini";
}

QString AppPaths::skinDir() {
    return applicationDir() + "/skin";
}

bool AppPaths::ensureParentDir(const QString &filePath) {
    return QDir().mkpath(QFileInfo(filePath).absolutePath());
}

bool AppPaths::seedUserConfig() {
    if (!isInstalled())
        return true;
    const QString from = templateConfigDir();
    const QString to = userConfigDir();
    const QString mainFile = QFileInfo(mainConfigFile()).fileName();
    if (QFileInfo::exists(to + "/" + mainFile))
        return true;

    // Folders before what they hold (empty ones too); the main file only once all the rest is there.
    QStringList entries;
    QDirIterator it(from, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        entries << it.next().mid(from.size() + 1);
    entries.sort();
    const bool hasMainFile = entries.removeOne(mainFile);

    bool ok = QDir().mkpath(to);
    for (const QString &relative : std::as_const(entries))
        ok = seedEntry(from + "/" + relative, to + "/" + relative) && ok;
    return ok && (!hasMainFile || seedEntry(from + "/" + mainFile, to + "/" + mainFile));
}
