#pragma once

#include <QString>

// Roots of every path the program uses. The application directory is set once at start-up (tests point
// it at a temporary copy of the installed tree); the other roots are derived from it on each call.
class AppPaths {
public:
    static void setApplicationDir(const QString &dir);
    static QString applicationDir();

    // applicationDir() + "/DefaultProfile.bin", the read-only device description.
    static QString descriptionFile();
    // applicationDir() + "/Configs".
    static QString configDir();
    static QString mainConfigFile();
    static QString languageConfigFile();
    // configDir() + "/" + product; with an empty product name this is configDir() itself plus "/".
    static QString productDir(const QString &productName);
    static QString productConfigFile(const QString &productName);
    static QString skinDir();
    static QString langDir();

    // Creates the folder of a file about to be written; true when it exists afterwards.
    static bool ensureParentDir(const QString &filePath);
};
