#include "macro/macro_action_model.h"

#include "storage/macro_file.h"

MacroActionModel::MacroActionModel(QObject *parent) : QAbstractTableModel(parent) {}

int MacroActionModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : m_steps.size();
}

int MacroActionModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant MacroActionModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= m_steps.size() ||
        (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    const MacroStep &step = m_steps[index.row()];
    switch (index.column()) {
    case kMap:
        return int(step.type);
    case kDataH:
        return int(step.high);
    case kDataL:
        return int(step.low);
    default:
        return {};
    }
}

QVariant MacroActionModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return m_headers.value(section);
    if (role == Qt::ToolTipRole && section == 0)
        return m_firstToolTip;
    return {};
}

void MacroActionModel::setHeaders(const QStringList &headers, const QString &firstToolTip) {
    m_headers = headers;
    m_firstToolTip = firstToolTip;
    emit headerDataChanged(Qt::Horizontal, 0, kColumnCount - 1);
}

void MacroActionModel::setSteps(const QVector<MacroStep> &steps) {
    beginResetModel();
    m_steps = steps.mid(0, macrofile::kMaxSteps);
    endResetModel();
}

void MacroActionModel::setStep(int row, const MacroStep &step) {
    if (row < 0 || row >= m_steps.size())
        return;
    m_steps[row] = step;
    emit dataChanged(index(row, 0), index(row, kColumnCount - 1));
}

void MacroActionModel::insertSteps(int row, const QVector<MacroStep> &steps) {
    // Rows past the most a macro holds would be dropped by every reader of the file.
    const int count = qMin(steps.size(), macrofile::kMaxSteps - m_steps.size());
    if (count <= 0)
        return;
    row = qBound(0, row, m_steps.size());
    beginInsertRows(QModelIndex(), row, row + count - 1);
    for (int i = 0; i < count; ++i)
        m_steps.insert(row + i, steps[i]);
    endInsertRows();
}

void MacroActionModel::removeSteps(int row, int count) {
    count = qMin(count, m_steps.size() - row);
    if (row < 0 || count <= 0)
        return;
    beginRemoveRows(QModelIndex(), row, row + count - 1);
    m_steps.remove(row, count);
    endRemoveRows();
}

bool MacroActionModel::moveStep(int row, int to) {
    if (row < 0 || to < 0 || row >= m_steps.size() || to >= m_steps.size() || row == to)
        return false;
    // Qt counts the destination before the move: moving down goes before the row after the place.
    beginMoveRows(QModelIndex(), row, row, QModelIndex(), to > row ? to + 1 : to);
    m_steps.move(row, to);
    endMoveRows();
    return true;
}
