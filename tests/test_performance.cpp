#include "device/pointer_speed.h"
#include "performance/vel_dpi_window.h"
#include "performance/vel_point_speed.h"
#include "performance/vel_report_rate.h"
#include "performance/vel_single_dpi.h"
#include "platform/headless_pointer_settings.h"
#include "platform/process_launcher.h"
#include "storage/app_config_store.h"
#include "support/test_tree.h"
#include "widgets/vel_label.h"
#include "widgets/vel_message_box.h"
#include "widgets/vel_push_button.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QtTest>

namespace {
AppConfig &working() {
    return AppConfigStore::instance().working();
}

// Sync, angle snapping, jitter, motion wake, sensor mode, key response and scroll speed as stored.
QString sensorSettings() {
    const AppConfig &c = working();
    QStringList values;
    for (int v : {c.sync, c.angleValue, c.jitter, c.wake, c.sensorMode, c.debounce, c.profile.scrollSpeed})
        values << QString::number(v);
    return values.join(' ');
}

// Gives the description the decoded stage count (button count and resolution cancel out).
void setStageCount(const TestTree &tree, int decoded) {
    for (const char *key : {"PROFILE/ButtonCount", "PROFILE/MouseDpi"})
        tree.setIniValue("DefaultProfile.bin", key, 5);
    tree.setIniValue("DefaultProfile.bin", "PROFILE/DPICount", decoded);
}
} // namespace

// The DPI page: its stage rows, the sensor settings, the report rate and lift-off distance.
class TestPerformance : public QObject {
    Q_OBJECT
    std::unique_ptr<TestTree> m_tree;

private slots:
    void init() { m_tree = std::make_unique<TestTree>(); }

    // The description's decoded stage count picks the rows shown (0 and 9 stand for eight); the sleep
    // widgets show below the last row only while they fit inside the page. Where the desktop sets the
    // pointer speed (Wayland), a note below them says so while it fits.
    void visibleRows() {
        installPointerSettings(std::make_unique<HeadlessPointerSettings>(true));
        const auto ownPointer = qScopeGuard([] { installPointerSettings(nullptr); });
        // The decoded count, the rows shown and whether the sleep widgets show.
        const int rows[][3] = {{0, 8, 0}, {4, 4, 1}, {6, 6, 1}, {7, 7, 0}, {9, 8, 0}};
        for (const auto &[decoded, rowCount, sleepShown] : rows) {
            setStageCount(*m_tree, decoded);
            VelDPIWindow page(1.5);
            QList<VelSingleDPI *> shown;
            for (VelSingleDPI *row : page.findChildren<VelSingleDPI *>())
                if (!row->isHidden())
                    shown << row;
            QVERIFY2(shown.size() == rowCount && shown.last()->index() == rowCount - 1,
                     qPrintable(QString::number(decoded)));
            auto *sleep = page.findChild<QSlider *>("sleepSlider");
            QCOMPARE(!sleep->isHidden(), bool(sleepShown));
            if (sleepShown) {
                QVERIFY(sleep->y() > shown.last()->geometry().bottom());
                QVERIFY(page.findChild<QCheckBox *>("moveOffBox")->geometry().bottom() < int(432 * 1.5));
            }
            const QWidget *above =
                sleepShown ? static_cast<QWidget *>(page.findChild<QCheckBox *>("moveOffBox")) : shown.last();
            auto *note = page.findChild<VelLabel *>("pointerNote");
            QCOMPARE(!note->isHidden(), rowCount < 8);
            QVERIFY(note->isHidden() ||
                    (note->y() > above->geometry().bottom() && note->geometry().bottom() < int(432 * 1.5)));
        }
        // Where the program sets the speed itself, no note.
        installPointerSettings(std::make_unique<HeadlessPointerSettings>());
        QVERIFY(VelDPIWindow(1.0).findChild<VelLabel *>("pointerNote")->isHidden());
    }

