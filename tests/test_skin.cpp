#include "gif_writer.h"
#include "support/test_tree.h"

#include <QImageReader>
#include <QRandomGenerator>
#include <QtTest>

class TestSkin : public QObject {
    Q_OBJECT
private slots:
    void shippedImages_data();
    void shippedImages();
    void windowBackgroundIsShaped();
    void animationDecodesToTheSamePixels_data();
    void animationDecodesToTheSamePixels();
    void loadingAnimationIsBuiltIn();
};

void TestSkin::shippedImages_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    QTest::newRow("background") << "cfgMainback.png" << QSize(999, 640);
    QTest::newRow("battery") << "bat1.png" << QSize(86, 47);
    QTest::newRow("battery on cable") << "bat2.png" << QSize(86, 47);
    QTest::newRow("dialog") << "dlg.png" << QSize(478, 309);
    for (const char *name : {"tabbutton-1.png", "tabbutton-2.png", "tabbutton-3.png", "close-1.png",
                             "close-2.png", "close-3.png", "min-1.png", "min-2.png", "min-3.png", "icon.ico",
                             "icon.png", "lang.png", "warn.png", "dongle2.png"})
        QTest::newRow(name) << name << QSize();
    // Every one of the twenty button highlights of the shipped model, beside the plain pictures.
    const QString mouse = "mouse/Korvane M7 Wireless";
    QTest::newRow("front") << mouse + "/Mouse.png" << QSize(260, 360);
    for (int i = 1; i <= 20; ++i)
        QTest::newRow(qPrintable(QString("highlight %1").arg(i)))
            << mouse + QString("/mouse_%1.png").arg(i) << QSize(260, 360);
    QTest::newRow("side") << mouse + "_Side.png" << QSize();
}

void TestSkin::shippedImages() {
    QFETCH(QString, name);
    QFETCH(QSize, size);
    const QImage image(TestTree::distDir() + "/skin/" + name);
    QVERIFY2(!image.isNull(), qPrintable(name));
    if (size.isValid())
        QCOMPARE(image.size(), size);
}

void TestSkin::windowBackgroundIsShaped() {
    const QImage image(TestTree::distDir() + "/skin/cfgMainback.png");
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(image.pixel(998, 639)), 0);
    QCOMPARE(qAlpha(image.pixel(500, 320)), 255);
    QCOMPARE(qAlpha(image.pixel(0, 320)), 255);
}

void TestSkin::animationDecodesToTheSamePixels_data() {
    QTest::addColumn<int>("side");
    QTest::addColumn<bool>("noisy");
    QTest::newRow("flat") << 16 << false;
    // Noise fills the code table many times over, forcing clear codes in the middle of a frame.
    QTest::newRow("noise") << 200 << true;
}

void TestSkin::animationDecodesToTheSamePixels() {
    QFETCH(int, side);
    QFETCH(bool, noisy);
    QVector<QRgb> palette;
    for (int i = 0; i < 255; ++i)
        palette << qRgb(i, 255 - i, (i * 7) & 0xFF);
    QRandomGenerator random(42);
    QVector<QImage> frames;
    for (int f = 0; f < 3; ++f) {
        QImage frame(side, side, QImage::Format_ARGB32);
        for (int y = 0; y < side; ++y) {
            for (int x = 0; x < side; ++x) {
                const int index = noisy ? int(random.bounded(256)) : (x / 4 + f) % 256;
                frame.setPixel(x, y, index == 0 ? qRgba(0, 0, 0, 0) : palette[index - 1]);
            }
        }
        frames << frame;
    }
    QByteArray data = GifWriter::encode(frames, palette, 5);
    QBuffer buffer(&data);
    QImageReader reader(&buffer, "gif");
    QCOMPARE(reader.imageCount(), 3);
    for (int f = 0; f < 3; ++f) {
        const QImage decoded = reader.read().convertToFormat(QImage::Format_ARGB32);
        QVERIFY2(!decoded.isNull(), qPrintable(reader.errorString()));
        for (int y = 0; y < side; ++y) {
            for (int x = 0; x < side; ++x) {
                const QRgb want = frames[f].pixel(x, y);
                const QRgb got = decoded.pixel(x, y);
                if (qAlpha(want) == 0)
                    QCOMPARE(qAlpha(got), 0);
                else
                    QCOMPARE(got, want);
            }
        }
    }
}

void TestSkin::loadingAnimationIsBuiltIn() {
    Q_INIT_RESOURCE(skin_resources);
    QImageReader reader(":/skin/loading.gif");
    QVERIFY(reader.imageCount() > 1);
    QCOMPARE(reader.size(), QSize(128, 128));
    QVERIFY(!QImage(":/yes_Btn").isNull());
    QVERIFY(!QImage(":/no_Btn").isNull());
}

QTEST_GUILESS_MAIN(TestSkin)
#include "test_skin.moc"
