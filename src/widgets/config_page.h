#pragma once

#include <QWidget>
#include <cstdint>

// The base of every page of the main window (lighting, buttons, DPI, macros). A page shows and edits the
// working configuration; it never talks to the mouse or to another page. What only the window can do
// (show a message, switch pages, lock its buttons while the page records) the page asks for by signal.
class ConfigPage : public QWidget {
    Q_OBJECT
public:
    explicit ConfigPage(QWidget *parent = nullptr);

    // Shows the working configuration again: after a profile switch, load, reset, cancel or a change
    // the mouse reported.
    virtual void refresh() {}
    virtual void retranslate() {}
    // Places the page's controls at base coordinates times factor.
    virtual void setScale(double factor) { m_factor = factor; }
    double scale() const { return m_factor; }

signals:
    // The window shows text in its message box.
    void ShowMessage(const QString &text);
    // The window switches to page iPage (its tab order: lighting, customize, DPI, macro).
    void GotoMacroTab(quint8 iPage);
    // The window enables or disables its buttons, tabs and name field.
    void EnableButtonsSignal(bool bEnable);
    // The page changed the working configuration beyond its own controls (the buttons that play a renamed
    // or deleted macro); the window shows every page again.
    void WorkingConfigChanged();

private:
    double m_factor = 1.0;
};
