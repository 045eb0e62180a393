#include "buttons/button_assignment_rules.h"
#include "buttons/button_catalog.h"
#include "buttons/vel_combo_key_window.h"
#include "buttons/vel_fire_key_window.h"
#include "buttons/vel_macro_select.h"
#include "buttons/vel_single_key_window.h"
#include "buttons/vel_sniper_window.h"
#include "platform/input_hook.h"
#include "storage/app_paths.h"
#include "storage/config_file.h"
#include "support/test_tree.h"
#include "widgets/vel_label.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSettings>
#include <QSlider>
#include <QToolButton>
#include <QtTest>

namespace {
QString caption(const QWidget &dialog) {
    return dialog.findChild<QToolButton *>("keyCaption")->text();
}

// The object names of the dialog's ticked check boxes, in creation order.
QString ticked(const QWidget &dialog) {
    QStringList names;
    for (const QCheckBox *box : dialog.findChildren<QCheckBox *>()) {
        if (box->isChecked())
            names << box->objectName();
    }
    return names.join(' ');
}

void feed(const QWidget &dialog, const QVector<QPair<int, int>> &events) {
    InputHook *hook = dialog.findChild<InputHook *>();
    for (const auto &[scanCode, flags] : events)
        emit hook->keyEvent(scanCode, flags);
}

void setSensor(int sensorId) {
    QSettings(AppPaths::mainConfigFile(), QSettings::IniFormat).setValue("MouseSenSor/1", sensorId);
}
} // namespace

// The button page's parameter dialogs: presets, captured keys and what each hands back.
class TestKeyDialogs : public QObject {
    Q_OBJECT
    TestTree m_tree;

private slots:
    // Events as the capture reports them (scan code, flags), how often the key is taken and the key; a
    // preset key is shown as one taken.
    void repeatRule() {
        const std::tuple<QVector<QPair<int, int>>, int, KeyCode> rows[] = {
            {{{30, 0}, {30, 0}, {30, 0}}, 1, 30}, // a held key
            {{{30, 0}, {30, 0x80}}, 2, 30},       // its release
            {{{30, 0}, {48, 0}, {30, 0}}, 3, 30}, // another key between
            {{{29, 0}, {29, 0x01}}, 2, 238},      // right Ctrl differs by its extended flag
            {{{56, 0x20}, {56, 0x21}, {56, 0x21}}, 2, 239}};
        for (const auto &[events, taken, key] : rows) {
            VelSingleKeyWindow dialog(1.0, nullptr);
            QSignalSpy spy(&dialog, &VelSingleKeyWindow::SetSingleKeyValue);
            feed(dialog, events);
            QCOMPARE(spy.count(), taken);
            QCOMPARE(dialog.key(), key);
            QCOMPARE(caption(dialog), KeyName(key));
        }
        VelSingleKeyWindow preset(1.0, nullptr);
        preset.SetKey(30);
        QCOMPARE(caption(preset) + QString::number(preset.key()), QString("A30"));
    }

    // A stored combination, the boxes the preset ticks and the keys handed back (left modifiers only).
    void comboPreset() {
        const std::tuple<QVector<KeyCode>, QString, QVector<KeyCode>> rows[] = {
            {{54, 29, 46}, "shiftBox ctrlBox", {42, 29, 46}},
            {{239, 91}, "winBox altBox", {91, 56}},
            {{30}, "", {30}}};
        for (const auto &[stored, boxes, keys] : rows) {
            ButtonAssignment record;
            buttonrules::assignCombo(record, stored);
            VelComboKeyWindow dialog(1.0, nullptr);
            dialog.SetCombo(buttoncatalog::comboEntries(record).data());
            QCOMPARE(ticked(dialog), boxes);
            QCOMPARE(dialog.keys(), keys);
        }
        VelComboKeyWindow dialog(1.0, nullptr);
        dialog.findChild<QCheckBox *>("altBox")->click();
        dialog.findChild<QCheckBox *>("shiftBox")->click();
        feed(dialog, {{46, 0}, {46, 0x80}});
        QCOMPARE(dialog.keys(), QVector<KeyCode>({42, 56, 46}));
        dialog.findChild<QCheckBox *>("altBox")->click();
        QCOMPARE(dialog.keys(), QVector<KeyCode>({42, 46}));
    }

    // Text typed into Times or Delay, what the edit then shows and the number handed back.
    void fireCounts() {
        const std::tuple<QString, QString, int> rows[] = {
            {"0", "1", 1}, {"300", "255", 255}, {"-4", "1", 1}, {"42", "42", 42}, {"ab", "ab", 1}};
        for (const char *name : {"timesEdit", "delayEdit"}) {
            for (const auto &[typed, shown, number] : rows) {
                VelFireKeyWindow dialog(1.0, nullptr);
                QSignalSpy spy(&dialog, &VelFireKeyWindow::SetFireKeyValue);
                auto *edit = dialog.findChild<QLineEdit *>(name);
                edit->setText(typed);
                QCOMPARE(edit->text(), shown);
                QCOMPARE(QString(name) == "timesEdit" ? dialog.times() : dialog.delay(), number);
                QCOMPARE(spy.count(), 1);
            }
        }
    }

