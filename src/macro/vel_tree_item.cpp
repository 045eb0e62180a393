#include "macro/vel_tree_item.h"

#include "storage/macro_step.h"
#include "widgets/skin_pictures.h"
#include "widgets/vel_label.h"
#include "widgets/vel_line_edit.h"

#include <QIntValidator>
#include <QLabel>

namespace {
constexpr int kDefaultDistance = 10;
}

VelTreeItem::VelTreeItem(const QString &arrow, QWidget *parent)
    : QWidget(parent), m_arrow(arrow), m_icon(new QLabel(this)), m_label(new VelLabel(this)),
      m_distance(new VelLineEdit(this)) {
    setObjectName(QStringLiteral("move_") + arrow);
    setCursor(Qt::PointingHandCursor);
    m_icon->setAttribute(Qt::WA_TransparentForMouseEvents);
    connect(m_label, &VelLabel::EnterSignal, this, &VelTreeItem::slotLabelClick);
    m_distance->setObjectName(QStringLiteral("distanceEdit"));
    // Larger steps would read back as a move the other way.
    m_distance->setValidator(new QIntValidator(1, MacroStep::kMaxMove, m_distance));
    m_distance->setAlignment(Qt::AlignCenter);
    m_distance->setText(QString::number(kDefaultDistance));
    showArrow(1);
}

void VelTreeItem::setText(const QString &text) {
    m_label->setText(text);
}

int VelTreeItem::distance() const {
    return qBound(1, m_distance->text().toInt(), int(MacroStep::kMaxMove));
}

void VelTreeItem::setDistance(int distance) {
    m_distance->setText(QString::number(distance));
}

void VelTreeItem::slotLabelClick(VelLabel *) {
    showArrow(3);
    emit VelMousePressed();
}

void VelTreeItem::mousePressEvent(QMouseEvent *) {
    slotLabelClick(m_label);
}

void VelTreeItem::enterEvent(QtEnterEvent *) {
    showArrow(2);
    emit MouseInSignal();
}

void VelTreeItem::leaveEvent(QEvent *) {
    showArrow(1);
}

void VelTreeItem::showArrow(int look) {
    m_icon->setPixmap(SkinPictures::scaled(QStringLiteral("%1%2.png").arg(m_arrow).arg(look), m_icon->size(),
                                           Qt::KeepAspectRatio));
}

void VelTreeItem::resizeEvent(QResizeEvent *) {
    const int h = height();
    const int field = h * 2;
    m_icon->setGeometry(4, h / 6, h * 2 / 3, h * 2 / 3);
    m_label->setGeometry(h, 0, width() - h - field - 6, h);
    m_distance->setGeometry(width() - field - 4, 2, field, h - 4);
    showArrow(1);
}
