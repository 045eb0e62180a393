#pragma once

#include "widgets/vel_push_button.h"

class LanguageSwitch;

// The language button: it names the language in use and drops down the languages offered, the one in use
// checked. Hidden when only one language is offered.
class LanguageMenu : public VelPushButton {
    Q_OBJECT
public:
    LanguageMenu(const LanguageSwitch &languages, QWidget *parent = nullptr);

    void retranslate();

signals:
    void languageChosen(int index);

private:
    void showMenu();

    const LanguageSwitch &m_languages;
};
