#pragma once

#include "macro/macro_edit.h"

#include <QTreeWidget>
#include <array>

class VelTreeItem;

// The macro page's mouse-command tree: the five mouse buttons, each with its "PRESS DOWN" and "BOUNCE UP"
// entries, and the four moves with their distance fields, drawn with the skin's item pictures.
class VelTreeWidget : public QTreeWidget {
    Q_OBJECT
public:
    static constexpr int kButtonCount = 5;
    static constexpr int kMoveCount = 4;
    // The entries as the page's mouse-action menu lists them: the five buttons, then the four moves.
    static constexpr int kEntryCount = kButtonCount + kMoveCount;
    explicit VelTreeWidget(QWidget *parent = nullptr);
    void retranslate();
    void setScale(double factor);
    // The button bit of a button entry or of one of its children; 0 for other items.
    static int buttonBit(const QTreeWidgetItem *item);
    // The five buttons in the tree's order (left, middle, right, forward, backward), by index.
    static uint8_t buttonBitAt(int index);
    // A button's name by its bit in a macro step; empty for any other value.
    static QString buttonName(int bit);
    // The four moves in the tree's order (left, right, up, down), by index, and their names.
    static macroedit::Direction directionAt(int index);
    static QString moveName(macroedit::Direction direction);
    static QString entryName(int entry);
    // The rows an entry inserts: a click (press and release) of its button, or a move of the distance in
    // its field.
    QVector<MacroStep> entrySteps(int entry) const;
    // The rows a click on item inserts: a button's entry opens at its first click (closing the others')
    // and inserts nothing then, a click once open; its "PRESS DOWN" a press, its "BOUNCE UP" a release.
    QVector<MacroStep> click(QTreeWidgetItem *item);
    QTreeWidgetItem *buttonItem(int index) const { return m_buttons[index]; }
    // 0 left, 1 right, 2 up, 3 down.
    VelTreeItem *moveItem(int index) const { return m_moves[index]; }

private:
    std::array<QTreeWidgetItem *, kButtonCount> m_buttons{};
    std::array<VelTreeItem *, kMoveCount> m_moves{};
};
