#pragma once

#include <QAction>

// Menu entry whose text is always shown in the current language's font.
class VelAction : public QAction {
    Q_OBJECT
public:
    explicit VelAction(QObject *parent = nullptr);
    VelAction(const QString &text, QObject *parent = nullptr);

    void setText(const QString &text);
};
