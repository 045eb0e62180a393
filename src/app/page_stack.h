#pragma once

#include <QStackedWidget>
#include <array>

class ConfigPage;
class MouseView;

// The window's page area: one ConfigPage per tab, each built when it is first shown or asked for, so that
// start-up builds only the page the window opens on. What the pages ask of the window comes out as the
// stack's signals.
class PageStack : public QStackedWidget {
    Q_OBJECT
public:
    enum Page { kLightingPage, kCustomizePage, kDpiPage, kMacroPage, kPageCount };

    explicit PageStack(QWidget *parent = nullptr);

    // The page (built now if it was not yet); nullptr for an index outside the tabs.
    ConfigPage *page(int index);
    // The page if it was built; nullptr otherwise (nothing is built for asking).
    ConfigPage *builtPage(int index) const {
        return index >= 0 && index < kPageCount ? m_pages[static_cast<size_t>(index)] : nullptr;
    }
    // Shows the page and returns the one shown: a model without lighting shows CUSTOMIZE instead.
    int showPage(int index);
    // Every page built shows the working configuration again.
    void refreshAll();
    void setScale(double factor);
    void retranslate();
    // The customize page's mouse pictures (the page is built for it).
    MouseView &mouseView();

signals:
    void ShowMessage(const QString &text);
    void GotoMacroTab(quint8 iPage);
    void EnableButtonsSignal(bool bEnable);
    void WorkingConfigChanged();

private:
    double m_factor = 1.0;
    std::array<ConfigPage *, kPageCount> m_pages{};
    MouseView *m_mouseView = nullptr;
};
