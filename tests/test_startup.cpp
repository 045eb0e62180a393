#include "app/korvane_widget.h"
#include "storage/config_file.h"
#include "support/test_tree.h"
#include "widgets/display_scale.h"
#include "widgets/vel_push_button.h"

#include <QMenu>
#include <QProcess>
#include <QtTest>

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { qputenv("KORVANE_VIRTUAL_MOUSE", "1"); }
    void scaleSteps_data();
    void scaleSteps();
    void windowSizes_data();
    void windowSizes();
    void windowIsFramelessAndShaped();
    void trayOffersLoadAndQuit();
    void closeHidesAndTrayShowsAgain();
    void dragNeedsMoreThanFourPixels();
    void languageButtonFollowsLanguageCount();
    void translationLoadedForLanguage();
    void missingSkinStillOpens();
    void secondProcessExitsWithOne();
};

void TestStartup::scaleSteps_data() {
    QTest::addColumn<double>("ratio");
    QTest::addColumn<int>("step");
    QTest::newRow("96 dpi") << 1.0 << 0;
    QTest::newRow("just below 1.1") << 1.0999 << 0;
    QTest::newRow("exactly 1.1") << 1.1 << 1;
    QTest::newRow("1.25") << 1.25 << 1;
    QTest::newRow("exactly 1.4") << 1.4 << 2;
    QTest::newRow("2.0") << 2.0 << 4;
    QTest::newRow("just below 4.8") << 4.79 << 15;
    QTest::newRow("exactly 4.8") << 4.8 << 16;
    QTest::newRow("huge") << 9.0 << 16;
}

void TestStartup::scaleSteps() {
    QFETCH(double, ratio);
    QFETCH(int, step);
    QCOMPARE(DisplayScale::stepForRatio(ratio), step);
    QCOMPARE(DisplayScale::factorOfStep(step), 1.0 + 0.25 * step);
}

void TestStartup::windowSizes_data() {
    QTest::addColumn<double>("dpi");
    QTest::addColumn<QSize>("size");
    QTest::newRow("96") << 96.0 << QSize(999, 640);
    QTest::newRow("120") << 120.0 << QSize(1248, 800);
    QTest::newRow("144") << 144.0 << QSize(1498, 960);
    QTest::newRow("480") << 480.0 << QSize(4995, 3200);
}

void TestStartup::windowSizes() {
    QFETCH(double, dpi);
    QTEST(KorvaneWidget::windowSizeForStep(DisplayScale::stepForDpi(dpi)), "size");
}

