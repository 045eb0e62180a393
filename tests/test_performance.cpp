#include "device/sensor_dpi.h"
#include "performance/vel_dpi_window.h"
#include "performance/vel_point_speed.h"
#include "performance/vel_report_rate.h"
#include "performance/vel_single_dpi.h"
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
} // namespace

// The DPI page: the DPI each sensor's slider positions stand for and the ranges its rows offer.
class TestPerformance : public QObject {
    Q_OBJECT
    TestTree m_tree;

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

    // The description's decoded stage count picks the rows shown (0 and 9 stand for eight); the sleep
    // widgets show below the last row only while they fit inside the page.
    void visibleRows_data() {
        QTest::addColumn<int>("decoded");
        QTest::addColumn<int>("rows");
        QTest::addColumn<bool>("sleepShown");
        QTest::newRow("0") << 0 << 8 << false;
        QTest::newRow("4") << 4 << 4 << true;
        QTest::newRow("6") << 6 << 6 << true;
        QTest::newRow("7") << 7 << 7 << false;
        QTest::newRow("9") << 9 << 8 << false;
    }
    void visibleRows() {
        QFETCH(int, decoded);
        QFETCH(int, rows);
        QFETCH(bool, sleepShown);
        const QStringList keys{"PROFILE/ButtonCount", "PROFILE/MouseDpi", "PROFILE/DPICount"};
        QVariantList before;
        for (const QString &key : keys)
            before << QSettings(m_tree.file("DefaultProfile.bin"), QSettings::IniFormat).value(key);
        const auto restore = qScopeGuard([&] {
            for (int i = 0; i < keys.size(); ++i)
                m_tree.setIniValue("DefaultProfile.bin", keys[i], before[i]);
        });
        for (int i = 0; i < keys.size(); ++i)
            m_tree.setIniValue("DefaultProfile.bin", keys[i], i == 2 ? decoded : 5);
        VelDPIWindow page(1.5);
        QList<VelSingleDPI *> shown;
        for (VelSingleDPI *row : page.findChildren<VelSingleDPI *>())
            if (!row->isHidden())
                shown << row;
        QCOMPARE(shown.size(), rows);
        QCOMPARE(shown.last()->index(), rows - 1);
        auto *sleep = page.findChild<QSlider *>("sleepSlider");
        QCOMPARE(!sleep->isHidden(), sleepShown);
        if (sleepShown) {
            QVERIFY(sleep->y() > shown.last()->geometry().bottom());
            QVERIFY(page.findChild<QCheckBox *>("moveOffBox")->geometry().bottom() < int(432 * 1.5));
        }
    }

    // Stage 2 (of sensor 3389: 50 DPI a step, Y 600 beyond its range) edited through each control; showing
    // it writes nothing back. A bar moved alone takes the other bar's place; Link XY couples the bars.
    void stageEdits_data() {
        QTest::addColumn<QString>("actions");
        QTest::addColumn<QString>("profile");
        QTest::addColumn<int>("dpi");
        const auto edit = [](const char *name, const char *actions, const char *profile, int dpi) {
            QTest::newRow(name) << QString(actions) << QString(profile) << dpi;
        };
        edit("shown only", "", "active 0, on unlinked 10x600", 44000);
        edit("X bar", "xBar=40", "active 0, on unlinked 40x480", 32000);
        edit("Y bar", "yBar=40", "active 0, on unlinked 10x40", 2000);
        edit("linked", "linkBox linkedBar=30", "active 0, on linked 30x30", 1500);
        edit("unlinked", "linkBox linkBox yBar=50", "active 0, on unlinked 10x50", 2500);
        edit("off", "onBox", "active 0, off unlinked 10x600", 44000);
        edit("row", "dpiLabel", "active 2, on unlinked 10x600", 44000);
        edit("radio", "stageRadio2", "active 2, on unlinked 10x600", 44000);
    }
    void stageEdits() {
        QFETCH(QString, actions);
        QFETCH(QString, profile);
        QFETCH(int, dpi);
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
        QCOMPARE(QString("active %1, %2 %3 %4x%5")
                     .arg(data.dpiStage)
                     .arg(stage.used ? "on" : "off", stage.link ? "linked" : "unlinked")
                     .arg(stage.x)
                     .arg(stage.y),
                 profile);
        QCOMPARE(row->findChild<VelLabel *>("dpiLabel")->text(), QString("DPI : %1").arg(dpi));
        QCOMPARE(row->findChild<QSlider *>("linkedBar")->isHidden(), !stage.link);
        QVERIFY(page.findChild<QRadioButton *>(QString("stageRadio%1").arg(data.dpiStage))->isChecked());
    }

