#include "app/page_stack.h"

#include "buttons/vel_btn_window.h"
#include "lighting/vel_color_window.h"
#include "macro/macro_dialog.h"
#include "performance/vel_dpi_window.h"
#include "storage/description_file.h"
#include "widgets/config_page.h"
#include "widgets/mouse_view.h"

PageStack::PageStack(QWidget *parent) : QStackedWidget(parent) {
    setObjectName(QStringLiteral("pageStack"));
    setAttribute(Qt::WA_TranslucentBackground);
}

ConfigPage *PageStack::page(int index) {
    if (index < 0 || index >= kPageCount)
        return nullptr;
    if (m_pages[index])
        return m_pages[index];
    ConfigPage *built = nullptr;
    if (index == kLightingPage)
        built = new VelColorWindow(m_factor, this);
    else if (index == kCustomizePage)
        built = new VelBtnWindow(m_factor, this);
    else if (index == kDpiPage)
        built = new VelDPIWindow(m_factor, this);
    else
        built = new MacroDialog(m_factor, this);
    m_pages[index] = built;
    built->setObjectName(QStringLiteral("page%1").arg(index));
    addWidget(built);
    connect(built, &ConfigPage::ShowMessage, this, &PageStack::ShowMessage);
    connect(built, &ConfigPage::GotoMacroTab, this, &PageStack::GotoMacroTab);
    connect(built, &ConfigPage::EnableButtonsSignal, this, &PageStack::EnableButtonsSignal);
    connect(built, &ConfigPage::WorkingConfigChanged, this, &PageStack::WorkingConfigChanged);
    if (index == kCustomizePage) {
        m_mouseView = &static_cast<VelBtnWindow *>(built)->mouseView();
        m_mouseView->reload();
    }
    built->setScale(m_factor);
    built->retranslate();
    built->refresh();
    return built;
}

int PageStack::showPage(int index) {
    if (index == kLightingPage && description::ledDisable() != 0)
        index = kCustomizePage;
    const bool built = m_pages[index] != nullptr;
    ConfigPage *shown = page(index);
    // Pages share parts of the profile (the DPI page shows the lighting's sleep time and light-off), so a
    // page shown again shows what another page changed meanwhile. A page just built has shown it already.
    if (built && currentWidget() != shown)
        shown->refresh();
    setCurrentWidget(shown);
    return index;
}

void PageStack::refreshAll() {
    for (ConfigPage *page : m_pages) {
        if (page)
            page->refresh();
    }
}

void PageStack::setScale(double factor) {
    m_factor = factor;
    for (ConfigPage *page : m_pages) {
        if (page)
            page->setScale(factor);
    }
}

void PageStack::retranslate() {
    for (ConfigPage *page : m_pages) {
        if (page)
            page->retranslate();
    }
    if (m_mouseView)
        m_mouseView->reload();
}

MouseView &PageStack::mouseView() {
    page(kCustomizePage);
    return *m_mouseView;
}
