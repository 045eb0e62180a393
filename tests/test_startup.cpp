#include "storage/config_file.h"
#include "support/test_tree.h"
#include "support/virtual_window.h"
#include "widgets/display_scale.h"
#include "widgets/skin_pictures.h"
#include "widgets/vel_push_button.h"

#include <QMenu>
#include <QProcess>
#include <QtTest>

namespace {
QString tabText(const KorvaneWidget &window, const char *name = "tab0") {
    return window.findChild<VelPushButton *>(name)->text();
}
bool languageButtonShown(const KorvaneWidget &window) {
    return !window.findChild<VelPushButton *>("langButton")->isHidden();
}
void sendMouse(QWidget *widget, QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
    QMouseEvent event(type, at, widget->mapToGlobal(at),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}
} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    // The window lives on in a tray here; closing without one is tested on the X server.
    void initTestCase() {
        KorvaneTray::setAvailableCheck([] { return true; });
    }

    // Bounds sit exactly on a step's lower edge; the window's size at 96, 120, 144 and 480 DPI.
    void scaleSteps() {
        const QPair<double, int> steps[] = {{1.0, 0}, {1.0999, 0}, {1.1, 1},  {1.25, 1}, {1.4, 2},
                                            {1.5, 2}, {4.79, 15},  {4.8, 16}, {5.0, 16}};
        for (const auto &[ratio, step] : steps)
            QVERIFY2(DisplayScale::stepForRatio(ratio) == step, qPrintable(QString::number(ratio)));
        QList<QSize> sizes;
        for (int dpi : {96, 120, 144, 480})
            sizes << KorvaneWidget::windowSizeForStep(DisplayScale::stepForDpi(dpi));
        QCOMPARE(sizes, (QList<QSize>{{999, 640}, {1248, 800}, {1498, 960}, {4995, 3200}}));
    }

    // Skinned: its corners cut away (undecorated is checked on the X server), shown once the no-mouse warning
    // timer fires. A drag of four pixels or less does not move it; closing hides it into the tray, whose
    // click or "Load Config" shows it again. Without the skin it still opens, unshaped.
    void windowDragCloseAndTray() {
        TestTree tree;
        {
            // One window at a time, as in the program: the device link is process-wide.
            VirtualWindow windowRig;
            KorvaneWidget &window = *windowRig.window;
            QVERIFY(window.size() == QSize(999, 640) && DisplayScale::factor() == 1.0);
            QVERIFY(!window.mask().contains(QPoint(1, 1)) && window.mask().contains(QPoint(500, 320)));
            QVERIFY(!window.isVisible());
            QTRY_VERIFY_WITH_TIMEOUT(window.isVisible(), 2000);
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            const QPoint start = window.pos(), press(300, 300);
            sendMouse(&window, QEvent::MouseButtonPress, press, Qt::LeftButton);
            sendMouse(&window, QEvent::MouseMove, press + QPoint(2, 2), Qt::LeftButton);
            QCOMPARE(window.pos(), start);
            sendMouse(&window, QEvent::MouseMove, press + QPoint(30, 12), Qt::LeftButton);
            QCOMPARE(window.pos(), start + QPoint(30, 12));
            sendMouse(&window, QEvent::MouseButtonRelease, press + QPoint(30, 12), Qt::NoButton);

            QSystemTrayIcon *tray = window.trayIcon();
            QVERIFY(!tray->icon().isNull() && tray->toolTip().startsWith("Korvane M7 Wireless"));
            const QList<QAction *> actions = tray->contextMenu()->actions();
            QVERIFY(actions.first()->text() == "&Load Config" && actions.last()->text() == "&Quit");
            QTest::mouseClick(window.findChild<VelPushButton *>("closeButton"), Qt::LeftButton);
            auto shownAfter = [&](QSystemTrayIcon::ActivationReason reason) {
                window.iconActivated(reason);
                return window.isVisible();
            };
            QVERIFY(!window.isVisible() && !shownAfter(QSystemTrayIcon::Context));
            QVERIFY(shownAfter(QSystemTrayIcon::Trigger) && !shownAfter(QSystemTrayIcon::DoubleClick));
            actions[0]->trigger();
            QVERIFY(window.isVisible());
        }
        QVERIFY(QDir(tree.file("skin")).removeRecursively());
        SkinPictures::clear(); // the skin never changes while the program runs
        VirtualWindow plainRig;
        KorvaneWidget &plain = *plainRig.window;
        QVERIFY(plain.size() == QSize(999, 640) && plain.mask().isEmpty());
    }

    // One configured language hides the language button; a language without its file keeps English.
    void languages() {
        TestTree tree;
        tree.setIniValue("Configs/LangConfig.ini", "Config/LangID", 2);
        {
            VirtualWindow windowRig;
            KorvaneWidget &window = *windowRig.window;
            QVERIFY(window.languageCount() == 3 && languageButtonShown(window));
            QCOMPARE(tabText(window), QString("BELEUCHTUNG"));
            QCOMPARE(window.trayIcon()->contextMenu()->actions().last()->text(), QString("&Beenden"));
        }
        QVERIFY(tree.remove("lang/de.qm"));
        {
            VirtualWindow windowRig;
            KorvaneWidget &window = *windowRig.window;
            QCOMPARE(tabText(window), QString("LIGHTING"));
            // Picking French translates at once and is remembered for the next start.
            window.setLanguage(1);
            QCOMPARE(tabText(window), QStringLiteral("\u00c9CLAIRAGE"));
            QCOMPARE(tabText(window, "langButton"), QStringLiteral("Fran\u00e7ais"));
            QCOMPARE(config::languageIndex(), 1);
        }
        tree.setIniValue("Configs/Config.ini", "FONT_LIST/LANGNUM", 1);
        VirtualWindow windowRig;
        KorvaneWidget &window = *windowRig.window;
        QVERIFY(window.languageCount() == 1 && !languageButtonShown(window));
    }

    // The installed program started twice: the second ends at once with 1, without a word, and the first
    // keeps running. Killed, the first leaves its lock behind, which must not block a new start.
    void secondProcessExitsWithOne() {
        TestTree tree;
        QTemporaryDir runtime;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_RUNTIME_DIR", runtime.path());
        QProcess first, second, third;
        auto start = [&](QProcess &process) {
            process.setProcessEnvironment(env);
            process.start(tree.file("korvane-config"), QStringList());
            return process.waitForStarted();
        };
        QVERIFY(start(first));
        QTRY_VERIFY_WITH_TIMEOUT(!QDir(runtime.path()).entryList({"*.lock"}, QDir::Files).isEmpty(), 10000);
        QVERIFY(start(second) && second.waitForFinished(10000));
        QVERIFY(second.exitStatus() == QProcess::NormalExit && second.exitCode() == 1);
        QCOMPARE(second.readAllStandardError(), QByteArray());
        QCOMPARE(first.state(), QProcess::Running);
        first.kill();
        first.waitForFinished();
        QVERIFY(start(third) && !third.waitForFinished(1500));
        third.kill();
        third.waitForFinished();
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
