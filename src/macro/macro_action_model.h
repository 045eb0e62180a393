#pragma once

#include "storage/macro_step.h"

#include <QAbstractTableModel>
#include <QVector>

// The action list of the macro page: one row per macro step, with the step's three values as the
// columns Map (kind), DataH and DataL, exactly as the macro file holds them.
class MacroActionModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { kMap = 0, kDataH = 1, kDataL = 2, kColumnCount = 3 };

    explicit MacroActionModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    const QVector<MacroStep> &steps() const { return m_steps; }
    // The first macrofile::kMaxSteps of steps.
    void setSteps(const QVector<MacroStep> &steps);
    MacroStep step(int row) const { return m_steps.value(row); }
    void setStep(int row, const MacroStep &step);
    // Inserts steps before row (clamped to the list), as many as fit below macrofile::kMaxSteps rows.
    void insertSteps(int row, const QVector<MacroStep> &steps);
    void removeSteps(int row, int count);
    // Moves the row to place `to`; false when either is outside the list or they are equal.
    bool moveStep(int row, int to);

    // The header texts, set by the page in its language.
    void setHeaders(const QStringList &headers, const QString &firstToolTip);

private:
    QVector<MacroStep> m_steps;
    QStringList m_headers;
    QString m_firstToolTip;
};
