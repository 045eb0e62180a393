#include "buttons/vel_btn_window.h"

#include "buttons/button_assignment_rules.h"
#include "buttons/button_catalog.h"
#include "buttons/buttons_log.h"
#include "buttons/vel_combo_key_window.h"
#include "buttons/vel_fire_key_window.h"
#include "buttons/vel_macro_select.h"
#include "buttons/vel_single_key_window.h"
#include "buttons/vel_sniper_window.h"
#include "device/device_code_table.h"
#include "storage/app_config_store.h"
#include "storage/app_paths.h"
#include "storage/description_file.h"
#include "widgets/display_scale.h"
#include "widgets/mouse_view.h"
#include "widgets/vel_action.h"
#include "widgets/vel_menu.h"
#include "widgets/vel_push_button.h"

#include <QDialog>
#include <algorithm>

namespace {
constexpr QSize kPageSize(652, 432);
// The side view's column of captions: button i at (29, 62 + 25 i).
constexpr QRect kSideCaptionRect(29, 62, 150, 20);
constexpr int kSideCaptionStep = 25;
constexpr int kSideGroup = 1;
constexpr int kMacroPage = 3;
constexpr FunctionMenu kMainSubMenus[] = {FunctionMenu::Basic, FunctionMenu::Windows, FunctionMenu::Advance,
                                          FunctionMenu::Media, FunctionMenu::Dpi};

ProfileData &profile() {
    return workingConfig().profile;
}

int shownButtons() {
    return qBound(0, description::buttonCount(), int(VelBtnWindow::kGroupSize));
}
} // namespace

VelBtnWindow::VelBtnWindow(double scale, QWidget *parent)
    : ConfigPage(parent), m_selGroup(buttoncatalog::kGroupNone) {
    setObjectName(QStringLiteral("customizePage"));
    m_view = new MouseView(this);
    connect(m_view, &MouseView::viewChanged, this, [this] { showGroups(); });
    connect(this, &VelBtnWindow::SelBtnControl, this, [this](VelPushButton *btn, bool on) {
        const Place place = placeOf(btn);
        if (place.group == 0)
            m_view->highlight(place.index, on);
    });
    for (int i = 0; i < kGroupSize; ++i) {
        m_sideCaptions[i] = new VelPushButton(VelPushButton::tabImages(), this);
        m_sideCaptions[i]->setObjectName(QStringLiteral("sideLabel%1").arg(i));
        m_sideCaptions[i]->setNumber(static_cast<uint8_t>(i + 1));
    }
    for (int i = 0; i < MouseView::kLabelCount; ++i)
        addCaption(m_view->label(i));
    for (VelPushButton *btn : m_sideCaptions)
        addCaption(btn);
    for (int i = 0; i < 2; ++i)
        addCaption(m_view->wheelLabel(i));

    m_mainMenu = new VelMenu(this);
    m_mainMenu->setObjectName(QStringLiteral("functionMenu"));
    m_wheelMenu = new VelMenu(this);
    m_wheelMenu->setObjectName(QStringLiteral("wheelMenu"));
    for (const FunctionMenu menu : kMainSubMenus)
        m_subMenus[int(menu)] = new VelMenu(m_mainMenu);
    for (const ButtonFunction &function : buttoncatalog::functions()) {
        auto *action = new VelAction(this);
        action->setObjectName(QStringLiteral("function%1").arg(function.code));
        const int code = function.code;
        connect(action, &QAction::triggered, this, [this, code] { OnFunctionChosen(code); });
        m_actions.insert(code, action);
    }
    setScale(scale);
    retranslate();
}

void VelBtnWindow::addCaption(VelPushButton *btn) {
    connect(btn, &VelPushButton::OverSignal, this, &VelBtnWindow::slotMouseOver);
    connect(btn, &VelPushButton::EnterSignal, this, &VelBtnWindow::slotMouseEnter);
    connect(btn, &QPushButton::clicked, this, [this, btn] { openMenu(btn); });
}

VelPushButton *VelBtnWindow::caption(int group, int index) const {
    if (buttoncatalog::recordIndex(group, index) < 0)
        return nullptr;
    switch (group) {
    case 0:
        return index < MouseView::kLabelCount ? m_view->label(index) : nullptr;
    case kSideGroup:
        return m_sideCaptions[index];
    default:
        return m_view->wheelLabel(index);
    }
}