    // The lighting's sleep time and light-off below the stages are the working profile's, which the
    // lighting page shows as well and the mouse gets: the slider and the box change them, a change made
    // elsewhere shows on refresh, and showing writes nothing back.
    void sleepWidgetsEditProfile() {
        setStageCount(*m_tree, 4);
        ProfileData &data = working().profile;
        data.ledSleepTime = 3;
        data.ledMoveOff = 255;
        VelDPIWindow page(1.0);
        auto *slider = page.findChild<QSlider *>("sleepSlider");
        auto *box = page.findChild<QCheckBox *>("moveOffBox");
        QVERIFY(!slider->isHidden() && !box->isHidden());
        const auto shown = [&] {
            return QString("%1 %2 %3, profile %4 %5")
                .arg(slider->value())
                .arg(page.findChild<VelLabel *>("sleepValue")->text())
                .arg(box->isChecked() ? "off while moving" : "on while moving")
                .arg(data.ledSleepTime)
                .arg(data.ledMoveOff);
        };
        QCOMPARE(shown(), QString("3 3 MINUTE on while moving, profile 3 255"));
        slider->setValue(7);
        box->click();
        QCOMPARE(shown(), QString("7 7 MINUTE off while moving, profile 7 0"));
        // The lighting page set 2 and light-off; beyond the slider's range, 12 is shown and kept as stored.
        for (const int stored : {2, 12}) {
            data.ledSleepTime = uint8_t(stored);
            data.ledMoveOff = 0;
            page.refresh();
            QCOMPARE(shown(), QString("%1 %2 MINUTE off while moving, profile %2 0")
                                  .arg(qMin(stored, slider->maximum()))
                                  .arg(stored));
        }
    }

    // Stage 2 (of sensor 3389: 50 DPI a step, Y 600 beyond its range) edited through each control; showing
    // it writes nothing back. A bar moved alone takes the other bar's place; Link XY couples the bars.
    void stageEdits() {
        // The controls used, the stage and the row's label then.
        const QPair<QString, QString> rows[] = {
            {"", "active 0, on unlinked 10x600, DPI : 44000"},
            {"xBar=40", "active 0, on unlinked 40x480, DPI : 32000"},
            {"yBar=40", "active 0, on unlinked 10x40, DPI : 2000"},
            {"linkBox linkedBar=30", "active 0, on linked 30x30, DPI : 1500"},
            {"linkBox linkBox yBar=50", "active 0, on unlinked 10x50, DPI : 2500"},
            {"onBox", "active 0, off unlinked 10x600, DPI : 44000"},
            {"dpiLabel", "active 2, on unlinked 10x600, DPI : 44000"},
            {"stageRadio2", "active 2, on unlinked 10x600, DPI : 44000"}};
        for (const auto &[actions, expected] : rows) {
            ProfileData &data = AppConfigStore::instance().working().profile;
            data.dpiStage = 0;
            data.dpiStages[2] = DpiStage();
            data.dpiStages[2].used = 1;
            data.dpiStages[2].x = 10;
            data.dpiStages[2].y = 600;
            VelDPIWindow page(1.0);
            page.refresh();
            QWidget *row = page.findChild<VelSingleDPI *>("stageRow2");
            for (const QString &action : actions.split(' ', Qt::SkipEmptyParts)) {
                const QString name = action.section('=', 0, 0);
                QWidget *target = row->findChild<QWidget *>(name) ? row->findChild<QWidget *>(name)
                                                                  : page.findChild<QWidget *>(name);
                if (auto *bar = qobject_cast<QSlider *>(target))
                    bar->setValue(action.section('=', 1).toInt());
                else if (auto *button = qobject_cast<QAbstractButton *>(target))
                    button->click();
                else
                    QTest::mouseClick(target, Qt::LeftButton);
            }
            const DpiStage &stage = data.dpiStages[2];
            QCOMPARE(QString("%1: active %2, %3 %4 %5x%6, %7")
                         .arg(actions)
                         .arg(data.dpiStage)
                         .arg(stage.used ? "on" : "off", stage.link ? "linked" : "unlinked")
                         .arg(stage.x)
                         .arg(stage.y)
                         .arg(row->findChild<VelLabel *>("dpiLabel")->text()),
                     actions + ": " + expected);
            QCOMPARE(row->findChild<QSlider *>("linkedBar")->isHidden(), !stage.link);
            QVERIFY(page.findChild<QRadioButton *>(QString("stageRadio%1").arg(data.dpiStage))->isChecked());
        }
    }

