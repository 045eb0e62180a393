#pragma once

#include <QMenu>

// Drop-down menu of the skin, its entries painted with the current language's font.
class VelMenu : public QMenu {
    Q_OBJECT
public:
    explicit VelMenu(QWidget *parent = nullptr);
    explicit VelMenu(const QString &title, QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;
};
