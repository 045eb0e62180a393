#include "macro/vel_macro_item_delegate.h"

#include "keys/key_tables.h"
#include "macro/macro_action_model.h"
#include "macro/macro_edit.h"
#include "macro/vel_tree_widget.h"
#include "widgets/accent_color.h"
#include "widgets/skin_pictures.h"
#include "widgets/ui_language.h"

#include <QPainter>

namespace {
MacroStep stepOf(const QModelIndex &index) {
    const QAbstractItemModel *model = index.model();
    const auto value = [&](int column) {
        return static_cast<uint8_t>(model->index(index.row(), column).data().toInt());
    };
    return {value(MacroActionModel::kMap), value(MacroActionModel::kDataH), value(MacroActionModel::kDataL)};
}

} // namespace

VelMacroItemDelegate::VelMacroItemDelegate(int minDelay, QObject *parent)
    : QStyledItemDelegate(parent), m_minDelay(minDelay) {
    // Drawn into the rows' rectangles: from the pictures painted at twice the size in a scaled window.
    const double scale = SkinPictures::displayScale();
    m_key = SkinPictures::sharp(QStringLiteral("keybo.png"), scale);
    m_keyDown = SkinPictures::sharp(QStringLiteral("keydown.png"), scale);
    m_keyUp = SkinPictures::sharp(QStringLiteral("keyup.png"), scale);
    m_mouse = SkinPictures::sharp(QStringLiteral("mouse_move.png"), scale);
    m_delay = SkinPictures::sharp(QStringLiteral("icondelay.png"), scale);
}

QString VelMacroItemDelegate::text(const QModelIndex &index) const {
    const MacroStep step = stepOf(index);
    if (index.column() == 1)
        return step.isDelay() ? tr("%1 ms").arg(step.delayMilliseconds(m_minDelay)) : QString();
    const QString state = step.isPress() ? tr("Press") : tr("Release");
    if (step.isKey()) {
        const std::optional<KeyCode> code = HidToKeyCode(step.low);
        return (code ? KeyName(*code) : QString()) + "  " + state;
    }
    if (step.isMouseButton())
        return VelTreeWidget::buttonName(step.low) + "  " + state;
    if (step.isMove())
        return VelTreeWidget::moveName(macroedit::moveDirection(step)) + "  " +
               QString::number(macroedit::moveDistance(step));
    if (step.isDelay())
        return tr("DELAY");
    return QString();
}

void VelMacroItemDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                 const QModelIndex &index) const {
    painter->save();
    const QRect r = option.rect;
    if (option.state & QStyle::State_Selected)
        painter->fillRect(r, QColor(70, 70, 76));
    else if (index.row() % 2)
        painter->fillRect(r, QColor(40, 40, 44));
    const MacroStep step = stepOf(index);
    const int icon = r.height() - 6;
    int textLeft = r.left() + 6;
    if (index.column() == 0) {
        const QPixmap &picture = step.isKey() ? m_key : step.isDelay() ? m_delay : m_mouse;
        if (!picture.isNull())
            painter->drawPixmap(QRect(r.left() + 4, r.top() + 3, icon, icon), picture);
        textLeft += icon + 4;
        // Presses and releases show their arrow between the picture and the text.
        if (step.isKey() || step.isMouseButton()) {
            const QPixmap &arrow = step.isPress() ? m_keyDown : m_keyUp;
            const int small = icon * 2 / 3;
            if (!arrow.isNull())
                painter->drawPixmap(QRect(textLeft, r.top() + (r.height() - small) / 2, small, small), arrow);
            textLeft += small + 4;
        }
    }
    painter->setFont(UiLanguage::font());
    painter->setPen(step.isDelay() && index.column() == 1 ? AccentColor::current() : QColor(225, 225, 225));
    painter->drawText(QRect(textLeft, r.top(), r.right() - textLeft, r.height()),
                      Qt::AlignVCenter | Qt::AlignLeft, text(index));
    painter->restore();
}
