#include "app/language_menu.h"

#include "storage/app_paths.h"
#include "widgets/language_switch.h"
#include "widgets/vel_menu.h"

#include <QAction>

LanguageMenu::LanguageMenu(const LanguageSwitch &languages, QWidget *parent)
    : VelPushButton({AppPaths::skinDir() + "/lang.png"}, parent), m_languages(languages) {
    setObjectName(QStringLiteral("langButton"));
    connect(this, &QPushButton::clicked, this, &LanguageMenu::showMenu);
    if (languages.count() <= 1)
        hide();
}

void LanguageMenu::retranslate() {
    setText(m_languages.name(m_languages.index()));
}

void LanguageMenu::showMenu() {
    VelMenu menu(this);
    for (int i = 0; i < qMin(m_languages.count(), int(LanguageTable::kMaxLanguages)); ++i) {
        QAction *action = menu.addAction(m_languages.name(i));
        action->setCheckable(true);
        action->setChecked(i == m_languages.index());
        connect(action, &QAction::triggered, this, [this, i] { emit languageChosen(i); });
    }
    menu.exec(mapToGlobal(QPoint(0, height())));
}
