#pragma once

#include <QPixmap>
#include <QStyledItemDelegate>

// Paints a row of the macro page's action list: the step's picture and what it does (the key or mouse
// button with "Press" or "Release", the move with its distance) in the first column, a delay's length in
// the second.
class VelMacroItemDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    // minDelay: the model's delay unit in milliseconds.
    VelMacroItemDelegate(int minDelay, QObject *parent = nullptr);
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;

    // The text of a row's column (0 the action, 1 the delay), as painted.
    QString text(const QModelIndex &index) const;

private:
    int m_minDelay;
    QPixmap m_key, m_keyDown, m_keyUp, m_mouse, m_delay;
};
