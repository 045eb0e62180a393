#pragma once

#include <QLineEdit>

// Line edit that reports losing the keyboard focus.
class VelLineEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit VelLineEdit(QWidget *parent = nullptr);

signals:
    void velLostFocus();

protected:
    void focusOutEvent(QFocusEvent *event) override;
};
