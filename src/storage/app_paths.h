#pragma once

#include <QString>

// Roots of every path the program uses. The application directory is set once at start-up (tests point
// it at a temporary copy of the installed tree); the other roots are derived from it on each call.
//
// Settings live beside the program (applicationDir() + "/Configs") while that folder is the program's
// own to write: build/dist, or a copy of it. An installed application directory is never written: it
// holds the install marker (installed by `cmake --install`, so the rule holds for root as well), or the
// process cannot write into it. Then the settings live in the user's configuration folder,
// userConfigDir(), seeded from the installed Configs/ template by seedUserConfig().
class AppPaths {
public:
    // The names the desktop's per-user folders are made from (~/.config/<organisation>/<application>);
    // the window and korvanectl both set them, so that they share one configuration folder.
    static const char *const kOrganizationName;
    static const char *const kApplicationName;
    // The file in an installed application directory that says so.
    static const char *const kInstallMarker;

    // What each program's main() does first: sets the names above, the application directory and, for
    // an installed tree, seeds the user's configuration folder (a failed copy shows later, as the file
    // error of the setting that needs it).
    static void startUp(const QString &applicationDir);

    // Also decides, once, whether the directory is installed (see above).
    static void setApplicationDir(const QString &dir);
    static QString applicationDir();
    // True when the settings live in userConfigDir() rather than beside the program.
    static bool isInstalled();

    // applicationDir() + "/DefaultProfile.bin", the read-only device description.
    static QString descriptionFile();
    // Where the settings are read and written: userConfigDir() for an installed tree, else
    // applicationDir() + "/Configs".
    static QString configDir();
    // applicationDir() + "/Configs": the settings of a tree that is not installed, the template of one
    // that is.
    static QString templateConfigDir();
    // The desktop's configuration folder of the program (QStandardPaths::AppConfigLocation) + "/Configs".
    static QString userConfigDir();
    static QString mainConfigFile();
    static QString languageConfigFile();
    // configDir() + "/" + product; with an empty product name this is configDir() itself plus "/".
    static QString productDir(const QString &productName);
    static QString productConfigFile(const QString &productName);
    static QString skinDir();

    // Creates the folder of a file about to be written; true when it exists afterwards.
    [[nodiscard]] static bool ensureParentDir(const QString &filePath);

    // For an installed tree whose user folder holds no Config.ini yet (the first start, or one after the
    // user removed it): copies each template file the user folder lacks, never replacing one the user has,
    // and leaves the copies writable by their owner. Config.ini comes only once every other file is there,
    // so a seeding that failed or broke off is finished at the next start; a seeded folder is the user's,
    // and a profile the user deleted stays deleted. Does nothing for a tree that is not installed. False
    // when a file could not be copied.
    static bool seedUserConfig();
};