    // The type boxes are exclusive; keys count only while "Keyboard Key" is chosen, and without a key Ok is
    // refused, by click and by accept(), until one is pressed; a mouse button type needs none. Accepted, the
    // dialog hands back the fire key and the counts typed.
    void fireTypesAndKey() {
        // The type boxes clicked (the last one chosen), whether a key is pressed then and the fire key handed
        // back (0: refused).
        const std::tuple<QStringList, bool, KeyCode> rows[] = {{{"keyboardKeyBox"}, false, 0},
                                                               {{"keyboardKeyBox"}, true, 30},
                                                               {{"keyboardKeyBox", "rightBox"}, false, 241},
                                                               {{"rightBox"}, true, 241},
                                                               {{"rightBox", "keyboardKeyBox"}, true, 30},
                                                               {{"keyboardKeyBox", "middleBox"}, true, 242},
                                                               {{"middleBox", "leftBox"}, true, 240}};
        for (const auto &[boxes, keyPressed, key] : rows) {
            VelFireKeyWindow dialog(1.0, nullptr);
            dialog.show();
            auto *ok = dialog.findChild<QToolButton *>("msgBoxYesBtn");
            for (const QString &box : boxes)
                dialog.findChild<QCheckBox *>(box)->click();
            dialog.findChild<QLineEdit *>("timesEdit")->setText("9");
            if (keyPressed)
                feed(dialog, {{30, 0}, {30, 0x80}});
            QCOMPARE(ticked(dialog), boxes.last());
            QCOMPARE(caption(dialog), KeyName(key == 30 ? 30 : 0));
            QCOMPARE(ok->isEnabled(), key != 0);
            ok->click();
            dialog.accept();
            QCOMPARE(dialog.result() == QDialog::Accepted, key != 0);
            QCOMPARE(dialog.isVisible(), key == 0);
            QVERIFY(key == 0 || (dialog.fireKey() == key && dialog.times() == 9));
        }
    }

    // res1 of a stored fire key, the type and key shown; each, a stored keyboard key too, can be accepted.
    void firePreset() {
        const std::tuple<uint8_t, quint8, KeyCode> rows[] = {
            {0, 0, 0}, {0x82, 1, 0}, {0x84, 2, 0}, {0x04, 3, 30}};
        for (const auto &[res1, type, key] : rows) {
            ButtonAssignment record;
            record.res1 = res1;
            record.loopNumber = 9;
            record.keyNumber = 120;
            VelFireKeyWindow dialog(1.0, nullptr);
            dialog.SetFireKey(record);
            QCOMPARE(dialog.fireType(), type);
            QCOMPARE(dialog.key(), key);
            QCOMPARE(caption(dialog), KeyName(key));
            QCOMPARE(QVector<int>({dialog.times(), dialog.delay()}), QVector<int>({9, 120}));
            QVERIFY(dialog.findChild<QToolButton *>("msgBoxYesBtn")->isEnabled());
        }
    }

    // Sensor, preset, the value kept, the DPI shown and the slider's range.
    void sniper() {
        const std::tuple<int, quint8, quint8, QString, int, int> rows[] = {
            {3389, 25, 6, "300", 2, 20},   {3360, 0, 3, "300", 1, 10}, {3360, 7, 7, "700", 1, 10},
            {3212, 16, 16, "600", 16, 32}, {3333, 1, 2, "200", 2, 10}, {3370, 40, 10, "500", 1, 10}};
        for (const auto &[sensorId, preset, value, dpi, minimum, maximum] : rows) {
            setSensor(sensorId);
            VelSniperWindow dialog(1.0, nullptr);
            dialog.SetSniper(preset);
            const auto *slider = dialog.findChild<QSlider *>();
            QCOMPARE(dialog.findChild<VelLabel *>("sniperDpi")->text(), dpi);
            QCOMPARE(QVector<int>({dialog.value(), slider->value(), slider->minimum(), slider->maximum()}),
                     QVector<int>({value, value, minimum, maximum}));
        }
    }

    void macroSelect() {
        QVERIFY(config::addMacroName("alpha") && config::addMacroName("beta"));
        VelMacroSelect dialog(1.0, nullptr);
        dialog.SetMacro("beta", 5, 2);
        QCOMPARE(dialog.findChild<QToolButton *>("nameButton")->text(), QString("beta"));
        QCOMPARE(ticked(dialog), QString("loopMode2"));
        QCOMPARE(QVector<int>({dialog.LoopCount(), dialog.LoopMode()}), QVector<int>({5, 2}));
        const auto macros = dialog.findChildren<QToolButton *>("macroButton");
        QCOMPARE(macros.size(), 2);
        macros[0]->click();
        dialog.findChild<QCheckBox *>("loopMode1")->click();
        QCOMPARE(dialog.selectedName(), QString("alpha"));
        QCOMPARE(dialog.findChild<QToolButton *>("nameButton")->text(), QString("alpha"));
        QCOMPARE(ticked(dialog), QString("loopMode1"));
        auto *edit = dialog.findChild<QLineEdit *>("loopCountEdit");
        const std::pair<QString, int> counts[] = {{"0", 1}, {"999", 255}, {"255", 255}, {"1", 1}};
        for (const auto &[typed, count] : counts) {
            edit->setText(typed);
            QCOMPARE(dialog.LoopCount(), count);
        }
    }
};

QTEST_MAIN(TestKeyDialogs)
#include "test_key_dialogs.moc"
