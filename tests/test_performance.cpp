#include "device/sensor_dpi.h"
#include "support/test_tree.h"

#include <QtTest>

// The DPI page: the DPI each sensor's slider positions stand for and the ranges its rows offer.
class TestPerformance : public QObject {
    Q_OBJECT

private slots:
    // The bends of each sensor's conversion, and a sensor the program does not know.
    void positionToDpi_data() {
        QTest::addColumn<int>("sensorId");
        QTest::addColumn<QList<int>>("raw");
        QTest::addColumn<QList<int>>("dpi");
        QTest::newRow("3325") << 3325 << QList<int>{50, 51, 76, 90} << QList<int>{5000, 5200, 10400, 16000};
        QTest::newRow("3327") << 3327 << QList<int>{1, 61, 62, 92, 93, 106}
                              << QList<int>{200, 6200, 6400, 12400, 12600, 16400};
        QTest::newRow("3212") << 3212 << QList<int>{16, 21, 111} << QList<int>{600, 800, 7200};
        QTest::newRow("3104") << 3104 << QList<int>{14, 105} << QList<int>{500, 4200};
        QTest::newRow("31042") << 31042 << QList<int>{158} << QList<int>{8400};
        QTest::newRow("unknown") << 1234 << QList<int>{1, 50, 200} << QList<int>{0, 0, 0};
    }
    void positionToDpi() {
        QFETCH(int, sensorId);
        QFETCH(QList<int>, raw);
        QFETCH(QList<int>, dpi);
        QList<int> shown;
        for (int v : raw)
            shown << ::positionToDpi(sensorId, v);
        QCOMPARE(shown, dpi);
    }

    // Each row of the sensor table: the slider's ends convert to the DPI the row's labels show.
    void rangeEnds_data() {
        QTest::addColumn<int>("sensorId");
        QTest::addColumn<bool>("extended");
        QTest::addColumn<QString>("product");
        QTest::addColumn<QString>("range");
        const auto row = [](int id, bool extended, const QString &product, const QString &range) {
            const QString tag = QString::number(id) + (extended ? " extended" : "") +
                                (product.isEmpty() ? "" : " " + product);
            QTest::newRow(qPrintable(tag)) << id << extended << product << range;
        };
        row(3325, false, "", "100-5000 1-50");
        row(3325, true, "", "100-16000 1-90");
        row(33252, false, "", "100-10000 1-75");
        row(33252, true, "", "100-16000 1-90");
        row(301, false, "", "100-12500 1-125");
        row(3311, false, "", "100-12000 1-120");
        row(33112, false, "", "100-24000 1-180");
        row(3360, false, "", "100-24000 1-180 link");
        row(3370, false, "", "50-19000 1-290");
        row(3327, false, "TESKOL", "200-12400 1-92");
        row(3327, false, "K502", "200-16400 1-106");
        row(3389, false, "", "100-32000 2-480 link");
        row(3212, false, "", "600-7200 16-111");
        row(3104, false, "", "500-4200 14-105 link");
        row(31042, false, "", "500-8400 14-158 link");
        row(3335, false, "", "100-16000 1-160");
        row(33352, false, "", "100-32000 1-240");
        row(3333, false, "", "200-16000 2-120");
        row(33952, false, "", "50-52000 0-779");
        row(3395, false, "", "50-26000 0-519");
        row(3399, true, "", "50-40000 0-599 link");
        row(1234, false, "", "unknown");
    }
    void rangeEnds() {
        QFETCH(int, sensorId);
        QFETCH(bool, extended);
        QFETCH(QString, product);
        QFETCH(QString, range);
        const SensorRange r = sensorRange(sensorId, extended, product);
        const QString shown = !r.known ? QString("unknown")
                                       : QString("%1-%2 %3-%4%5")
                                             .arg(r.minDpi)
                                             .arg(r.maxDpi)
                                             .arg(r.minRaw)
                                             .arg(r.maxRaw)
                                             .arg(r.linkOffered ? " link" : "");
        QCOMPARE(shown, range);
        if (r.known) {
            QCOMPARE(::positionToDpi(sensorId, r.minRaw), r.minDpi);
            QCOMPARE(::positionToDpi(sensorId, r.maxRaw), r.maxDpi);
        }
    }
};

QTEST_MAIN(TestPerformance)
#include "test_performance.moc"
