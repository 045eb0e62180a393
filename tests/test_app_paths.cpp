#include "storage/app_paths.h"
#include "storage/config_file.h"

#include <QtTest>

namespace {
// Relative path -> content; a null content stands for a folder.
using Files = QMap<QString, QByteArray>;

bool writeFiles(const QString &root, const Files &files) {
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        const QString path = root + "/" + it.key();
        if (it.value().isNull()) {
            if (!QDir().mkpath(path))
                return false;
            continue;
        }
        QFile file(path);
        if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !file.open(QIODevice::WriteOnly) ||
            file.write(it.value()) != it.value().size())
            return false;
    }
    return true;
}

Files readFiles(const QString &root) {
    Files files;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        const bool isDir = it.fileInfo().isDir();
        files.insert(path.mid(root.size() + 1),
                     isDir || !file.open(QIODevice::ReadOnly) ? QByteArray() : file.readAll());
    }
    return files;
}

const Files kTemplate = {{"Config.ini", "[Config]\nCurrentProductName=M7\n"},
                         {"LangConfig.ini", "[Config]\nLangID=0\n"},
                         {"MacroDB", QByteArray()},
                         {"M7", QByteArray()},
                         {"M7/Config.ini", "[PROFILE_LIST]\nCount=1\n1=Profile 1\n"},
                         {"M7/Profile", QByteArray()},
                         {"M7/Profile/Profile 1.prof", "template profile"}};
} // namespace

Q_DECLARE_METATYPE(Files)

// A failed comparison shows both trees.
namespace QTest {
template <> char *toString(const Files &files) {
    QByteArray text;
    for (auto it = files.cbegin(); it != files.cend(); ++it)
        text += it.key().toUtf8() + (it.value().isNull() ? "/" : "=" + it.value().toPercentEncoding()) + " ";
    return qstrdup(text.constData());
}
} // namespace QTest

// Where the settings live, and the user's folder seeded from an installed tree's template.
class TestAppPaths : public QObject {
    Q_OBJECT
    QTemporaryDir m_home;
    std::unique_ptr<QTemporaryDir> m_app;

    QString userDir() const { return m_home.path() + "/korvane/korvane-config/Configs"; }

