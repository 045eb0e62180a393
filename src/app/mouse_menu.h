#pragma once

#include "widgets/vel_push_button.h"

class VelMenu;

// The mouse list button: shown only while more than one supported mouse is present, it names the current
// one and drops down the list of those present.
class MouseMenu : public VelPushButton {
    Q_OBJECT
public:
    explicit MouseMenu(QWidget *parent = nullptr);

    void showMice(const QStringList &names, const QString &current);

signals:
    void mouseChosen(const QString &name);

private:
    VelMenu *m_menu = nullptr;
};
