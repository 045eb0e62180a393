#include "device/device_state.h"
#include "device/pointer_speed.h"
#include "platform/linux/x11_pointer_settings.h"

#include <QtTest>

// On X the profile's pointer speed goes to the X server's pointer acceleration.
class TestX11PointerSpeed : public QObject {
    Q_OBJECT
private slots:
    void profileSpeedReachesServer();
};

void TestX11PointerSpeed::profileSpeedReachesServer() {
    installPointerSettings(nullptr);
    // CTest runs this under tests/run-with-xvfb.sh on the xcb platform: anything else is a failure of the
    // set-up, not a reason to pass.
    QVERIFY2(dynamic_cast<X11PointerSettings *>(&pointerSettings()),
             "no X server (run this test through tests/run-with-xvfb.sh)");
    const int before = readPointerSpeed();
    DeviceState::instance().deviceCopy().profile.mouseSpeed = before == 4 ? 5 : 4;
    QTest::ignoreMessage(QtDebugMsg, "Error in SystemParametersInfo :0");
    applyPointerSpeed();
    X11PointerSettings other;
    QCOMPARE(other.speed(), int(DeviceState::instance().deviceCopy().profile.mouseSpeed));
    QCOMPARE(readPointerSpeed(), other.speed());
    QVERIFY(other.setSpeed(before));
    installPointerSettings(nullptr);
}

QTEST_MAIN(TestX11PointerSpeed)
#include "test_x11_pointer_speed.moc"