    // A stored lift-off code other than 1 or 2 shows as 2 mm and becomes 2; a click in either group stores
    // its code and, passed on by the page, shows in the other. Showing writes nothing else back, though
    // the controls cannot show a key response or scroll speed of 0.
    void lift() {
        // The code stored before, the control clicked, the code then stored and shown.
        const std::tuple<int, QString, int> rows[] = {{0, "", 2},         {200, "", 2},
                                                      {2, "lift1mm", 1},  {1, "lift2mm", 2},
                                                      {2, "lift1Box", 1}, {1, "lift2Box", 2}};
        for (const auto &[stored, clicked, lift] : rows) {
            working().debounce = working().profile.scrollSpeed = 5;
            VelDPIWindow page(1.0);
            auto *rate = page.findChild<VelReportRate *>();
            auto *group = page.findChild<VelPointSpeed *>();
            group->refresh();
            QSignalSpy told(group, &VelPointSpeed::LiftChanged), toldToo(rate, &VelReportRate::RefreshLift);
            working().debounce = working().profile.scrollSpeed = 0;
            working().liftHigh = uint8_t(stored);
            rate->refresh();
            working().liftHigh = uint8_t(stored);
            group->refresh();
            if (!clicked.isEmpty())
                page.findChild<QAbstractButton *>(clicked)->click();
            QVERIFY2(working().liftHigh == lift, qPrintable(clicked));
            QCOMPARE(told.size() + toldToo.size(), clicked.isEmpty() ? 0 : 1);
            QVERIFY(rate->findChild<QRadioButton *>(QString("lift%1mm").arg(lift))->isChecked());
            QVERIFY(group->findChild<QCheckBox *>(QString("lift%1Box").arg(lift))->isChecked());
            QVERIFY(!group->findChild<QCheckBox *>(QString("lift%1Box").arg(3 - lift))->isChecked());
            QCOMPARE(working().debounce + working().profile.scrollSpeed, 0);
        }
    }

