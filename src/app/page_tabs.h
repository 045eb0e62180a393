#pragma once

#include "app/page_stack.h"

#include <QWidget>
#include <array>

class VelPushButton;

// The row of tabs above the page area, one per page of the PageStack: the current one is checked.
class PageTabs : public QWidget {
    Q_OBJECT
public:
    explicit PageTabs(QWidget *parent = nullptr);

    void setCurrent(int page);
    void setScale(double factor);
    void retranslate();

signals:
    // A tab was pressed, and again when its click completes.
    void pageChosen(int page);

private:
    std::array<VelPushButton *, PageStack::kPageCount> m_tabs{};
};