    // A fresh application directory holding the template, with the install marker or without.
    bool makeTree(bool installed) {
        m_app = std::make_unique<QTemporaryDir>();
        Files files;
        for (auto it = kTemplate.cbegin(); it != kTemplate.cend(); ++it)
            files.insert("Configs/" + it.key(), it.value());
        if (installed)
            files.insert(AppPaths::kInstallMarker, "marker");
        return m_app->isValid() && writeFiles(m_app->path(), files);
    }

private slots:
    void initTestCase() {
        QVERIFY(m_home.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.path()));
    }

    void init() { QVERIFY(QDir(m_home.path() + "/korvane").removeRecursively()); }

    void configDirFollowsTheMarker_data() {
        QTest::addColumn<bool>("installed");
        QTest::newRow("beside the program") << false;
        QTest::newRow("installed") << true;
    }
    // Settings stay beside a tree of one's own (tests run as root, who may write anywhere: the marker
    // decides); an installed tree sends them, and every write, to the user's folder under the names both
    // programs share.
    void configDirFollowsTheMarker() {
        QFETCH(bool, installed);
        QVERIFY(makeTree(installed));
        AppPaths::startUp(m_app->path());
        const QString expected = installed ? userDir() : m_app->path() + "/Configs";
        QCOMPARE(AppPaths::isInstalled(), installed);
        QCOMPARE(AppPaths::configDir(), expected);
        QCOMPARE(AppPaths::mainConfigFile(), expected + "/Config.ini");
        QCOMPARE(AppPaths::productConfigFile("M7"), expected + "/M7/Config.ini");
        QCOMPARE(AppPaths::descriptionFile(), m_app->path() + "/DefaultProfile.bin");
        QCOMPARE(AppPaths::skinDir(), m_app->path() + "/skin");

        QVERIFY(config::setLanguageIndex(2));
        QCOMPARE(config::languageIndex(), 2);
        const QByteArray templateLanguage = kTemplate.value("LangConfig.ini");
        QCOMPARE(readFiles(m_app->path() + "/Configs").value("LangConfig.ini") == templateLanguage,
                 installed);
        QCOMPARE(QFileInfo::exists(userDir()), installed);
    }

    // A missing application directory is no installed tree.
    void missingDirectoryIsNotInstalled() {
        AppPaths::setApplicationDir(m_home.path() + "/absent");
        QVERIFY(!AppPaths::isInstalled());
        QCOMPARE(AppPaths::configDir(), m_home.path() + "/absent/Configs");
    }

    void seeding_data() {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<Files>("before");
        QTest::addColumn<Files>("after");
        QTest::addColumn<bool>("copied");
        Files kept = kTemplate;
        kept["LangConfig.ini"] = "the user's";
        kept["M7/Profile/Profile 1.prof"] = "the user's profile";
        QTest::newRow("first start") << true << Files() << kTemplate << true;
        QTest::newRow("the user's files are kept")
            << true
            << Files{{"LangConfig.ini", "the user's"}, {"M7/Profile/Profile 1.prof", "the user's profile"}}
            << kept << true;
        // A seeded folder (it has Config.ini) is the user's: a profile the user deleted stays deleted.
        QTest::newRow("seeded before") << true << Files{{"Config.ini", "mine"}, {"M7", QByteArray()}}
                                       << Files{{"Config.ini", "mine"}, {"M7", QByteArray()}} << true;
        // A file where the product folder should be: its files cannot be copied, nor then Config.ini,
        // so that the next start tries again.
        QTest::newRow("a copy fails") << true << Files{{"M7", "in the way"}}
                                      << Files{{"LangConfig.ini", kTemplate.value("LangConfig.ini")},
                                               {"MacroDB", QByteArray()},
                                               {"M7", "in the way"}}
                                      << false;
        QTest::newRow("not installed") << false << Files() << Files() << true;
    }
    void seeding() {
        QFETCH(bool, installed);
        QFETCH(Files, before);
        QFETCH(Files, after);
        QFETCH(bool, copied);
        QVERIFY(makeTree(installed));
        QVERIFY(before.isEmpty() || writeFiles(userDir(), before));
        AppPaths::startUp(m_app->path());
        QCOMPARE(readFiles(userDir()), after);
        QCOMPARE(QFileInfo::exists(userDir()), installed);
        QCOMPARE(readFiles(m_app->path() + "/Configs"), kTemplate);
        QCOMPARE(AppPaths::seedUserConfig(), copied);
        QCOMPARE(readFiles(userDir()), after);
    }

    // A start after a failed copy finishes the seeding.
    void failedSeedingIsFinishedLater() {
        QVERIFY(makeTree(true));
        QVERIFY(writeFiles(userDir(), {{"M7", "in the way"}}));
        AppPaths::setApplicationDir(m_app->path());
        QVERIFY(!AppPaths::seedUserConfig());
        QVERIFY(QFile::remove(userDir() + "/M7"));
        QVERIFY(AppPaths::seedUserConfig());
        QCOMPARE(readFiles(userDir()), kTemplate);
    }

    // An installed template is read-only; the user's copies can still be saved.
    void seededCopiesAreWritable() {
        QVERIFY(makeTree(true));
        const QString templateProfile = m_app->path() + "/Configs/M7/Profile/Profile 1.prof";
        QVERIFY(QFile::setPermissions(templateProfile, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
        AppPaths::setApplicationDir(m_app->path());
        QVERIFY(AppPaths::seedUserConfig());
        const QFileDevice::Permissions copied = QFile::permissions(userDir() + "/M7/Profile/Profile 1.prof");
        QVERIFY(copied.testFlag(QFileDevice::WriteOwner) && copied.testFlag(QFileDevice::ReadOwner));
        QVERIFY(!QFile::permissions(templateProfile).testFlag(QFileDevice::WriteOwner));
    }
};

QTEST_GUILESS_MAIN(TestAppPaths)
#include "test_app_paths.moc"
