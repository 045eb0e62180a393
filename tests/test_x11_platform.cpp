#include "platform/headless_pointer_settings.h"
#include "platform/linux/x11_pointer_settings.h"

#include <QtTest>

// Pointer speed conversions; the speed reaching a real X server is proved in test_x11_pointer_speed.
class TestX11Platform : public QObject {
    Q_OBJECT
private slots:
    // Speeds 1..20 survive the trip through an X acceleration; others are clamped.
    void speedScale_data() {
        QTest::addColumn<int>("speed");
        QTest::addColumn<int>("kept");
        QTest::newRow("slowest") << 1 << 1;
        QTest::newRow("default") << 10 << 10;
        QTest::newRow("fastest") << 20 << 20;
        QTest::newRow("below range") << 0 << 1;
        QTest::newRow("above range") << 35 << 20;
    }
    void speedScale() {
        QFETCH(int, speed);
        const auto acceleration = X11PointerSettings::accelerationForSpeed(speed);
        QTEST(X11PointerSettings::speedForAcceleration(acceleration.numerator, acceleration.denominator),
              "kept");
    }

    // The X server's own default acceleration 2/1 reads as the default speed; a zero denominator as 1.
    void foreignAccelerations() {
        QCOMPARE(X11PointerSettings::speedForAcceleration(2, 1), 10);
        QCOMPARE(X11PointerSettings::speedForAcceleration(1, 0), 1);
    }

    void headlessKeepsSpeed() {
        HeadlessPointerSettings settings;
        QVERIFY(settings.speed() == 10 && settings.setSpeed(25) && settings.speed() == 20);
    }
};

QTEST_GUILESS_MAIN(TestX11Platform)
#include "test_x11_platform.moc"
