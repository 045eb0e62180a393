#include "support/fuzz_tree.h"

#include "storage/app_paths.h"
#include "support/fuzz_check.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>

namespace {

QTemporaryDir &root() {
    static QTemporaryDir dir(QDir::tempPath() + "/korvane-fuzz-XXXXXX");
    fuzz::require(dir.isValid(), "a temporary folder can be made");
    return dir;
}

} // namespace

FuzzTree::FuzzTree(std::initializer_list<const char *> extra) {
    static int serial = 0;
    m_path = root().path() + "/app-" + QString::number(serial++);
    for (const char *file : {"DefaultProfile.bin", "Configs/Config.ini", "Configs/LangConfig.ini"})
        write(QString::fromLatin1(file), shipped(QString::fromLatin1(file)));
    write(productConfig(), shipped(productConfig()));
    for (const char *file : extra)
        write(QString::fromLatin1(file), shipped(QString::fromLatin1(file)));
    AppPaths::setApplicationDir(m_path);
}

FuzzTree::~FuzzTree() {
    AppPaths::setApplicationDir(QString());
    QDir(m_path).removeRecursively();
}

void FuzzTree::write(const QString &relative, const QByteArray &bytes) const {
    const QString target = file(relative);
    QFile out(target);
    fuzz::require(AppPaths::ensureParentDir(target) && out.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                      out.write(bytes) == bytes.size(),
                  "the input can be written to the tree");
}

void FuzzTree::remove(const QString &relative) const {
    QFile::remove(file(relative));
}

QByteArray FuzzTree::shipped(const QString &relative) {
    static QHash<QString, QByteArray> files;
    const auto known = files.constFind(relative);
    if (known != files.constEnd())
        return *known;
    QFile in(QStringLiteral(KORVANE_FUZZ_DATA_DIR "/") + relative);
    fuzz::require(in.open(QIODevice::ReadOnly), "the shipped file can be read");
    return files[relative] = in.readAll();
}
