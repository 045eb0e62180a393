#include "gif_writer.h"
#include "support/test_tree.h"

#include <QImageReader>
#include <QRandomGenerator>
#include <QtTest>

class TestSkin : public QObject {
    Q_OBJECT
private slots:
    // Every shipped picture loads; those the layout depends on have their exact size (an empty size: any).
    void shippedImages_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        QTest::newRow("background") << "cfgMainback.png" << QSize(999, 640);
        QTest::newRow("battery") << "bat1.png" << QSize(86, 47);
        QTest::newRow("battery on cable") << "bat2.png" << QSize(86, 47);
        QTest::newRow("dialog") << "dlg.png" << QSize(478, 309);
        for (const char *name : {"tabbutton-1.png", "tabbutton-2.png", "tabbutton-3.png", "close-1.png",
                                 "close-2.png", "close-3.png", "min-1.png", "min-2.png", "min-3.png",
                                 "icon.ico", "icon.png", "lang.png", "warn.png", "dongle2.png"})
            QTest::newRow(name) << name << QSize();
        // The plain front and side pictures of the shipped model, and each of its twenty button highlights.
        const QString mouse = "mouse/Korvane M7 Wireless";
        QTest::newRow("front") << mouse + "/Mouse.png" << QSize(260, 360);
        QTest::newRow("side") << mouse + "_Side.png" << QSize();
        for (int i = 1; i <= 20; ++i)
            QTest::newRow(qPrintable(QString("highlight %1").arg(i)))
                << mouse + QString("/mouse_%1.png").arg(i) << QSize(260, 360);
    }
    void shippedImages() {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        const QImage image(TestTree::distDir() + "/skin/" + name);
        QVERIFY2(!image.isNull(), qPrintable(name));
        QVERIFY(!size.isValid() || image.size() == size);
    }

    // Transparent outside the outline (the corners), opaque inside and on the left edge's middle.
    void windowBackgroundIsShaped() {
        const QImage image(TestTree::distDir() + "/skin/cfgMainback.png");
        QVERIFY(qAlpha(image.pixel(0, 0)) == 0 && qAlpha(image.pixel(998, 639)) == 0);
        QVERIFY(qAlpha(image.pixel(500, 320)) == 255 && qAlpha(image.pixel(0, 320)) == 255);
    }

    // Three frames written and read back give the same pixels, index 0 transparent.
    void animationDecodesToTheSamePixels_data() {
        QTest::addColumn<int>("side");
        QTest::addColumn<bool>("noisy");
        QTest::newRow("flat") << 16 << false;
        // Noise fills the code table many times over, forcing clear codes in the middle of a frame.
        QTest::newRow("noise") << 200 << true;
    }
    void animationDecodesToTheSamePixels() {
        QFETCH(int, side);
        QFETCH(bool, noisy);
        QVector<QRgb> palette;
        for (int i = 0; i < 255; ++i)
            palette << qRgb(i, 255 - i, (i * 7) & 0xFF);
        QRandomGenerator random(42);
        QVector<QImage> frames(3, QImage(side, side, QImage::Format_ARGB32));
        for (int f = 0; f < 3; ++f) {
            for (int i = 0; i < side * side; ++i) {
                const int index = noisy ? int(random.bounded(256)) : (i % side / 4 + f) % 256;
                frames[f].setPixel(i % side, i / side, index == 0 ? qRgba(0, 0, 0, 0) : palette[index - 1]);
            }
        }
        QByteArray data = GifWriter::encode(frames, palette, 5);
        QBuffer buffer(&data);
        QImageReader reader(&buffer, "gif");
        QCOMPARE(reader.imageCount(), 3);
        for (const QImage &frame : frames) {
            const QImage decoded = reader.read().convertToFormat(QImage::Format_ARGB32);
            QVERIFY2(!decoded.isNull(), qPrintable(reader.errorString()));
            for (int i = 0; i < side * side; ++i) {
                const QRgb want = frame.pixel(i % side, i / side), got = decoded.pixel(i % side, i / side);
                QCOMPARE(qAlpha(want) ? got : got & 0xFF000000u, want); // transparent: only the alpha counts
            }
        }
    }

    void builtInPictures() {
        Q_INIT_RESOURCE(skin_resources);
        QImageReader reader(":/skin/loading.gif");
        QVERIFY(reader.imageCount() > 1 && reader.size() == QSize(128, 128));
        QVERIFY(!QImage(":/yes_Btn").isNull() && !QImage(":/no_Btn").isNull());
    }
};

QTEST_GUILESS_MAIN(TestSkin)
#include "test_skin.moc"
