#include "widgets/language_switch.h"

#include "storage/app_paths.h"
#include "storage/config_file.h"
#include "widgets/ui_language.h"

#include <QCoreApplication>
#include <QTranslator>

LanguageSwitch::LanguageSwitch(QObject *parent) : QObject(parent), m_translator(new QTranslator(this)) {
    m_index = config::languageIndex();
    UiLanguage::setIndex(m_index);
    config::readLanguageTable(m_table);
}

QString LanguageSwitch::name(int index) const {
    return index >= 0 && index < LanguageTable::kMaxLanguages ? m_table.names[index] : QString();
}

void LanguageSwitch::install() {
    QCoreApplication::removeTranslator(m_translator);
    if (m_index < 0 || m_index >= LanguageTable::kMaxLanguages)
        return;
    const QString file = AppPaths::applicationDir() + "/lang/" + m_table.files[m_index] + ".qm";
    if (m_translator->load(file))
        QCoreApplication::installTranslator(m_translator);
}

bool LanguageSwitch::select(int index) {
    if (index == m_index)
        return false;
    m_index = index;
    // The language holds for this run whether or not LangConfig.ini keeps it for the next.
    (void)config::setLanguageIndex(index);
    UiLanguage::setIndex(index);
    install();
    return true;
}
