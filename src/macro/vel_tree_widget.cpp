#include "macro/vel_tree_widget.h"

#include "macro/vel_tree_item.h"
#include "storage/app_paths.h"
#include "widgets/ui_language.h"

#include <QHeaderView>

namespace {
// The buttons in the tree's order, with their bits in a macro step.
constexpr std::array<uint8_t, VelTreeWidget::kButtonCount> kButtonBits{1, 4, 2, 8, 16};
constexpr std::array<macroedit::Direction, VelTreeWidget::kMoveCount> kDirections{
    macroedit::Direction::Left, macroedit::Direction::Right, macroedit::Direction::Up,
    macroedit::Direction::Down};
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

uint8_t VelTreeWidget::buttonBitAt(int index) {
    return kButtonBits[size_t(index)];
}

QString VelTreeWidget::buttonName(int bit) {
    switch (bit) {
    case 1:
        return tr("LEFT CLICK");
    case 2:
        return tr("RIGHT CLICK");
    case 4:
        return tr("MIDDLE CLICK");
    case 8:
        return tr("FORWARD");
    case 16:
        return tr("BACKWARD");
    default:
        return QString();
    }
}

macroedit::Direction VelTreeWidget::directionAt(int index) {
    return kDirections[size_t(index)];
}

QString VelTreeWidget::moveName(macroedit::Direction direction) {
    switch (direction) {
    case macroedit::Direction::Left:
        return tr("MOVE LEFT");
    case macroedit::Direction::Right:
        return tr("MOVE RIGHT");
    case macroedit::Direction::Up:
        return tr("MOVE UP");
    case macroedit::Direction::Down:
        break;
    }
    return tr("MOVE DOWN");
}

QString VelTreeWidget::entryName(int entry) {
    return entry < kButtonCount ? buttonName(buttonBitAt(entry))
                                : moveName(directionAt(entry - kButtonCount));
}

QVector<MacroStep> VelTreeWidget::entrySteps(int entry) const {
    if (entry < kButtonCount)
        return {{MacroStep::kMousePress, 0, buttonBitAt(entry)},
                {MacroStep::kMouseRelease, 0, buttonBitAt(entry)}};
    const int move = entry - kButtonCount;
    return {macroedit::moveStep(directionAt(move), m_moves[size_t(move)]->distance())};
}

QVector<MacroStep> VelTreeWidget::click(QTreeWidgetItem *item) {
    const uint8_t bit = uint8_t(buttonBit(item));
    if (!item || bit == 0)
        return {};
    if (item->parent()) {
        // "PRESS DOWN" is the first child, "BOUNCE UP" the second.
        const bool press = item->parent()->indexOfChild(item) == 0;
        return {{press ? MacroStep::kMousePress : MacroStep::kMouseRelease, 0, bit}};
    }
    if (!item->isExpanded()) {
        for (QTreeWidgetItem *button : m_buttons)
            button->setExpanded(button == item);
        return {};
    }
    return {{MacroStep::kMousePress, 0, bit}, {MacroStep::kMouseRelease, 0, bit}};
}

void VelTreeWidget::retranslate() {
    for (int i = 0; i < kButtonCount; ++i) {
        m_buttons[i]->setText(0, buttonName(kButtonBits[size_t(i)]));
        m_buttons[i]->child(0)->setText(0, tr("PRESS DOWN"));
        m_buttons[i]->child(1)->setText(0, tr("BOUNCE UP"));
    }
    for (int i = 0; i < kMoveCount; ++i)
        m_moves[i]->setText(moveName(kDirections[size_t(i)]));
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
