#include "device/link_hooks.h"
#include "device/profile_write.h"
#include "device/vel_process_thread.h"
#include "storage/app_config_store.h"
#include "storage/app_paths.h"
#include "storage/config_file.h"
#include "storage/macro_list.h"
#include "storage/profile_file.h"
#include "storage/profile_list.h"
#include "storage/profile_session.h"
#include "support/link_harness.h"
#include "support/test_tree.h"

#include <QProcess>
#include <QtTest>
#include <random>
#include <sys/stat.h>

// Random profile and macro operations, good and bad, through the profile session (as the window runs them)
// and korvanectl, each followed by a comparison of the files, the configuration and what reached the mouse
// with a small model of what the user expects. A failure prints the seed and the shortest sequence found
// that still fails. KORVANE_RANDOM_SEEDS="1 2 3" and KORVANE_RANDOM_OPS choose the runs.
namespace {

const QString kProduct = QStringLiteral("Korvane M7 Wireless");
// "DefaultProfile" names the factory profile's file, which is no profile of the list.
const QStringList kNames = {"Profile 1", "Profile 2", "Profile 3", "Raid",   "Raid copy", "Aim",
                            "",          "..",        "a/b",       "tab\tx", "Ünï ✓",     "DefaultProfile"};
const QStringList kMacroNames = {"Macro 1", "Macro 2", "Jump", "Jump_2", "", "x/y"};
const QStringList kExports = {"out/Raid.prof", "out/Aim.prof", "out/Spare.prof"};
const QStringList kImports = kExports + QStringList{"in/Partial.prof", "in/Other.prof", "in/None.prof"};
const QStringList kMacroFiles = {"in/Jump.MSMACRO", "in/Endless.MSMACRO", "in/None.MSMACRO"};
constexpr int kMacroLimit = 50;
constexpr qint64 kShrinkMs = 120000;

// clang-format off
enum class Kind { Add, AddNamed, Copy, Rename, Remove, Switch, Edit, Reset, Apply, Export, Import, MacroNew,
                  MacroRename, MacroDelete, MacroImport };
// clang-format on
const char *const kKindNames[] = {"add",    "add named", "copy",         "rename",       "delete",
                                  "switch", "edit",      "reset",        "apply",        "export",
                                  "import", "macro new", "macro rename", "macro delete", "macro import"};

struct Op {
    Kind kind = Kind::Add;
    QString name, other;
    int value = 0;    // the stage value an edit sets; the report an apply's mouse is pulled after (0: none)
    bool ctl = false; // run through korvanectl instead of the session
    QString text() const {
        return QString("%1%2 '%3' '%4' %5")
            .arg(ctl ? "korvanectl " : "", kKindNames[int(kind)], name, other)
            .arg(value);
    }
};

std::vector<Op> draw(unsigned seed, int count) {
    std::mt19937 random(seed);
    auto pick = [&](const QStringList &list) { return list[int(random() % unsigned(list.size()))]; };
    std::vector<Op> ops(static_cast<std::size_t>(count));
    for (Op &op : ops) {
        op.kind = Kind(random() % std::size(kKindNames));
        const Kind k = op.kind;
        op.name = k == Kind::MacroImport ? pick(kMacroFiles)
                  : k >= Kind::MacroNew  ? pick(kMacroNames)
                  : k == Kind::Import    ? pick(kImports)
                  : k == Kind::Export    ? pick(kExports)
                                         : pick(kNames);
        op.other = k == Kind::MacroRename ? pick(kMacroNames) : pick(kNames);
        // An edit's stage value; for an Apply, now and then the report after which the receiver is pulled.
        op.value = k == Kind::Edit     ? 20 + int(random() % 100)
                   : random() % 3 == 0 ? 1 + int(random() % 30)
                                       : 0;
        // korvanectl has the list's operations but the numbered add, the file copies and the macro import.
        const bool ctlKnows = (k > Kind::Add && k <= Kind::Switch) || k == Kind::Import ||
                              k == Kind::Export || k == Kind::MacroImport;
        op.ctl = ctlKnows && random() % 8 == 0;
    }
    return ops;
}

// What the user expects: the list, the current profile, each profile file's first stage value (the mark of
// its content), the unsaved edit, the macros, the exported files and whether the mouse may differ.
struct Model {
    QStringList names;
    QString current;
    QMap<QString, int> stored;
    int working = 0;
    QStringList macros; // by place in the stored list; a deleted macro leaves its place empty
    QMap<QString, int> exported;
    bool diff = false;
};

bool safe(const QString &name) {
    return !name.isEmpty() && name != "." && name != ".." && !name.contains('/') && !name.contains('\t');
}

// base, or base + separator + first, first + 1 ... while that is taken.
QString freeName(const QStringList &taken, const QString &base, const QString &separator, int first) {
    QString candidate = base;
    for (int n = first; taken.contains(candidate); ++n)
        candidate = base + separator + QString::number(n);
    return candidate;
}

// "Profile N" or "Macro N" with the lowest N not taken.
QString numberedName(const QStringList &taken, const QString &base) {
    int n = 1;
    while (taken.contains(base + ' ' + QString::number(n)))
        ++n;
    return base + ' ' + QString::number(n);
}

} // namespace

