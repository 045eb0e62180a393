#include "macro/vel_list_item.h"

#include "widgets/vel_label.h"
#include "widgets/vel_line_edit.h"

#include <QCheckBox>
#include <QResizeEvent>

VelListItem::VelListItem(const QString &name, QWidget *parent)
    : QWidget(parent), m_box(new QCheckBox(this)), m_label(new VelLabel(this)),
      m_editor(new VelLineEdit(this)) {
    setObjectName(QStringLiteral("macroItem"));
    setAttribute(Qt::WA_TransparentForMouseEvents, false);
    m_box->setObjectName(QStringLiteral("batchBox"));
    m_box->hide();
    m_label->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_editor->setObjectName(QStringLiteral("nameEditor"));
    m_editor->hide();
    connect(m_editor, &VelLineEdit::returnPressed, this, &VelListItem::lostFocusSlot);
    connect(m_editor, &VelLineEdit::velLostFocus, this, &VelListItem::lostFocusSlot);
    setName(name);
}

void VelListItem::setName(const QString &name) {
    m_name = name;
    m_label->setText(name);
    setToolTip(name);
}

void VelListItem::setBatch(bool batch) {
    m_box->setVisible(batch);
    if (!batch)
        m_box->setChecked(false);
    resizeEvent(nullptr);
}

bool VelListItem::isTicked() const {
    return m_box->isChecked();
}

void VelListItem::editPressSlot() {
    m_editor->setText(m_name);
    m_editor->show();
    m_editor->setFocus();
    m_editor->selectAll();
}

void VelListItem::lostFocusSlot() {
    if (m_editor->isHidden())
        return;
    m_editor->hide();
    const QString typed = m_editor->text().trimmed();
    if (!typed.isEmpty() && typed != m_name)
        emit renameRequested(typed);
}

void VelListItem::mouseDoubleClickEvent(QMouseEvent *) {
    editPressSlot();
}

void VelListItem::resizeEvent(QResizeEvent *) {
    const int h = height();
    const int boxWidth = m_box->isHidden() ? 0 : h;
    m_box->setGeometry(2, 0, h, h);
    m_label->setGeometry(boxWidth + 6, 0, width() - boxWidth - 8, h);
    m_editor->setGeometry(boxWidth + 2, 1, width() - boxWidth - 4, h - 2);
}
