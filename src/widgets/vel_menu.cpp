#include "widgets/vel_menu.h"

#include "widgets/ui_language.h"

namespace {
const char *const kMenuStyle = "QMenu{background-color:rgb(34,34,40);color:rgb(220,220,226);"
                               "border:1px solid rgb(62,62,70);}"
                               "QMenu::item{padding:4px 18px 4px 14px;}"
                               "QMenu::item:selected{background-color:rgb(255,125,0);color:black;}"
                               "QMenu::item:disabled{color:rgb(110,110,110);}";
}

VelMenu::VelMenu(QWidget *parent) : VelMenu(QString(), parent) {}

VelMenu::VelMenu(const QString &title, QWidget *parent) : QMenu(title, parent) {
    setStyleSheet(kMenuStyle);
    setFont(UiLanguage::font());
}

void VelMenu::showEvent(QShowEvent *event) {
    setFont(UiLanguage::font());
    QMenu::showEvent(event);
}
