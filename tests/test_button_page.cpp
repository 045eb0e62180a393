#include "buttons/button_catalog.h"
#include "buttons/vel_btn_window.h"
#include "buttons/vel_single_key_window.h"
#include "storage/app_config_store.h"
#include "storage/description_file.h"
#include "storage/factory_profile.h"
#include "support/test_tree.h"
#include "widgets/mouse_view.h"
#include "widgets/vel_push_button.h"

#include <QMenu>
#include <QtTest>

namespace {
ProfileData &working() {
    return AppConfigStore::instance().working().profile;
}

// The entry of menu (or one of its sub-menus) that stands for function code.
QAction *menuEntry(const QMenu *menu, int code) {
    for (QAction *action : menu->actions()) {
        QAction *found = action->menu() ? menuEntry(action->menu(), code) : action;
        if (found && found->objectName() == QStringLiteral("function%1").arg(code))
            return found;
    }
    return nullptr;
}

// Clicks the caption and picks code from the menu it opens; then runs answer on the dialog the choice opens.
bool choose(VelPushButton *caption, int code, std::function<void(QWidget *)> answer = {}) {
    bool offered = false;
    QTimer::singleShot(0, [&] {
        QAction *entry = menuEntry(qobject_cast<QMenu *>(QApplication::activePopupWidget()), code);
        offered = entry != nullptr;
        if (answer)
            QTimer::singleShot(0, [answer] { answer(QApplication::activeModalWidget()); });
        QApplication::activePopupWidget()->close();
        if (entry)
            entry->trigger();
    });
    caption->click();
    return offered;
}
} // namespace

// The CUSTOMIZE page: choices from the captions' menus reach the working profile and the captions, refused
// ones explain themselves, and the views show their own groups.
class TestButtonPage : public QObject {
    Q_OBJECT
    TestTree m_tree;

private slots:
    void init() { QVERIFY(profile::makeFactoryProfile(working())); }

    // Refused choices explain themselves and leave the profile alone (the rules are the buttons' tests): the
    // last left click keeps its function with a message, a macro function without any macro opens the MACRO
    // page.
    void refusedChoices() {
        for (ButtonAssignment &other : working().buttons)
            other.function = other.function == 1 ? 16 : other.function;
        working().buttons[0].function = 1;
        const ProfileData before = working();
        VelBtnWindow page(1.0);
        page.refresh();
        QSignalSpy messages(&page, &ConfigPage::ShowMessage);
        QSignalSpy tabs(&page, &ConfigPage::GotoMacroTab);
        QVERIFY(choose(page.caption(0, 0), 18) && choose(page.caption(0, 3), 200));
        QVERIFY(working() == before);
        QCOMPARE(page.caption(0, 0)->text(), QString("Left"));
        QCOMPARE(messages.size() == 1 ? messages[0][0].toString() : QString(),
                 QString("AT LEAST ONE CLICK FUNCTION TO BE RETAINED."));
        QCOMPARE(tabs.size() == 1 ? tabs[0][0].toInt() : -1, 3);
    }

    // Every entry of the front, side and wheel menus that needs no dialog is offered, assigns its code and
    // shows its label.
    void everyPlainEntryAssigns() {
        VelBtnWindow page(1.0);
        page.refresh();
        for (const auto &[group, index] : {std::pair<int, int>{0, 3}, {1, 4}, {2, 0}}) {
            int offered = 0;
            for (const ButtonFunction &function : buttoncatalog::functions()) {
                if (buttoncatalog::takesParameters(function.code) ||
                    !choose(page.caption(group, index), function.code))
                    continue;
                ++offered;
                VelPushButton *caption = page.caption(group, index);
                QCOMPARE(working().buttons[buttoncatalog::recordIndex(group, index)].function, function.code);
                QCOMPARE(group == 2 ? caption->toolTip() : caption->text(),
                         buttoncatalog::functionLabel(function.code));
            }
            QVERIFY(offered > (group == 2 ? 3 : 30));
        }
    }

    // The single key dialog writes the key on OK only; the caption follows the record.
    void singleKeyDialog() {
        for (const bool accept : {true, false}) {
            init();
            VelBtnWindow page(1.0);
            page.refresh();
            const ProfileData before = working();
            QVERIFY(choose(page.caption(0, 2), 6, [accept](QWidget *dialog) {
                auto *keys = qobject_cast<VelSingleKeyWindow *>(dialog);
                QVERIFY(keys);
                keys->OnKey(30, 0);
                accept ? keys->accept() : keys->reject();
            }));
            const ButtonAssignment &record = working().buttons[2];
            QVERIFY(accept || working() == before);
            QCOMPARE(
                QString("%1 %2 %3").arg(record.function).arg(record.res1).arg(page.caption(0, 2)->text()),
                accept ? QString("6 30 A") : QString("3 0 Middle"));
        }
    }

    // The side view shows group 1 (as many as the model has buttons) and hides groups 0 and 2; each
    // caption reads its own record.
    void views() {
        working().buttons[1].function = 6;
        working().buttons[1].res1 = 48;
        working().buttons[21].function = 6;
        working().buttons[21].res1 = 30;
        VelBtnWindow page(1.0);
        page.show();
        page.refresh();
        QCOMPARE(page.caption(0, 1)->text() + page.caption(1, 1)->text(), QString("BA"));
        const int buttons = description::buttonCount();
        QVERIFY(buttons > 1 && buttons < 20);
        for (const bool side : {true, false, true}) {
            if (side)
                page.SelectButton(1, 1);
            else
                page.findChild<VelPushButton *>("frontButton")->click();
            QCOMPARE(page.mouseView().sideView(), side);
            QCOMPARE(page.caption(1, buttons - 1)->isVisible(), side);
            QVERIFY(!page.caption(1, buttons)->isVisible());
            QCOMPARE(page.caption(0, 0)->isVisible(), !side);
            QCOMPARE(page.caption(2, 1)->isVisible(), !side);
        }
    }
};

QTEST_MAIN(TestButtonPage)
#include "test_button_page.moc"