    // From sync off, angle snapping, jitter and motion wake off, standard mode, key response 100 and scroll
    // speed 7, one edit of a control: sync stores 1 when on, the other three 0; a sensor mode is stored and
    // the only one checked, also when clicked again; key response keeps to 1..255, scroll speed to 1..20.
    void sensorEdits() {
        // The control, what it is given (clicks, a slider value or typed text), the settings then stored.
        const std::tuple<QString, QVariant, QString> rows[] = {
            {"syncBox", 1, "1 1 1 1 1 100 7"},          {"syncBox", 2, "0 1 1 1 1 100 7"},
            {"angleBox", 1, "0 0 1 1 1 100 7"},         {"angleBox", 2, "0 1 1 1 1 100 7"},
            {"jitterBox", 1, "0 1 0 1 1 100 7"},        {"wakeBox", 1, "0 1 1 0 1 100 7"},
            {"ecoBox", 1, "0 1 1 1 0 100 7"},           {"competitiveBox", 1, "0 1 1 1 2 100 7"},
            {"competitiveBox", 2, "0 1 1 1 2 100 7"},   {"responseSlider", 0, "0 1 1 1 1 1 7"},
            {"responseSlider", 256, "0 1 1 1 1 255 7"}, {"scrollSpin", "0", "0 1 1 1 1 100 7"},
            {"scrollSpin", "21", "0 1 1 1 1 100 2"}, // the 1 refused
            {"scrollSpin", "20", "0 1 1 1 1 100 20"}};
        for (const auto &[control, input, stored] : rows) {
            AppConfig &c = working();
            c.sync = 0, c.angleValue = c.jitter = c.wake = c.sensorMode = 1, c.debounce = 100;
            c.profile.scrollSpeed = 7;
            VelPointSpeed group(1.0);
            group.refresh();
            QWidget *target = group.findChild<QWidget *>(control);
            if (auto *slider = qobject_cast<QSlider *>(target)) {
                slider->setValue(input.toInt());
            } else if (auto *spin = qobject_cast<QSpinBox *>(target)) {
                auto *edit = spin->findChild<QLineEdit *>();
                edit->selectAll();
                QTest::keyClicks(edit, input.toString());
                QTest::keyClick(edit, Qt::Key_Return);
            } else {
                for (int click = 0; click < input.toInt(); ++click)
                    qobject_cast<QCheckBox *>(target)->click();
            }
            QCOMPARE(control + " " + input.toString() + ": " + sensorSettings(),
                     control + " " + input.toString() + ": " + stored);
            QCOMPARE(group.findChild<VelLabel *>("responseValue")->text(), QString::number(c.debounce));
            const QStringList modes{"ecoBox", "standardBox", "competitiveBox"};
            for (int i = 0; i < modes.size(); ++i)
                QCOMPARE(group.findChild<QCheckBox *>(modes[i])->isChecked(), i == c.sensorMode);
        }
    }

    // Each rate entry, in menu order, stores its code and names itself on the button.
    void rateChosen() {
        VelReportRate rate(1.0);
        QStringList shown;
        for (QAction *entry : rate.findChild<QMenu *>()->actions()) {
            entry->trigger();
            shown << entry->text() + "=" + QString::number(working().profile.pollRate) + " " +
                         rate.findChild<VelPushButton *>("rateButton")->text();
        }
        QCOMPARE(shown.join(", "), "125 HZ=8 125 HZ, 250 HZ=4 250 HZ, 500 HZ=2 500 HZ, 1000 HZ=1 1000 HZ");
    }

    // The mouse settings programs installed in a folder, the running desktop's own first; with that folder
    // as the PATH the button starts the first one, or says that there is none.
    void settingsPrograms() {
        const std::tuple<QStringList, QString, QString> rows[] = {
            {{}, "", ""},
            {{"lxinput"}, "", "lxinput"},
            {{"gnome-control-center", "systemsettings"},
             "ubuntu:KDE",
             "systemsettings kcm_mouse, gnome-control-center mouse"}};
        for (const auto &[installed, desktop, found] : rows) {
            QTemporaryDir bin;
            for (const QString &name : installed)
                QVERIFY(QFile::link(QStandardPaths::findExecutable("true"), bin.filePath(name)));
            QStringList shown;
            for (const MouseSettingsProgram &program : mouseSettingsPrograms({bin.path()}, desktop))
                shown << (QStringList{QFileInfo(program.path).fileName()} + program.arguments).join(' ');
            QCOMPARE(shown.join(", "), found);

            const QByteArray path = qgetenv("PATH");
            qputenv("PATH", bin.path().toLocal8Bit());
            VelMessageBox::setNextAnswers({QDialog::Accepted});
            VelPointSpeed(1.0).findChild<VelPushButton *>("mouseSettingButton")->click();
            qputenv("PATH", path);
            VelMessageBox::setNextAnswers({});
            QCOMPARE(VelMessageBox::takeShownMessages(),
                     found.isEmpty() ? QStringList{"No mouse settings program was found on this desktop."}
                                     : QStringList());
        }
    }
};

QTEST_MAIN(TestPerformance)
#include "test_performance.moc"
