#include "app/mouse_menu.h"

#include "widgets/vel_menu.h"

#include <QAction>

MouseMenu::MouseMenu(QWidget *parent) : VelPushButton(VelPushButton::tabImages(), parent) {
    setObjectName(QStringLiteral("mouseButton"));
    m_menu = new VelMenu(this);
    connect(m_menu, &QMenu::triggered, this, [this](QAction *action) { emit mouseChosen(action->text()); });
    connect(this, &QPushButton::clicked, this, [this] { m_menu->exec(mapToGlobal(QPoint(0, height()))); });
}

void MouseMenu::showMice(const QStringList &names, const QString &current) {
    m_menu->clear();
    for (const QString &name : names)
        m_menu->addAction(name);
    setVisible(names.size() > 1);
    setText(current);
}
