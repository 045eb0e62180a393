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
    if (!dynamic_cast<X11PointerSettings *>(&pointerSettings()))
        QSKIP("needs an X server");
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
