#pragma once

#include <QObject>
#include <QString>

// One desktop notification: a summary line, a body, how long it stays (-1: as the desktop likes) and at
// most one action the user may take from it.
struct DesktopNotice {
    QString summary;
    QString body;
    int timeoutMs = -1;
    QString actionKey;
    QString actionLabel;
};

// Shows notifications on the desktop. Each topic has at most one notification on screen: a new notice
// replaces the topic's previous one instead of piling up.
class DesktopNotifier : public QObject {
    Q_OBJECT
public:
    enum Topic { Battery, MouseChange, Resend, TopicCount };

    using QObject::QObject;
    ~DesktopNotifier() override = default;

    virtual void show(Topic topic, const DesktopNotice &notice) = 0;

signals:
    // The user chose the action of the topic's notice.
    void actionInvoked(int topic, const QString &actionKey);
};
