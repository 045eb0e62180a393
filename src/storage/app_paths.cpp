#include "storage/app_paths.h"

#include <QDir>
#include <QFileInfo>

namespace {
QString &applicationDirStorage() {
    static QString dir;
    return dir;
}
} // namespace

void AppPaths::setApplicationDir(const QString &dir) {
    applicationDirStorage() = dir;
}

QString AppPaths::applicationDir() {
    return applicationDirStorage();
}

QString AppPaths::descriptionFile() {
    return applicationDir() + "/DefaultProfile.bin";
}

QString AppPaths::configDir() {
    return applicationDir() + "/Configs";
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

QString AppPaths::langDir() {
    return applicationDir() + "/lang";
}

bool AppPaths::ensureParentDir(const QString &filePath) {
    return QDir().mkpath(QFileInfo(filePath).absolutePath());
}
