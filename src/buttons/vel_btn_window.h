#pragma once

#include "widgets/config_page.h"

#include <QHash>
#include <QMap>
#include <array>

struct ButtonAssignment;
class MouseView;
class VelAction;
class VelMenu;
class VelPushButton;

// The CUSTOMIZE page: the picture of the mouse with a caption beside each of its buttons, showing the
// function the working profile gives it. A click on a caption opens the function menu (the wheel menu for
// the two wheel captions); the choice goes into the button's record, through the key dialogs for the
// functions that take keys, a sniper step or a macro.
//
// Groups of captions: 0 the front captions (records 0-19), 1 the column shown in the side view
// (records 20-39), 2 the wheel's up and down steps (records 40 and 41).
class VelBtnWindow : public ConfigPage {
    Q_OBJECT
public:
    static constexpr int kGroupSize = 20;

    explicit VelBtnWindow(double scale, QWidget *parent = nullptr);

    void refresh() override;
    void retranslate() override;
    void setScale(double factor) override;

    MouseView &mouseView() const { return *m_view; }
    // The caption of button index of group; nullptr when the group has no such button.
    VelPushButton *caption(int group, int index) const;

    // Makes (group, index) the selected button, shows the view of its group (the side view for group 1)
    // and shows the captions again.
    void SelectButton(int index, int group);
    // Gives the selected button the function (a catalog code), asking a dialog for its parameters; a
    // refused choice is explained by message or sends the user to the macro page.
    void OnFunctionChosen(int function);

signals:
    // A caption is highlighted (hovered, or its menu is open) or no longer.
    void SelBtnControl(VelPushButton *btn, bool bType);

public slots:
    void OnMouseEnterSlot(VelPushButton *btn);
    void slotMouseOver(VelPushButton *btn, bool bType);
    void slotMouseEnter(VelPushButton *btn);

private:
    struct Place {
        int group = -1;
        int index = -1;
    };
    Place placeOf(const VelPushButton *btn) const;
    VelPushButton *selectedCaption() const;
    void addCaption(VelPushButton *btn);
    void openMenu(VelPushButton *btn);
    void buildMenus();
    void refreshCaptions();
    void showGroups();
    void runDialog(ButtonAssignment &record, int function);
    void clearSelection();

    MouseView *m_view = nullptr;
    std::array<VelPushButton *, kGroupSize> m_sideCaptions{};
    VelMenu *m_mainMenu = nullptr;
    VelMenu *m_wheelMenu = nullptr;
    QHash<int, VelAction *> m_actions;
    QMap<int, VelMenu *> m_subMenus; // by FunctionMenu
    int m_selGroup;
    int m_selIndex = 0;
};