class TestRandomOperations : public QObject {
    Q_OBJECT
    std::unique_ptr<TestTree> m_tree;
    QTemporaryDir m_runtime;
    std::unique_ptr<VirtualMouse> m_mouse;
    int m_factoryValue = 0;

    AppConfig &working() { return AppConfigStore::instance().working(); }

    static int stageValue(const ProfileData &profile) { return int(profile.dpiStages[0].xy); }

    // A profile file is read again only when it changed (it is replaced whole on every write): reading
    // each file after every operation would take most of the run.
    struct Seen {
        ino_t inode;
        qint64 modified, size;
        int value;
    };
    QHash<QString, Seen> m_seen;

    int fileValue(const QString &name) { return pathValue(profile::profileFilePath(name)); }

    int pathValue(const QString &path) {
        struct stat info;
        if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &info) != 0)
            return -1;
        const qint64 modified = qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
        const auto seen = m_seen.constFind(path);
        if (seen != m_seen.constEnd() && seen->inode == info.st_ino && seen->modified == modified &&
            seen->size == info.st_size)
            return seen->value;
        ProfileData read;
        const int value = profile::readProfileFile(read, path) == FileResult::Ok ? stageValue(read) : -1;
        m_seen.insert(path, {info.st_ino, modified, qint64(info.st_size), value});
        return value;
    }

    bool ctl(const QStringList &arguments) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_RUNTIME_DIR", m_runtime.path());
        process.setProcessEnvironment(env);
        QStringList resolved;
        for (const QString &argument : arguments)
            resolved << (argument.startsWith("in/") || argument.startsWith("out/") ? m_tree->file(argument)
                                                                                   : argument);
        process.start(m_tree->file("korvanectl"), resolved);
        process.waitForFinished(30000);
        return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    }

    // A new macro takes the first empty place.
    static void addMacro(Model &model, const QString &name) {
        const int hole = model.macros.indexOf(QString());
        if (hole >= 0)
            model.macros[hole] = name;
        else
            model.macros << name;
    }

    static QStringList inList(QStringList places) {
        places.removeAll(QString());
        return places;
    }

    static bool taken(const Model &model, const QString &name) {
        return model.names.contains(name) || name == "DefaultProfile";
    }

    // A fresh tree with its factory list, as after installation, and the window's state read from it.
    Model start() {
        m_tree.reset();
        m_seen.clear();
        m_tree = std::make_unique<TestTree>();
        QDir().mkpath(m_tree->file("out"));
        m_tree->setIniValue("in/Jump.MSMACRO", "Setting/Count", 0);
        m_tree->setIniValue("in/Endless.MSMACRO", "Setting/Count", 2000000000);
        m_tree->setIniValue("in/Other.prof", "MouseName/Name", "Another Mouse");
        m_tree->setIniValue("in/Partial.prof", "MouseName/Name", kProduct);
        m_tree->setIniValue("in/Partial.prof", "PROFILE/pollrate", 1);
        m_mouse = std::make_unique<VirtualMouse>(0x248A, 0x8373, 0x248A, 0xFB01);
        (void)ProfileList::loadStoredConfig(working());
        Model model;
        ProfileList list;
        list.load();
        model.names = list.names();
        model.current = working().profileNames[0];
        for (const QString &name : model.names)
            model.stored[name] = fileValue(name);
        model.working = stageValue(working().profile);
        m_factoryValue = model.stored.value(ProfileList::kDefaultProfile);
        return model;
    }

    // Runs one operation and brings the model along; false with a reason when the program disagrees.
    bool run(const Op &op, Model &model, ProfileSession &session, MacroList &macros, QString &why) {
        const bool listed = model.names.contains(op.name);
        const auto either = [&](const QStringList &arguments,
                                const std::function<ProfileListResult()> &call) {
            return op.ctl ? ctl(arguments) : call() == ProfileListResult::Ok;
        };
        bool expectOk = false, ok = false;
        QString made; // the profile an add, copy or import makes current
        switch (op.kind) {
        case Kind::Add: {
            made = numberedName(model.names, "Profile");
            expectOk = true;
            QString added;
            ok = session.add(added) == ProfileListResult::Ok && added == made;
            break;
        }
        case Kind::AddNamed:
            made = op.name;
            expectOk = safe(op.name) && !taken(model, op.name);
            ok = either({"profile", "add", op.name}, [&] { return session.addNamed(op.name); });
            break;
        case Kind::Copy:
            made = freeName(model.names, op.name + " copy", "", 2);
            expectOk = listed && safe(op.name);
            // The window copies the current profile with its unsaved edit; korvanectl has only the file.
            if (expectOk)
                model.stored[made] =
                    op.name == model.current && !op.ctl ? model.working : model.stored[op.name];
            ok = either({"profile", "copy", op.name}, [&] { return session.copy(op.name, made); });
            break;
        case Kind::Rename:
            expectOk = listed && op.name != ProfileList::kDefaultProfile &&
                       (op.other == op.name || (safe(op.other) && !taken(model, op.other)));
            ok = either({"profile", "rename", op.name, op.other},
                        [&] { return session.rename(op.name, op.other); });
            if (expectOk && op.other != op.name) {
                model.names[model.names.indexOf(op.name)] = op.other;
                model.stored[op.other] = model.stored.take(op.name);
                if (model.current == op.name)
                    model.current = op.other;
            }
            break;
        case Kind::Remove:
            expectOk = listed && model.names.size() > 1 && op.name != ProfileList::kDefaultProfile;
            ok = either({"profile", "delete", op.name}, [&] { return session.remove(op.name); });
            if (expectOk) {
                const int index = model.names.indexOf(op.name);
                model.names.removeAt(index);
                model.stored.remove(op.name);
                if (model.current == op.name) {
                    model.current = model.names[qMin(index, model.names.size() - 1)];
                    model.working = model.stored[model.current];
                }
            }
            break;
        case Kind::Switch:
            expectOk = listed;
            ok = either({"profile", "switch", op.name}, [&] { return session.switchTo(op.name); });
            if (expectOk) {
                model.current = op.name;
                model.working = model.stored[op.name];
            }
            break;
        case Kind::Edit:
        case Kind::Reset: {
            DpiStage &stage = working().profile.dpiStages[0];
            stage.xy = stage.x = stage.y = uint32_t(op.kind == Kind::Edit ? op.value : m_factoryValue);
            model.working = int(stage.xy);
            return true;
        }
        case Kind::Apply:
            expectOk = op.value == 0; // a write takes more reports than any pull comes after
            ok = apply(op.value);
            model.stored[model.current] = model.working;
            model.diff = !ok;
            break;
        case Kind::Export:
            expectOk = true;
            ok = either({"export", op.name},
                        [&] { return session.exportFile(m_tree->file(op.name), kProduct); });
            if (ok)
                model.exported[op.name] = model.stored[model.current];
            break;
        case Kind::Import:
            made = QFileInfo(op.name).completeBaseName();
            expectOk = model.exported.contains(op.name) && !taken(model, made);
            ok = either({"import", op.name},
                        [&] { return session.importFile(m_tree->file(op.name), kProduct, made); });
            if (expectOk)
                model.stored[made] = model.exported[op.name];
            break;
        case Kind::MacroNew: {
            const QString expected = numberedName(model.macros, "Macro");
            expectOk = inList(model.macros).size() < kMacroLimit;
            QString added;
            ok = macros.add(added) == MacroListResult::Ok && added == expected;
            if (expectOk)
                addMacro(model, expected);
            break;
        }
        case Kind::MacroRename: {
            const int index = op.name.isEmpty() ? -1 : model.macros.indexOf(op.name);
            expectOk = index >= 0 && (op.other == op.name || safe(op.other));
            QString actual;
            ok = macros.rename(op.name, op.other, actual) == MacroListResult::Ok;
            if (expectOk && op.other != op.name)
                model.macros[index] = freeName(model.macros, op.other, "_", 2);
            break;
        }
        case Kind::MacroDelete:
            expectOk = !op.name.isEmpty() && model.macros.contains(op.name);
            if (expectOk)
                model.macros[model.macros.indexOf(op.name)].clear();
            ok = macros.remove(op.name) == MacroListResult::Ok;
            break;
        case Kind::MacroImport:
            made = QFileInfo(op.name).completeBaseName();
            expectOk = op.name == kMacroFiles[0] && !model.macros.contains(made) &&
                       inList(model.macros).size() < kMacroLimit;
            ok = op.ctl ? ctl({"macros", "import", op.name})
                        : macros.importFile(m_tree->file(op.name), made) == MacroListResult::Ok;
            if (expectOk)
                addMacro(model, made);
            made.clear(); // a macro, no profile
            break;
        }
        if (expectOk && !made.isEmpty()) {
            model.names << made;
            model.current = made;
            model.stored.insert(made, model.stored.value(made, m_factoryValue));
            model.working = model.stored[made];
        }
        if (ok != expectOk) {
            why = expectOk ? "refused" : "done, though it should have been refused";
            return false;
        }
        if (op.ctl) {
            // The window, closed while korvanectl ran, starts again from the files.
            (void)ProfileList::loadStoredConfig(working());
            session.load();
            macros.load();
            model.working = model.stored.value(model.current);
        }
        return true;
    }

    // An Apply as the window's write thread runs it; with pullAfter, the receiver is pulled after that many
    // reports. What reached the mouse must be what writing the stored profile to a fresh mouse gives.
    bool apply(int pullAfter) {
        m_mouse->plug(0);
        m_mouse->clearRecords();
        std::unique_ptr<MouseDevice> device = harness::openMouse(*m_mouse);
        MouseDevice::setInstance(device.get());
        if (pullAfter)
            m_mouse->unplugAfter(pullAfter);
        VelProcessThread thread(MouseCondition{});
        thread.start();
        thread.wait();
        MouseDevice::setInstance(nullptr);
        if (thread.result() != kResultOk)
            return false;
        const auto sent = harness::records(*m_mouse, VirtualMouse::Direction::Written);
        VirtualMouse fresh(0x248A, 0x8373, 0x248A, 0xFB01);
        std::unique_ptr<MouseDevice> reference = harness::openMouse(fresh);
        MouseDevice::setInstance(reference.get());
        AppConfig expected = working();
        (void)profile::loadProfileByName(expected.profile, expected.profileNames[0]);
        const ResultCode written = writeProfile(expected, writeflags::kWriteAll, 0);
        MouseDevice::setInstance(nullptr);
        return written == kResultOk && harness::records(fresh, VirtualMouse::Direction::Written) == sent;
    }

    // The files, the configuration in Config.ini and the window's state against the model.
    QString compare(const Model &model, const ProfileSession &session, const MacroList &macros) {
        ProfileList list;
        list.load();
        if (list.names() != model.names || session.names() != model.names)
            return "list " + list.names().join('|') + " expected " + model.names.join('|');
        const QString current =
            QSettings(AppPaths::mainConfigFile(), QSettings::IniFormat).value("Config/Profile1").toString();
        if (current != model.current || session.currentName() != model.current)
            return "current " + current + " expected " + model.current;
        const QString differs("%1 holds %2, expected %3");
        for (const QString &name : model.names) {
            if (fileValue(name) != model.stored[name])
                return differs.arg(name).arg(fileValue(name)).arg(model.stored[name]);
        }
        if (stageValue(working().profile) != model.working)
            return differs.arg("the window").arg(stageValue(working().profile)).arg(model.working);
        MacroList read;
        read.load();
        if (read.names() != inList(model.macros) || macros.names() != inList(model.macros))
            return "macros " + macros.names().join('|') + " expected " + inList(model.macros).join('|');
        for (auto it = model.exported.begin(); it != model.exported.end(); ++it) {
            if (pathValue(m_tree->file(it.key())) != it.value())
                return differs.arg(it.key()).arg(pathValue(m_tree->file(it.key()))).arg(it.value());
        }
        return (config::configDiff() != 0) == model.diff
                   ? QString()
                   : QString("Config/Diff %1").arg(config::configDiff());
    }

    // The first failure of ops from a fresh tree: its index and reason, or -1.
    int replay(const std::vector<Op> &ops, QString &why) {
        Model model = start();
        ProfileSession session(working());
        session.load();
        MacroList macros;
        macros.load();
        model.macros = macros.names();
        for (std::size_t i = 0; i < ops.size(); ++i) {
            if (!run(ops[i], model, session, macros, why))
                return int(i);
            why = compare(model, session, macros);
            if (!why.isEmpty())
                return int(i);
        }
        return -1;
    }

