#include "app/page_tabs.h"

#include "widgets/display_scale.h"
#include "widgets/vel_push_button.h"

namespace {
// In the window's base coordinates: the row (with room around the tabs) and the tabs.
constexpr QRect kRowRect(320, 76, 620, 42);
constexpr int kTabX = 330;
constexpr int kTabY = 80;
constexpr int kTabWidth = 140;
constexpr int kTabHeight = 34;
constexpr int kTabGap = 10;
} // namespace

PageTabs::PageTabs(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pageTabs"));
    for (int i = 0; i < PageStack::kPageCount; ++i) {
        m_tabs[i] = VelPushButton::fromSkin(VelPushButton::tabImages(),
                                            qPrintable(QStringLiteral("tab%1").arg(i)), this);
        m_tabs[i]->setCheckable(true);
        connect(m_tabs[i], &VelPushButton::EnterSignal, this, [this, i] { emit pageChosen(i); });
        connect(m_tabs[i], &QPushButton::clicked, this, [this, i] { emit pageChosen(i); });
    }
}

void PageTabs::setCurrent(int page) {
    for (int i = 0; i < PageStack::kPageCount; ++i)
        m_tabs[i]->setChecked(i == page);
}

void PageTabs::setScale(double factor) {
    setGeometry(DisplayScale::scaled(kRowRect, factor));
    for (int i = 0; i < PageStack::kPageCount; ++i) {
        const QRect base(kTabX + i * (kTabWidth + kTabGap), kTabY, kTabWidth, kTabHeight);
        m_tabs[i]->setGeometry(DisplayScale::scaledIn(base, kRowRect, factor));
    }
}

void PageTabs::retranslate() {
    static const char *const kTexts[PageStack::kPageCount] = {QT_TR_NOOP("LIGHTING"), QT_TR_NOOP("CUSTOMIZE"),
                                                              QT_TR_NOOP("DPI"), QT_TR_NOOP("MACRO")};
    for (int i = 0; i < PageStack::kPageCount; ++i)
        m_tabs[i]->setText(tr(kTexts[i]));
}
