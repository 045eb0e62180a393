#include "macro/vel_tree_widget.h"

#include "macro/vel_tree_item.h"
#include "storage/app_paths.h"
#include "widgets/ui_language.h"

#include <QHeaderView>

namespace {
// The buttons in the tree's order, with their bits in a macro step.
constexpr std::array<int, VelTreeWidget::kButtonCount> kButtonBits{1, 4, 2, 8, 16};
constexpr const char *kArrows[VelTreeWidget::kMoveCount] = {"left", "right", "up", "down"};
constexpr int kBitRole = Qt::UserRole;
} // namespace

VelTreeWidget::VelTreeWidget(QWidget *parent) : QTreeWidget(parent) {
    setObjectName(QStringLiteral("mouseTree"));
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(false);
    setIndentation(12);
    setFocusPolicy(Qt::NoFocus);
    setExpandsOnDoubleClick(false);
    for (int i = 0; i < kButtonCount; ++i) {
        m_buttons[i] = new QTreeWidgetItem(this);
        m_buttons[i]->setData(0, kBitRole, kButtonBits[i]);
        for (int child = 0; child < 2; ++child)
            new QTreeWidgetItem(m_buttons[i]);
    }
    for (int i = 0; i < kMoveCount; ++i) {
        auto *item = new QTreeWidgetItem(this);
        item->setFlags(Qt::ItemIsEnabled);
        m_moves[i] = new VelTreeItem(QLatin1String(kArrows[i]), this);
        setItemWidget(item, 0, m_moves[i]);
    }
    retranslate();
    setScale(1.0);
}

int VelTreeWidget::buttonBit(const QTreeWidgetItem *item) {
    if (item && item->parent())
        item = item->parent();
    return item ? item->data(0, kBitRole).toInt() : 0;
}

void VelTreeWidget::retranslate() {
    const QString names[kButtonCount] = {tr("LEFT CLICK"), tr("MIDDLE CLICK"), tr("RIGHT CLICK"),
                                         tr("FORWARD"), tr("BACKWARD")};
    for (int i = 0; i < kButtonCount; ++i) {
        m_buttons[i]->setText(0, names[i]);
        m_buttons[i]->child(0)->setText(0, tr("PRESS DOWN"));
        m_buttons[i]->child(1)->setText(0, tr("BOUNCE UP"));
    }
    const QString moves[kMoveCount] = {tr("MOVE LEFT"), tr("MOVE RIGHT"), tr("MOVE UP"), tr("MOVE DOWN")};
    for (int i = 0; i < kMoveCount; ++i)
        m_moves[i]->setText(moves[i]);
    QFont font = UiLanguage::font();
    setFont(font);
}

void VelTreeWidget::setScale(double factor) {
    const QString skin = AppPaths::skinDir();
    const int itemHeight = qRound(26 * factor);
    setStyleSheet(QStringLiteral("QTreeWidget{background:transparent;border:none;color:rgb(225,225,225);}"
                                 "QTreeWidget::item{height:%1px;border-image:url(%2/insert_mouse_key_1.png);}"
                                 "QTreeWidget::item:hover{border-image:url(%2/insert_mouse_key_2.png);}"
                                 "QTreeWidget::item:selected{border-image:url(%2/insert_mouse_key_3.png);"
                                 "color:rgb(255,255,255);}")
                      .arg(itemHeight)
                      .arg(skin));
}
