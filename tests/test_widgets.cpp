#include "gif_writer.h"
#include "storage/model_pictures.h"
#include "support/test_tree.h"
#include "widgets/skin_pictures.h"
#include "widgets/vel_label.h"
#include "widgets/vel_message_box.h"
#include "widgets/vel_push_button.h"
#include "widgets/vel_slider.h"

#include <QDirIterator>
#include <QImageReader>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QtTest>

// The skinned widgets and the skin they are drawn with.
class TestWidgets : public QObject {
    Q_OBJECT
    TestTree m_tree;

    QStringList images(int count) const {
        QStringList all;
        for (const char *name : {"tabbutton-1", "tabbutton-3", "tabbutton-2", "min-1"})
            all << m_tree.file(QString("skin/%1.png").arg(name));
        return all.mid(0, count);
    }
    static void hover(QWidget *widget, bool in) {
        QEvent event(in ? QEvent::Enter : QEvent::Leave);
        QApplication::sendEvent(widget, &event);
    }

private slots:
    // Every shipped picture loads, the model's ones by the names the mouse view asks for (the window's shape
    // cut from the background is checked where the window starts). Every picture the window shows is also
    // painted at twice its size, pixel for pixel double, so that a window scaled above 1 never shows an
    // enlarged 1x picture.
    void shippedImages() {
        const QString product = "Korvane M7 Wireless", skin = TestTree::distDir() + "/skin/";
        QStringList names = modelpictures::wheelUpImages(product) + modelpictures::wheelDownImages(product);
        names << modelpictures::front(product) << modelpictures::side(product);
        for (int i = 0; i < 20; ++i)
            names << modelpictures::buttonHighlight(product, i);
        QSet<QString> shipped, named;
        int pictures = 0;
        for (QDirIterator it(skin, QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
            const QString path = it.next();
            names << path.mid(skin.size());
            shipped << it.fileName();
            if (!path.endsWith(".png") || path.endsWith("@2x.png") || path.endsWith("/icon.png"))
                continue;
            ++pictures;
            const QImage once(path), twice(path.left(path.size() - 4) + "@2x.png");
            QVERIFY2(!once.isNull() && twice.size() == once.size() * 2, qPrintable(path));
        }
        QVERIFY(pictures > 50);
        for (const QString &name : names)
            QVERIFY2(!QImage(skin + name).isNull(), qPrintable(name));
        // The built-in pictures: the animation of the progress dialog and the message box's buttons.
        Q_INIT_RESOURCE(skin_resources);
        QVERIFY(QImageReader(":/skin/loading.gif").imageCount() > 1);
        QVERIFY(!QImage(":/yes_Btn").isNull() && !QImage(":/no_Btn").isNull());

        // Every picture the sources name is shipped: file names in literals and style sheets ("dlg.png",
        // "/skin/warn.png", url(%2/keyup.png)) somewhere in the skin, ":/..." among the built-in pictures.
        // Names made at run time are checked by their expansions: the macro page's move arrows here, the
        // model's pictures (model_pictures.cpp, whose literals are only fragments) above.
        for (const char *arrow : {"left", "right", "up", "down"})
            for (int look = 1; look <= 3; ++look)
                named << QString("%1%2.png").arg(arrow).arg(look);
        const QRegularExpression picture("[\"/(]([\\w-]+\\.(?:png|gif|ico))\\b"), resource("\":(/[^\"]+)\"");
        const QString sources = QStringLiteral(KORVANE_SOURCE_CODE_DIR);
        for (QDirIterator it(sources, {"*.cpp", "*.h"}, QDir::Files, QDirIterator::Subdirectories);
             it.hasNext();) {
            QFile file(it.next());
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
            const QString text = QString::fromUtf8(file.readAll());
            for (auto match = resource.globalMatch(text); match.hasNext();) {
                const QString path = ":" + match.next().captured(1);
                QVERIFY2(QFile::exists(path), qPrintable(it.filePath() + ": " + path));
            }
            for (auto match = picture.globalMatch(text);
                 match.hasNext() && it.fileName() != "model_pictures.cpp";)
                named << match.next().captured(1);
        }
        QVERIFY2(named.size() > 40, qPrintable(sources)); // the scan found the sources
        for (const QString &name : named)
            QVERIFY2(shipped.contains(name), qPrintable(name + " is named in the sources but not shipped"));
    }

    // Three frames written and read back give the same pixels, index 0 transparent: flat ones, and noise,
    // which fills the code table many times over, forcing clear codes in the middle of a frame.
    void animationDecodesToTheSamePixels() {
        QVector<QRgb> palette;
        for (int i = 0; i < 255; ++i)
            palette << qRgb(i, 255 - i, (i * 7) & 0xFF);
        QRandomGenerator random(42);
        for (const auto &[side, noisy] : {std::pair{16, false}, std::pair{200, true}}) {
            QVector<QImage> frames(3, QImage(side, side, QImage::Format_ARGB32));
            for (int f = 0; f < 3; ++f) {
                for (int i = 0; i < side * side; ++i) {
                    const int index = noisy ? int(random.bounded(256)) : (i % side / 4 + f) % 256;
                    frames[f].setPixel(i % side, i / side,
                                       index == 0 ? qRgba(0, 0, 0, 0) : palette[index - 1]);
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
                    const QRgb want = frame.pixel(i % side, i / side),
                               got = decoded.pixel(i % side, i / side);
                    QCOMPARE(qAlpha(want) ? got : got & 0xFF000000u,
                             want); // transparent: only the alpha counts
                }
            }
        }
    }

    // States 0 normal, 1 hover, 2 pressed, 3 disabled along hover, press, release, leave, then disabling.
    // A leave right after a press is not reported; the next one is. The press is told before the click; a
    // disabled button neither signals nor changes its look.
    void pushButtonStates() {
        // Pictures, -1 when not checkable (else whether checked before the click), the states on hover,
        // press, release, leave and disabling: one picture never changes, two have no pressed look, a
        // checkable button checked by the click keeps its hover look.
        const int rows[][7] = {{1, -1, 0, 0, 0, 0, 3},
                               {2, -1, 1, 1, 1, 0, 3},
                               {3, -1, 1, 2, 1, 0, 3},
                               {3, 0, 1, 2, 1, 1, 1},
                               {4, 1, 1, 0, 1, 0, 3}};
        for (const int *row : rows) {
            const int imageCount = row[0], checked = row[1];
            const QVector<int> states(row + 2, row + 7);
            VelPushButton button(images(imageCount));
            button.resize(140, 34);
            button.setCheckable(checked >= 0);
            button.setChecked(checked == 1);
            QSignalSpy over(&button, &VelPushButton::OverSignal);
            QStringList order;
            connect(&button, &VelPushButton::EnterSignal,
                    [&](VelPushButton *b) { order << (b == &button ? "enter" : "?"); });
            connect(&button, &QPushButton::clicked, [&] { order << "clicked"; });
            QVector<int> seen;
            hover(&button, true);
            seen << button.state();
            QTest::mousePress(&button, Qt::LeftButton);
            seen << button.state();
            QTest::mouseRelease(&button, Qt::LeftButton);
            seen << button.state();
            hover(&button, false);
            seen << button.state();
            QCOMPARE(over.count(), 1);
            hover(&button, true);
            hover(&button, false);
            QVERIFY(over.count() == 3 && !over.at(2).at(1).toBool() && button.state() == states[3]);
            button.setEnabled(false);
            seen << button.state();
            QTest::mouseClick(&button, Qt::LeftButton);
            QCOMPARE(seen, states);
            QCOMPARE(order, (QStringList{"enter", "clicked"}));
            QVERIFY(!button.QPushButton::isEnabled() && button.state() == states[4] &&
                    !button.grab().isNull());
            button.setEnabled(true);
            QCOMPARE(button.state(), states[3]);
        }
    }

    // Buttons wearing the same pictures share them, each file read once; a name in the skin folder and its
    // full path are one picture. A scaled copy is made for each size and aspect rule asked for, with the
    // pixels a direct scaling gives (from the picture painted at twice the size where the 1x one would be
    // enlarged), however the requests alternate.
    void skinPicturesReadOncePerFileAndScaledPerSize() {
        SkinPictures::clear();
        const int before = SkinPictures::loads();
        std::vector<std::unique_ptr<VelPushButton>> buttons;
        for (int i = 0; i < 5; ++i)
            buttons.push_back(std::make_unique<VelPushButton>(VelPushButton::tabImages()));
        QCOMPARE(SkinPictures::loads() - before, 3);
        const QString file = m_tree.file("skin/tabbutton-1.png");
        QCOMPARE(SkinPictures::picture("tabbutton-1.png").cacheKey(), SkinPictures::picture(file).cacheKey());

        // Neighbours differ in the width only, the height only or the aspect rule only.
        const std::pair<QSize, Qt::AspectRatioMode> requests[] = {{QSize(280, 34), Qt::IgnoreAspectRatio},
                                                                  {QSize(70, 34), Qt::IgnoreAspectRatio},
                                                                  {QSize(70, 70), Qt::IgnoreAspectRatio},
                                                                  {QSize(70, 70), Qt::KeepAspectRatio},
                                                                  {QSize(280, 34), Qt::IgnoreAspectRatio}};
        const QString twice = m_tree.file("skin/tabbutton-1@2x.png");
        for (const auto &[size, mode] : requests) {
            const QImage made = SkinPictures::scaled("tabbutton-1.png", size, mode).toImage();
            const bool enlarged = size.width() > 140 || size.height() > 34;
            const QImage direct =
                QPixmap(enlarged ? twice : file).scaled(size, mode, Qt::SmoothTransformation).toImage();
            QVERIFY2(!made.isNull() && made == direct,
                     qPrintable(QString("%1x%2 mode %3").arg(size.width()).arg(size.height()).arg(mode)));
        }
        QCOMPARE(SkinPictures::loads() - before, 4);
        QVERIFY(SkinPictures::picture("no-such-picture.png").isNull());

        // Drawn into a rectangle: the 1x picture at scale 1, the 2x one above it, the 1x one where the skin
        // has no 2x copy.
        QCOMPARE(SkinPictures::sharp("tabbutton-1.png", 1.0).size(), QSize(140, 34));
        QCOMPARE(SkinPictures::sharp("tabbutton-1.png", 1.25).size(), QSize(280, 68));
        QCOMPARE(SkinPictures::sharp("icon.png", 2.0).cacheKey(),
                 SkinPictures::picture("icon.png").cacheKey());

        // A picture read ahead on a thread is the picture the file holds, read once; one that cannot be read
        // is tried again.
        const int ahead = SkinPictures::loads();
        SkinPictures::preload("cfgMainback.png");
        SkinPictures::preload("cfgMainback.png");
        SkinPictures::preload("no-such-picture.png");
        QCOMPARE(SkinPictures::loads() - ahead, 2);
        QCOMPARE(SkinPictures::picture("cfgMainback.png").toImage(),
                 QPixmap(m_tree.file("skin/cfgMainback.png")).toImage());
        QVERIFY(SkinPictures::picture("no-such-picture.png").isNull());
        QVERIFY(SkinPictures::picture("no-such-picture.png").isNull());
        QCOMPARE(SkinPictures::loads() - ahead, 3);
    }

    // The tip spans the slider less its own width; an empty range or a tip wider than the slider stays at 0.
    void sliderTipFollowsValue() {
        QVERIFY(VelSlider::tipX(1, 1, 100, 240, 40) == 0 && VelSlider::tipX(100, 1, 100, 240, 40) == 200);
        QVERIFY(VelSlider::tipX(5, 5, 5, 240, 40) == 0 && VelSlider::tipX(5, 0, 10, 30, 40) == 0);
        QWidget page;
        page.resize(400, 200);
        VelSlider slider(Qt::Horizontal, &page);
        slider.setGeometry(50, 100, 240, 20);
        slider.setRange(0, 100);
        VelLabel tip(&page);
        tip.resize(40, 20);
        slider.setTip(&tip);
        slider.showTip(true);
        QSignalSpy change(&slider, &VelSlider::MouseChange);
        QTest::mousePress(&slider, Qt::LeftButton, {}, QPoint(235, 10));
        QVERIFY(tip.isVisibleTo(&page) && tip.text() == QString::number(slider.value()));
        QCOMPARE(tip.x(), 50 + VelSlider::tipX(slider.value(), 0, 100, 240, 40));
        QTest::mouseRelease(&slider, Qt::LeftButton, {}, QPoint(235, 10));
        QVERIFY(!tip.isVisibleTo(&page) && change.count() == 1);
    }

    // A question has Yes and No, information only Ok (answering boxes ahead is used by test_main_window).
    void messageBoxKinds() {
        VelMessageBox question(VelMessageBox::Question, QString(), "Warning", "Are you sure?");
        auto *yes = question.findChild<VelPushButton *>("msgBoxYesBtn");
        auto *no = question.findChild<VelPushButton *>("msgBoxNoBtn");
        QVERIFY(yes && no && yes->text() == "Yes" && yes->imageCount() == 1);
        QTimer::singleShot(0, no, [no] { QTest::mouseClick(no, Qt::LeftButton); });
        QCOMPARE(question.exec(), int(QDialog::Rejected));

        VelMessageBox info(VelMessageBox::Information, QString(), "Warning", "Profile Exist!");
        auto *ok = info.findChild<VelPushButton *>("msgBoxYesBtn");
        QVERIFY(!info.findChild<VelPushButton *>("msgBoxNoBtn") && ok->text() == "Ok");
        QTimer::singleShot(0, ok, [ok] { QTest::mouseClick(ok, Qt::LeftButton); });
        QCOMPARE(info.exec(), int(QDialog::Accepted));
        QCOMPARE(info.findChild<VelLabel *>("msgBoxInfoLabel1")->text(), QString("Profile Exist!"));
    }
};

QTEST_MAIN(TestWidgets)
#include "test_widgets.moc"
