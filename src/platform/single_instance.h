#pragma once

#include <QString>
#include <memory>

class QLockFile;

// Makes sure one copy of the program runs per product and user. The lock is a file in the user's runtime
// directory named after the product; a lock left behind by a crashed process is taken over.
class SingleInstance {
public:
    // lockDir empty: the user's runtime directory.
    explicit SingleInstance(const QString &productName, const QString &lockDir = QString());
    ~SingleInstance();
    SingleInstance(const SingleInstance &) = delete;
    SingleInstance &operator=(const SingleInstance &) = delete;

    // True when this process now holds the lock (kept until destruction); false when another holds it.
    bool acquire();

    // The process holding the lock, as its lock file names it: the program's file name (such as
    // "korvanectl") and its process id. Empty and 0 when the lock is free or its file cannot be read.
    struct Holder {
        qint64 pid = 0;
        QString program;
    };
    Holder holder() const;

    // File name for a product: the product name with characters that cannot appear in a file name
    // replaced, followed by the program's fixed suffix.
    static QString lockFileName(const QString &productName);

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};