VelBtnWindow::Place VelBtnWindow::placeOf(const VelPushButton *btn) const {
    for (int group = 0; group <= buttoncatalog::kWheelGroup; ++group) {
        for (int index = 0; buttoncatalog::recordIndex(group, index) >= 0; ++index) {
            if (caption(group, index) == btn)
                return {group, index};
        }
    }
    return {};
}

VelPushButton *VelBtnWindow::selectedCaption() const {
    return caption(m_selGroup, m_selIndex);
}

void VelBtnWindow::setScale(double factor) {
    ConfigPage::setScale(factor);
    m_view->setGeometry(QRect(QPoint(), DisplayScale::scaled(QRect(QPoint(), kPageSize), factor).size()));
    m_view->setScale(factor);
    for (int i = 0; i < kGroupSize; ++i)
        m_sideCaptions[i]->setGeometry(
            DisplayScale::scaled(kSideCaptionRect.translated(0, kSideCaptionStep * i), factor));
    showGroups();
}

void VelBtnWindow::retranslate() {
    m_view->retranslate();
    for (auto it = m_actions.begin(); it != m_actions.end(); ++it)
        it.value()->setText(buttoncatalog::functionLabel(it.key()));
    for (auto it = m_subMenus.begin(); it != m_subMenus.end(); ++it)
        it.value()->setTitle(buttoncatalog::menuTitle(FunctionMenu(it.key())));
    buildMenus();
    refreshCaptions();
}

void VelBtnWindow::buildMenus() {
    m_mainMenu->clear();
    for (const MenuEntry &entry : buttoncatalog::mainMenu()) {
        if (entry.function != 0) {
            m_mainMenu->addAction(m_actions.value(entry.function));
            continue;
        }
        VelMenu *subMenu = m_subMenus.value(int(entry.subMenu));
        subMenu->clear();
        for (const int code : buttoncatalog::menuFunctions(entry.subMenu))
            subMenu->addAction(m_actions.value(code));
        m_mainMenu->addMenu(subMenu);
    }
    m_wheelMenu->clear();
    for (const int code : buttoncatalog::menuFunctions(FunctionMenu::Wheel))
        m_wheelMenu->addAction(m_actions.value(code));
}

void VelBtnWindow::refresh() {
    // The model (and with it whether macros are offered) may have changed with the profile.
    buildMenus();
    m_view->reload();
    showGroups();
    refreshCaptions();
}

void VelBtnWindow::refreshCaptions() {
    const ProfileData &data = profile();
    for (int group = 0; group <= buttoncatalog::kWheelGroup; ++group) {
        for (int index = 0; buttoncatalog::recordIndex(group, index) >= 0; ++index) {
            const ButtonAssignment &record = data.buttons[buttoncatalog::recordIndex(group, index)];
            const QString text = buttoncatalog::buttonCaption(record, group);
            // The wheel captions are arrows: their function shows as the tip.
            if (group == buttoncatalog::kWheelGroup)
                caption(group, index)->setToolTip(text);
            else
                caption(group, index)->setText(text);
        }
    }
}

void VelBtnWindow::showGroups() {
    const bool side = m_view->sideView();
    const int buttons = shownButtons();
    for (int i = 0; i < kGroupSize; ++i)
        m_sideCaptions[i]->setVisible(side && i < buttons);
}

void VelBtnWindow::SelectButton(int index, int group) {
    if (buttoncatalog::recordIndex(group, index) < 0)
        return;
    m_selGroup = group;
    m_selIndex = index;
    m_view->showSide(group == kSideGroup);
    showGroups();
    refreshCaptions();
    if (group == 0)
        m_view->highlight(index, true);
}

void VelBtnWindow::OnMouseEnterSlot(VelPushButton *btn) {
    const Place place = placeOf(btn);
    if (place.group == 0)
        SelectButton(place.index, 0);
}

void VelBtnWindow::slotMouseOver(VelPushButton *btn, bool bType) {
    // The caption whose menu is open stays highlighted while the pointer is on the menu.
    emit SelBtnControl(btn, bType || btn == selectedCaption());
}

