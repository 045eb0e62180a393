#include "widgets/vel_action.h"

#include "widgets/ui_language.h"

VelAction::VelAction(QObject *parent) : QAction(parent) {
    QAction::setFont(UiLanguage::font());
}

VelAction::VelAction(const QString &text, QObject *parent) : QAction(text, parent) {
    QAction::setFont(UiLanguage::font());
}

void VelAction::setText(const QString &text) {
    QAction::setText(text);
    QAction::setFont(UiLanguage::font());
}