private slots:
    void initTestCase() {
        qputenv("XDG_RUNTIME_DIR", m_runtime.path().toLocal8Bit());
        // The mouse's pauses are counted, not slept.
        devicelink::setPauseFunction([](int) {});
    }

    void seeds_data() {
        QTest::addColumn<unsigned>("seed");
        const QStringList seeds =
            qEnvironmentVariable("KORVANE_RANDOM_SEEDS", "1 2").split(' ', Qt::SkipEmptyParts);
        for (const QString &seed : seeds)
            QTest::addRow("seed %s", qPrintable(seed)) << seed.toUInt();
    }

    void seeds() {
        QFETCH(unsigned, seed);
        const int count = qEnvironmentVariableIntValue("KORVANE_RANDOM_OPS");
        std::vector<Op> ops = draw(seed, count > 0 ? count : 1000);
        QString why;
        int failed = replay(ops, why);
        if (failed < 0)
            return;
        // Shrink: drop runs of operations the failure does not need, from half the sequence down to single
        // ones, for at most two minutes.
        ops.resize(std::size_t(failed) + 1);
        QElapsedTimer clock;
        clock.start();
        for (std::size_t run = ops.size() / 2; run > 0 && clock.elapsed() < kShrinkMs; run /= 2) {
            for (std::size_t i = 0; i + 1 < ops.size() && clock.elapsed() < kShrinkMs;) {
                std::vector<Op> shorter = ops;
                const auto from = shorter.begin() + long(i);
                shorter.erase(from, from + long(std::min(run, ops.size() - 1 - i)));
                QString shorterWhy;
                const int at = replay(shorter, shorterWhy);
                if (at < 0) {
                    i += run;
                    continue;
                }
                shorter.resize(std::size_t(at) + 1);
                ops = shorter;
                why = shorterWhy;
            }
        }
        QStringList steps;
        for (const Op &op : ops)
            steps << op.text();
        QFAIL(qPrintable(QString("seed %1: %2 after:\n  %3").arg(seed).arg(why, steps.join("\n  "))));
    }
};

QTEST_MAIN(TestRandomOperations)
#include "test_random_operations.moc"
