#pragma once

#include "storage/language_table.h"

#include <QObject>

class QTranslator;

// The languages the configuration offers and the one in use: its translation installed in the
// application, its index stored for the next start and published to the widgets that paint text.
class LanguageSwitch : public QObject {
    Q_OBJECT
public:
    explicit LanguageSwitch(QObject *parent = nullptr);

    int count() const { return m_table.count; }
    int index() const { return m_index; }
    QString name(int index) const;
    // Installs the current language's translation; a language without its file keeps English.
    void install();
    // Makes index the current language; false when it already was.
    bool select(int index);

private:
    LanguageTable m_table;
    int m_index = 0;
    QTranslator *m_translator = nullptr;
};
