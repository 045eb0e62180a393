#include "widgets/config_page.h"

ConfigPage::ConfigPage(QWidget *parent) : QWidget(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
}