    // A stored lift-off code other than 1 or 2 shows as 2 mm and becomes 2; a click in either group stores
    // its code and, passed on as the page does, shows in the other. Showing writes nothing else back, though
    // the controls cannot show a key response or scroll speed of 0.
    void lift_data() {
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("clicked");
        QTest::addColumn<int>("lift");
        QTest::newRow("0 shown") << 0 << "" << 2;
        QTest::newRow("200 shown") << 200 << "" << 2;
        QTest::newRow("rate 1 mm") << 2 << "lift1mm" << 1;
        QTest::newRow("rate 2 mm") << 1 << "lift2mm" << 2;
        QTest::newRow("group 1mm") << 2 << "lift1Box" << 1;
        QTest::newRow("group 2mm") << 1 << "lift2Box" << 2;
    }
    void lift() {
        QFETCH(int, stored);
        QFETCH(QString, clicked);
        QFETCH(int, lift);
        working().debounce = working().profile.scrollSpeed = 5;
        QWidget page;
        auto *rate = new VelReportRate(1.0, &page);
        auto *group = new VelPointSpeed(1.0, &page);
        group->refresh();
        connect(rate, &VelReportRate::RefreshLift, group, &VelPointSpeed::refresh);
        connect(group, &VelPointSpeed::LiftChanged, rate, &VelReportRate::refresh);
        QSignalSpy told(group, &VelPointSpeed::LiftChanged), toldToo(rate, &VelReportRate::RefreshLift);
        working().debounce = working().profile.scrollSpeed = 0;
        working().liftHigh = uint8_t(stored);
        rate->refresh();
        working().liftHigh = uint8_t(stored);
        group->refresh();
        if (!clicked.isEmpty())
            page.findChild<QAbstractButton *>(clicked)->click();
        QCOMPARE(int(working().liftHigh), lift);
        QCOMPARE(told.size() + toldToo.size(), clicked.isEmpty() ? 0 : 1);
        QVERIFY(rate->findChild<QRadioButton *>(QString("lift%1mm").arg(lift))->isChecked());
        QVERIFY(group->findChild<QCheckBox *>(QString("lift%1Box").arg(lift))->isChecked());
        QVERIFY(!group->findChild<QCheckBox *>(QString("lift%1Box").arg(3 - lift))->isChecked());
        QCOMPARE(working().debounce + working().profile.scrollSpeed, 0);
    }

    // From sync off, angle snapping, jitter and motion wake off, standard mode, key response 100 and scroll
    // speed 7, one edit of a control: sync stores 1 when on, the other three 0; a sensor mode is stored and
    // the only one checked, also when clicked again; key response keeps to 1..255, scroll speed to 1..20.
    void sensorEdits_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QVariant>("input"); // clicks, a slider value or typed text
        QTest::addColumn<QString>("stored");
        QTest::newRow("sync on") << "syncBox" << QVariant(1) << "1 1 1 1 1 100 7";
        QTest::newRow("sync off") << "syncBox" << QVariant(2) << "0 1 1 1 1 100 7";
        QTest::newRow("angle on") << "angleBox" << QVariant(1) << "0 0 1 1 1 100 7";
        QTest::newRow("angle off") << "angleBox" << QVariant(2) << "0 1 1 1 1 100 7";
        QTest::newRow("jitter on") << "jitterBox" << QVariant(1) << "0 1 0 1 1 100 7";
        QTest::newRow("wake on") << "wakeBox" << QVariant(1) << "0 1 1 0 1 100 7";
        QTest::newRow("eco") << "ecoBox" << QVariant(1) << "0 1 1 1 0 100 7";
        QTest::newRow("competitive") << "competitiveBox" << QVariant(1) << "0 1 1 1 2 100 7";
        QTest::newRow("competitive again") << "competitiveBox" << QVariant(2) << "0 1 1 1 2 100 7";
        QTest::newRow("response 0") << "responseSlider" << QVariant(0) << "0 1 1 1 1 1 7";
        QTest::newRow("response 256") << "responseSlider" << QVariant(256) << "0 1 1 1 1 255 7";
        QTest::newRow("scroll 0") << "scrollSpin" << QVariant("0") << "0 1 1 1 1 100 7";
        QTest::newRow("scroll 21") << "scrollSpin" << QVariant("21") << "0 1 1 1 1 100 2"; // the 1 refused
        QTest::newRow("scroll 20") << "scrollSpin" << QVariant("20") << "0 1 1 1 1 100 20";
    }
    void sensorEdits() {
        QFETCH(QString, control);
        QFETCH(QVariant, input);
        QFETCH(QString, stored);
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
        QCOMPARE(sensorSettings(), stored);
        QCOMPARE(group.findChild<VelLabel *>("responseValue")->text(), QString::number(c.debounce));
        const QStringList modes{"ecoBox", "standardBox", "competitiveBox"};
        for (int i = 0; i < modes.size(); ++i)
            QCOMPARE(group.findChild<QCheckBox *>(modes[i])->isChecked(), i == c.sensorMode);
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
    void settingsPrograms_data() {
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<QString>("desktop");
        QTest::addColumn<QString>("found");
        QTest::newRow("none") << QStringList() << QString() << QString();
        QTest::newRow("one") << QStringList{"lxinput"} << QString() << QString("lxinput");
        QTest::newRow("own first") << QStringList{"gnome-control-center", "systemsettings"} << "ubuntu:KDE"
                                   << "systemsettings kcm_mouse, gnome-control-center mouse";
    }
    void settingsPrograms() {
        QFETCH(QStringList, installed);
        QFETCH(QString, desktop);
        QFETCH(QString, found);
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
};

QTEST_MAIN(TestPerformance)
#include "test_performance.moc"
