#include "storage/app_paths.h"
#include "support/test_tree.h"

#include <QtTest>
#include <unistd.h>

namespace {
// "path=content" for a file, "path/" for a folder, sorted: a failed comparison names the entry.
using Files = QStringList;

bool writeFiles(const QString &root, const Files &entries) {
    for (const QString &entry : entries) {
        const QString path = root + "/" + entry.section('=', 0, 0);
        if (!(entry.endsWith('/') ? QDir().mkpath(path) : writeFile(path, entry.section('=', 1).toUtf8())))
            return false;
    }
    return true;
}

Files readFiles(const QString &root) {
    Files files;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        const QString name = file.fileName().mid(root.size() + 1);
        files << (it.fileInfo().isDir()
                      ? name + "/"
                      : name + "=" + (file.open(QIODevice::ReadOnly) ? file.readAll() : "?"));
    }
    files.sort();
    return files;
}

const Files kTemplate = {"Config.ini=template", "Lang.ini=template", "M7/", "M7/P1.prof=template",
                         "MacroDB/"};
} // namespace

// Where the settings live, and the user's folder seeded from an installed tree's template.
class TestAppPaths : public QObject {
    Q_OBJECT
    QTemporaryDir m_home;
    QString userDir() const { return m_home.path() + "/korvane/korvane-config/Configs"; }

private slots:
    void initTestCase() {
        QVERIFY(m_home.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.path()));
        AppPaths::startUp(QString()); // the names of the user's folder
    }
    void init() { QVERIFY(QDir(m_home.path() + "/korvane").removeRecursively()); }

    void paths_data() {
        QTest::addColumn<QString>("tree");
        QTest::addColumn<Files>("before");
        QTest::addColumn<Files>("after");
        QTest::newRow("install marker: first start") << "marker" << Files() << kTemplate;
        QTest::newRow("unwritable") << "unwritable" << Files() << kTemplate;
        QTest::newRow("writable tree") << "writable" << Files() << Files();
        QTest::newRow("missing directory") << "missing" << Files() << Files();
        QTest::newRow("the user's files are kept")
            << "marker" << Files{"Lang.ini=mine", "M7/P1.prof=mine"}
            << Files{"Config.ini=template", "Lang.ini=mine", "M7/", "M7/P1.prof=mine", "MacroDB/"};
        // A seeded folder (it has Config.ini) is the user's: a profile the user deleted stays deleted.
        QTest::newRow("seeded before") << "marker" << Files{"Config.ini=mine"} << Files{"Config.ini=mine"};
        // A file where the product folder should be: its files cannot be copied, nor then Config.ini, so
        // that the next start, once it is gone, finishes the seeding.
        QTest::newRow("a copy fails")
            << "marker" << Files{"M7=in the way"} << Files{"Lang.ini=template", "M7=in the way", "MacroDB/"};
    }
    // An installed tree sends the settings to the user's folder, seeded from its template (read-only to the
    // user, while the user's copies must be writable); any other keeps them beside the program.
    void paths() {
        QFETCH(QString, tree);
        QFETCH(Files, before);
        QFETCH(Files, after);
        QTemporaryDir app;
        const QString dir = tree == "missing" ? app.path() + "/absent" : app.path();
        QVERIFY(writeFiles(app.path() + "/Configs", kTemplate) && writeFiles(userDir(), before));
        QVERIFY(tree != "marker" || writeFiles(dir, {QString(AppPaths::kInstallMarker) + "=x"}));
        // Root may write anywhere: an unwritable tree is then found, and seeded, by nobody (its real user id
        // is the one access() checks; the saved id brings root back).
        const auto readOnly = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup |
                              QFile::ReadOther | QFile::ExeOther;
        const bool unwritable = tree == "unwritable", drop = unwritable && geteuid() == 0;
        const QByteArray home = QFile::encodeName(m_home.path());
        QVERIFY(QFile::setPermissions(app.path() + "/Configs/M7/P1.prof", readOnly));
        QVERIFY(!unwritable || (QFile::setPermissions(dir, readOnly | QFile::WriteOwner) &&
                                QFile::setPermissions(dir + "/Configs", readOnly)));
        QVERIFY(!drop || (chown(home, 65534, 65534) == 0 && setresuid(65534, 65534, 0) == 0));
        AppPaths::setApplicationDir(dir);
        const bool seeded = AppPaths::seedUserConfig();
        QVERIFY(!drop || (setresuid(0, 0, 0) == 0 && chown(home, 0, 0) == 0));
        QFile::setPermissions(dir + "/Configs", readOnly | QFile::WriteOwner);
        const bool installed = tree == "marker" || unwritable, blocked = after.contains("M7=in the way");
        QCOMPARE(seeded, !blocked);
        QCOMPARE(AppPaths::configDir(), installed ? userDir() : dir + "/Configs");
        QCOMPARE(readFiles(userDir()), after);
        QCOMPARE(readFiles(app.path() + "/Configs"), kTemplate);
        for (const QString &entry : after)
            QVERIFY2(QFile::permissions(userDir() + "/" + entry.section('=', 0, 0)) & QFile::WriteOwner,
                     qPrintable(entry));
        QVERIFY(!blocked || (QFile::remove(userDir() + "/M7") && AppPaths::seedUserConfig()));
        QCOMPARE(readFiles(userDir()), blocked ? kTemplate : after);
    }
};

QTEST_GUILESS_MAIN(TestAppPaths)
#include "test_app_paths.moc"