void VelBtnWindow::slotMouseEnter(VelPushButton *btn) {
    const Place place = placeOf(btn);
    if (place.group < 0)
        return;
    m_selGroup = place.group;
    m_selIndex = place.index;
}

void VelBtnWindow::openMenu(VelPushButton *btn) {
    slotMouseEnter(btn);
    emit SelBtnControl(btn, true);
    VelMenu *menu = m_selGroup == buttoncatalog::kWheelGroup ? m_wheelMenu : m_mainMenu;
    menu->exec(btn->mapToGlobal(QPoint(0, btn->height())));
    // Closed without a choice.
    if (selectedCaption() == btn) {
        clearSelection();
        emit SelBtnControl(btn, false);
    }
}

void VelBtnWindow::clearSelection() {
    m_selGroup = buttoncatalog::kGroupNone;
    m_selIndex = 0;
}

void VelBtnWindow::OnFunctionChosen(int function) {
    const int record = buttoncatalog::recordIndex(m_selGroup, m_selIndex);
    if (record < 0)
        return;
    VelPushButton *btn = selectedCaption();
    emit SelBtnControl(btn, true);
    qCDebug(lcButtons, "OnFunctionChosen button=%d function=%d", record, function);
    switch (buttonrules::chooseFunction(profile(), record, function)) {
    case ChoiceResult::Ok:
        break;
    case ChoiceResult::OpenDialog:
        runDialog(profile().buttons[record], function);
        break;
    case ChoiceResult::LastLeftClick:
        emit ShowMessage(tr("AT LEAST ONE CLICK FUNCTION TO BE RETAINED."));
        break;
    case ChoiceResult::GunOnLeftButton:
        emit ShowMessage(tr("Left Button Can not be Gun Function."));
        break;
    case ChoiceResult::NoMacros:
        emit GotoMacroTab(kMacroPage);
        break;
    }
    refreshCaptions();
    clearSelection();
    emit SelBtnControl(btn, false);
}

// Each dialog starts from the record when the record already holds its function; a cancelled dialog, or
// one closed with nothing chosen, leaves the record as it was.
void VelBtnWindow::runDialog(ButtonAssignment &record, int function) {
    const bool preset = record.function == function;
    switch (function) {
    case devicecode::kSingleKey: {
        VelSingleKeyWindow dialog(scale(), window());
        if (preset)
            dialog.SetKey(record.singleKey());
        if (dialog.exec() == QDialog::Accepted && dialog.key() != 0) {
            buttonrules::assignSingleKey(record, dialog.key());
            qCDebug(lcButtons, "%d", record.singleKey());
        }
        break;
    }
    case devicecode::kCombo: {
        VelComboKeyWindow dialog(scale(), window());
        if (preset)
            dialog.SetCombo(buttoncatalog::comboEntries(record).data());
        if (dialog.exec() == QDialog::Accepted && !dialog.keys().isEmpty())
            buttonrules::assignCombo(record, dialog.keys());
        break;
    }
    case devicecode::kFire: {
        VelFireKeyWindow dialog(scale(), window());
        if (preset)
            dialog.SetFireKey(record);
        if (dialog.exec() == QDialog::Accepted)
            buttonrules::assignFireKey(record, dialog.fireKey(), dialog.times(), dialog.delay());
        break;
    }
    case devicecode::kSniper: {
        VelSniperWindow dialog(scale(), window());
        if (preset)
            dialog.SetSniper(record.sniperStep());
        if (dialog.exec() == QDialog::Accepted)
            buttonrules::assignSniper(record, dialog.value());
        break;
    }
    case devicecode::kMacro:
    case devicecode::kGunFile: {
        VelMacroSelect dialog(scale(), window(), function);
        dialog.SetMacro(preset ? record.macroName : QString(), preset ? record.loopNumber : 1,
                        preset ? record.loopMode() : 0);
        if (dialog.exec() != QDialog::Accepted)
            break;
        const FileResult result = buttonrules::assignMacro(record, function, dialog.selectedName(),
                                                           dialog.LoopCount(), dialog.LoopMode());
        qCDebug(lcButtons, "assignMacro %s: %d", qPrintable(dialog.selectedName()), int(result));
        break;
    }
    default:
        break;
    }
}
