#include "support/test_tree.h"

#include <QProcess>
#include <QtTest>

namespace {
QString run(const QString &program, const QStringList &arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(5000);
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}
} // namespace

// The installed program on a real X server (one process per start is proved offscreen in test_startup):
// one window titled with the product name, without decorations and with its own shape.
class TestX11Startup : public QObject {
    Q_OBJECT
private slots:
    void windowTitledFramelessAndShaped() {
        if (qEnvironmentVariableIsEmpty("DISPLAY"))
            QSKIP("needs an X server");
        TestTree tree;
        QTemporaryDir runtime;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("QT_QPA_PLATFORM");
        // With the virtual mouse present the window shows at once, without the receiver warning on top.
        env.insert("KORVANE_VIRTUAL_MOUSE", "1");
        env.insert("XDG_RUNTIME_DIR", runtime.path());
        QProcess program;
        program.setProcessEnvironment(env);
        program.start(tree.file("korvane-config"), QStringList());
        QVERIFY(program.waitForStarted());
        const QStringList search{"search", "--onlyvisible", "--name", "^Korvane M7 Wireless$"};
        QString window;
        QTRY_VERIFY_WITH_TIMEOUT(!(window = run("xdotool", search).trimmed()).isEmpty(), 30000);
        QVERIFY2(!window.contains('\n'), qPrintable(window));
        // Motif hints: flags, functions, decorations ...; decorations given (flag 2) and none.
        const QString hints = run("xprop", {"-id", window, "_MOTIF_WM_HINTS"});
        const QStringList fields = hints.section("= ", 1).split(", ");
        QVERIFY2(fields.size() >= 3 && (fields[0].toUInt(nullptr, 16) & 2) && fields[2] == "0x0",
                 qPrintable(hints));
        const QString shape = run("xwininfo", {"-id", window, "-shape"});
        QVERIFY2(shape.contains("Window shape extents") && !shape.contains("No window shape"),
                 qPrintable(shape));
        program.kill();
        program.waitForFinished();
    }
};

QTEST_GUILESS_MAIN(TestX11Startup)
#include "test_x11_startup.moc"
