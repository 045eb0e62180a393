#include "support/test_tree.h"
#include "widgets/default_color_area.h"
#include "widgets/h_color_area.h"
#include "widgets/preview_color_area.h"
#include "widgets/sv_color_area.h"
#include "widgets/vel_color_area.h"

#include <QLineEdit>
#include <QSpinBox>
#include <QtTest>

// The lighting page's colour picker: every control follows a change made through any other, the
// hexadecimal text is read and completed by its length, and the painted areas show what they stand for.
class TestLighting : public QObject {
    Q_OBJECT
    TestTree m_tree;

    static QString hex(const QColor &c) { return c.name().mid(1); }
    // What every control of the picker shows, in one line: H,S,V, the RGB boxes, colour, preview, text, hue
    // bar, square. The hue bar and the square may stand at 360.
    static QString shown(VelColorArea &picker) {
        const auto spin = [&picker](const char *name) { return picker.findChild<QSpinBox *>(name)->value(); };
        const auto hsv = [](int h, int s, int v) { return QString("%1,%2,%3").arg(h).arg(s).arg(v); };
        const auto *square = picker.findChild<SVColorArea *>();
        return QStringList{hsv(spin("hueSpinBox"), spin("saturationSpinBox"), spin("valueSpinBox")),
                           hex(QColor(spin("redSpinBox"), spin("greenSpinBox"), spin("blueSpinBox"))),
                           hex(picker.color()),
                           hex(picker.findChild<PreviewColorArea *>()->afterColor()),
                           picker.findChild<QLineEdit *>("hexEdit")->text(),
                           QString::number(picker.findChild<HColorArea *>()->hue() % 360),
                           hsv(square->hue() % 360, square->saturation(), square->value())}
            .join(' ');
    }

private slots:
    // Starting from navy (hue 240, full saturation, value 128), a change through any one control reaches
    // all of them. Greys keep the hue they were given; the top of the hue bar (360) is hue 0.
    void everyControlFollows() {
        // The control, what it is given, the RGB and H,S,V then shown.
        const std::tuple<QString, QVariant, QString, QString> rows[] = {
            {"hueSpinBox", 120, "008000", "120,255,128"},
            {"saturationSpinBox", 0, "808080", "240,0,128"}, // to grey
            {"valueSpinBox", 255, "0000ff", "240,255,255"},
            {"redSpinBox", 128, "800080", "300,255,128"},
            {"greenSpinBox", 128, "008080", "180,255,128"},
            {"blueSpinBox", 255, "0000ff", "240,255,255"},
            {"hexEdit", "ffff00", "ffff00", "60,255,255"},
            {"square", QPoint(128, 0), "0000ff", "240,255,255"}, // its corner
            {"bar", 0, "800000", "0,255,128"},                   // top
            {"bar", 7 + 64, "008080", "180,255,128"},            // middle
            {"swatch", 0, "ff0000", "0,255,255"},                // red
            {"swatch", 6, "ffffff", "0,0,255"},                  // white
            {"set", QColor(0, 255, 255), "00ffff", "180,255,255"}};
        for (const auto &[via, input, rgb, hsv] : rows) {
            VelColorArea picker(1.0);
            picker.setColor(QColor(0, 0, 128));
            QSignalSpy changed(&picker, &VelColorArea::VelChangeColor);
            QSignalSpy applied(&picker, &VelColorArea::ApplyColor);
            if (auto *box = picker.findChild<QSpinBox *>(via)) {
                box->setValue(input.toInt());
            } else if (via == "hexEdit") {
                auto *edit = picker.findChild<QLineEdit *>(via);
                edit->selectAll();
                QTest::keyClicks(edit, input.toString());
                QTest::keyClick(edit, Qt::Key_Return);
            } else if (via == "square") {
                QTest::mouseClick(picker.findChild<SVColorArea *>(), Qt::LeftButton, {}, input.toPoint());
            } else if (via == "bar") {
                QTest::mouseClick(picker.findChild<HColorArea *>(), Qt::LeftButton, {},
                                  QPoint(10, input.toInt()));
            } else if (via == "swatch") {
                QTest::mouseClick(picker.findChildren<DefaultColorArea *>().at(input.toInt()),
                                  Qt::LeftButton);
            } else {
                picker.setColor(input.value<QColor>());
            }
            QCOMPARE(via + " " + shown(picker),
                     QString("%4 %1 %2 %2 %2 %2 %3 %1").arg(hsv, rgb, hsv.section(',', 0, 0), via));
            QCOMPARE(changed.isEmpty() ? QColor() : changed.last().at(0).value<QColor>(), QColor("#" + rgb));
            QCOMPARE(applied.count(), via == "swatch" ? 1 : 0);
            const QColor before = via == "set" ? input.value<QColor>() : QColor(0, 0, 128);
            QCOMPARE(picker.findChild<PreviewColorArea *>()->beforeColor(), before);
            if (rgb == "ffffff")
                saveShot(&picker, "color_picker");
        }
    }

    // The text is read by its length while the user types (the colour follows, the text is left alone) and
    // completed to six digits when they are done. Only hexadecimal digits, at most six, are taken.
    void hexText() {
        // Typed, the text and colour while typing, the text when done.
        const std::tuple<QString, QString, QString, QString> rows[] = {
            {"f", "f", "00000f", "00000f"},
            {"abc", "abc", "aabbcc", "aabbcc"},
            {"12345", "12345", "012345", "012345"},
            {"A1b2C3", "A1b2C3", "a1b2c3", "A1b2C3"},
            {"1234567", "123456", "123456", "123456"},
            {"g#-", "ff8000", "ff8000", "ff8000"}, // not hexadecimal
            {"\b", "", "000000", "000000"}};       // emptied
        for (const auto &[typed, whileTyping, colour, finished] : rows) {
            VelColorArea picker(1.0);
            picker.setColor(QColor(255, 128, 0));
            auto *edit = picker.findChild<QLineEdit *>("hexEdit");
            edit->selectAll();
            for (const QChar c : typed)
                c == '\b' ? QTest::keyClick(edit, Qt::Key_Backspace) : QTest::keyClicks(edit, QString(c));
            QCOMPARE(typed + ": " + edit->text() + " " + hex(picker.color()),
                     typed + ": " + whileTyping + " " + colour);
            QCOMPARE(picker.findChild<QSpinBox *>("blueSpinBox")->value(), QColor("#" + colour).blue());
            QTest::keyClick(edit, Qt::Key_Return);
            QCOMPARE(edit->text(), finished);
        }
    }

    // The square's marker ring is black over the bright upper half and white over the dark lower half; the
    // hue bar's colour beside its marker is the hue the marker stands for.
    void paintedMarkers() {
        // Hue, value, whether the ring is black: at the top, just above and below half, at the bottom.
        const int rows[][3] = {{315, 255, 1}, {180, 140, 1}, {270, 120, 0}, {45, 0, 0}};
        for (const auto &[hue, value, black] : rows) {
            SVColorArea square(1.0);
            square.setHsv(hue, 128, value);
            const int ring = qGray(square.grab().toImage().pixel(64 + 5, 128 - value / 2));
            QVERIFY2(black ? ring < 60 : ring > 195, qPrintable(QString::number(ring)));
            HColorArea bar(1.0);
            bar.setHue(hue);
            const QColor beside = bar.grab().toImage().pixel(13, 7 + 128 - hue * 128 / 360);
            QVERIFY2(qAbs(beside.hsvHue() - hue) <= 4, qPrintable(QString::number(beside.hsvHue())));
        }
    }
};

QTEST_MAIN(TestLighting)
#include "test_lighting.moc"
