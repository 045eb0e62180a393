#include "platform/headless_pointer_settings.h"
#include "platform/linux/x11_pointer_settings.h"

#include <QtTest>

// Platform services against a real X server.
class TestX11Platform : public QObject {
    Q_OBJECT
private slots:
    void speedScale_data();
    void speedScale();
    void pointerSpeedReachesServer();
    void headlessKeepsSpeed();
};

void TestX11Platform::speedScale_data() {
    QTest::addColumn<int>("speed");
    QTest::addColumn<int>("kept");
    QTest::newRow("slowest") << 1 << 1;
    QTest::newRow("default") << 10 << 10;
    QTest::newRow("fastest") << 20 << 20;
    QTest::newRow("below range") << 0 << 1;
    QTest::newRow("above range") << 35 << 20;
}

void TestX11Platform::speedScale() {
    QFETCH(int, speed);
    const auto acceleration = X11PointerSettings::accelerationForSpeed(speed);
    QTEST(X11PointerSettings::speedForAcceleration(acceleration.numerator, acceleration.denominator), "kept");
    // The X server's own default acceleration 2/1 reads as the default speed.
    QCOMPARE(X11PointerSettings::speedForAcceleration(2, 1), 10);
    QCOMPARE(X11PointerSettings::speedForAcceleration(1, 0), 1);
}

void TestX11Platform::pointerSpeedReachesServer() {
    X11PointerSettings settings;
    if (!settings.isOpen())
        QSKIP("needs an X server");
    const int before = settings.speed();
    QVERIFY(settings.setSpeed(15));
    X11PointerSettings other;
    QCOMPARE(other.speed(), 15);
    QVERIFY(settings.setSpeed(before));
    QCOMPARE(other.speed(), before);
}

void TestX11Platform::headlessKeepsSpeed() {
    HeadlessPointerSettings settings;
    QCOMPARE(settings.speed(), 10);
    QVERIFY(settings.setSpeed(25));
    QCOMPARE(settings.speed(), 20);
}

QTEST_GUILESS_MAIN(TestX11Platform)
#include "test_x11_platform.moc"
