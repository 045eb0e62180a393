#include "platform/single_instance.h"

#include <QTemporaryDir>
#include <QtTest>

// A lock left by a killed process is proved with the real program in test_startup.
class TestSingleInstance : public QObject {
    Q_OBJECT
private slots:
    // One holder per product and lock folder; the lock is free again once its holder is gone.
    void secondHolderIsRefused() {
        QTemporaryDir dir;
        {
            SingleInstance first("Korvane Test", dir.path());
            SingleInstance second("Korvane Test", dir.path());
            SingleInstance otherProduct("Other Mouse", dir.path());
            QVERIFY(first.acquire() && !second.acquire() && otherProduct.acquire());
        }
        SingleInstance afterExit("Korvane Test", dir.path());
        QVERIFY(afterExit.acquire());
    }

    void productNameBecomesSafeFileName() {
        const QString name = SingleInstance::lockFileName("../Mouse/X\\Y");
        QVERIFY(!name.contains('/') && !name.contains('\\') && name.endsWith(".korvane-config.lock"));
        QVERIFY(SingleInstance::lockFileName(QString()).startsWith('.'));
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "test_single_instance.moc"