void TestStartup::windowIsFramelessAndShaped() {
    TestTree tree;
    KorvaneWidget window;
    QVERIFY(window.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(window.size(), QSize(999, 640));
    QVERIFY(!window.mask().isEmpty());
    // The cut corners are outside the window; the middle of the window is inside.
    QVERIFY(!window.mask().contains(QPoint(1, 1)));
    QVERIFY(window.mask().contains(QPoint(500, 320)));
    QCOMPARE(DisplayScale::factor(), 1.0);
    // Without a mouse the window waits for the warning timer before it shows.
    QVERIFY(!window.isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(window.isVisible(), 2000);
}

void TestStartup::trayOffersLoadAndQuit() {
    TestTree tree;
    KorvaneWidget window;
    QSystemTrayIcon *tray = window.trayIcon();
    QVERIFY(tray);
    QVERIFY(!tray->icon().isNull());
    QCOMPARE(tray->toolTip(), QString("Korvane M7 Wireless"));
    const QList<QAction *> actions = tray->contextMenu()->actions();
    QCOMPARE(actions.size(), 2);
    QCOMPARE(actions[0]->text(), QString("&Load Config"));
    QCOMPARE(actions[1]->text(), QString("&Quit"));
}

void TestStartup::closeHidesAndTrayShowsAgain() {
    TestTree tree;
    KorvaneWidget window;
    window.slotWarning();
    QVERIFY(window.isVisible());
    auto *close = window.findChild<VelPushButton *>("closeButton");
    QVERIFY(close);
    QTest::mouseClick(close, Qt::LeftButton);
    QVERIFY(window.isHidden());
    window.iconActivated(QSystemTrayIcon::Context);
    QVERIFY(window.isHidden());
    window.iconActivated(QSystemTrayIcon::Trigger);
    QVERIFY(window.isVisible());
    window.iconActivated(QSystemTrayIcon::DoubleClick);
    QVERIFY(window.isHidden());
    window.trayIcon()->contextMenu()->actions()[0]->trigger();
    QVERIFY(window.isVisible());
}

void TestStartup::dragNeedsMoreThanFourPixels() {
    TestTree tree;
    KorvaneWidget window;
    window.slotWarning();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QPoint start = window.pos();
    const QPoint press(300, 300);
    QMouseEvent down(QEvent::MouseButtonPress, press, window.mapToGlobal(press), Qt::LeftButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &down);
    const QPoint small = press + QPoint(2, 2);
    QMouseEvent nudge(QEvent::MouseMove, small, window.mapToGlobal(small), Qt::NoButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&window, &nudge);
    QCOMPARE(window.pos(), start);
    const QPoint far = press + QPoint(30, 12);
    QMouseEvent drag(QEvent::MouseMove, far, window.mapToGlobal(far), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&window, &drag);
    QCOMPARE(window.pos(), start + QPoint(30, 12));
    QMouseEvent up(QEvent::MouseButtonRelease, far, window.mapToGlobal(far), Qt::LeftButton, Qt::NoButton,
                   Qt::NoModifier);
    QApplication::sendEvent(&window, &up);
}

void TestStartup::languageButtonFollowsLanguageCount() {
    TestTree tree;
    {
        KorvaneWidget window;
        QCOMPARE(window.languageCount(), 3);
        QVERIFY(window.languageButtonVisible());
    }
    tree.setIniValue("Configs/Config.ini", "FONT_LIST/LANGNUM", 1);
    KorvaneWidget window;
    QCOMPARE(window.languageCount(), 1);
    QVERIFY(!window.languageButtonVisible());
}

void TestStartup::translationLoadedForLanguage() {
    TestTree tree;
    tree.setIniValue("Configs/LangConfig.ini", "Config/LangID", 2);
    {
        KorvaneWidget window;
        QCOMPARE(window.findChild<VelPushButton *>("tab0")->text(), QString("BELEUCHTUNG"));
        QCOMPARE(window.trayIcon()->contextMenu()->actions()[1]->text(), QString("&Beenden"));
    }
    // A language whose file is missing keeps the built-in English.
    QVERIFY(tree.remove("lang/de.qm"));
    KorvaneWidget window;
    QCOMPARE(window.findChild<VelPushButton *>("tab0")->text(), QString("LIGHTING"));

    // Picking French translates at once and is remembered for the next start.
    window.setLanguage(1);
    QCOMPARE(window.findChild<VelPushButton *>("tab0")->text(), QString::fromUtf8("\xc3\x89"
                                                                                  "CLAIRAGE"));
    QCOMPARE(window.findChild<VelPushButton *>("langButton")->text(), QString::fromUtf8("Fran\xc3\xa7"
                                                                                        "ais"));
    QCOMPARE(config::languageIndex(), 1);
}

void TestStartup::missingSkinStillOpens() {
    TestTree tree;
    QVERIFY(QDir(tree.file("skin")).removeRecursively());
    KorvaneWidget window;
    QCOMPARE(window.size(), QSize(999, 640));
    QVERIFY(window.mask().isEmpty());
    window.slotWarning();
    QVERIFY(window.isVisible());
}

// The installed program started twice: the second start ends at once with exit code 1 and the first
// keeps running.
void TestStartup::secondProcessExitsWithOne() {
    TestTree tree;
    QTemporaryDir runtime;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    QProcess first;
    first.setProcessEnvironment(env);
    first.start(tree.file("korvane-config"), QStringList());
    QVERIFY(first.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(!QDir(runtime.path()).entryList({"*.lock"}, QDir::Files).isEmpty(), 10000);

    QProcess second;
    second.setProcessEnvironment(env);
    second.start(tree.file("korvane-config"), QStringList());
    QVERIFY(second.waitForFinished(10000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 1);
    QCOMPARE(first.state(), QProcess::Running);
    first.kill();
    first.waitForFinished();

    // The first process was killed, not ended: its lock is left behind and must not block a new start.
    QProcess third;
    third.setProcessEnvironment(env);
    third.start(tree.file("korvane-config"), QStringList());
    QVERIFY(third.waitForStarted());
    QVERIFY(!third.waitForFinished(1500));
    QCOMPARE(third.state(), QProcess::Running);
    third.kill();
    third.waitForFinished();
}

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
