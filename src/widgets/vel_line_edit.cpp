#include "widgets/vel_line_edit.h"

VelLineEdit::VelLineEdit(QWidget *parent) : QLineEdit(parent) {}

void VelLineEdit::focusOutEvent(QFocusEvent *event) {
    QLineEdit::focusOutEvent(event);
    emit velLostFocus();
}
