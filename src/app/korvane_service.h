#pragma once

#include "platform/session_bus_names.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

class KorvaneWidget;

// The running program on the session bus: the mouse's state and the profiles as properties (changes
// announced with PropertiesChanged), and the profile menu's switch, Apply, a reload of the profile files
// and the tray's "show" as methods, so that scripts and korvanectl reach the mouse while the window holds
// it. A call that would clash with the user is refused with a Busy error that says why, never queued. The
// interface is described by io.github.korvane.KorvaneConfig1.xml, installed with the program.
class KorvaneService : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "io.github.korvane.KorvaneConfig1")
    Q_PROPERTY(QString Product READ product)
    Q_PROPERTY(bool Receiver READ receiver)
    Q_PROPERTY(bool Cable READ cable)
    Q_PROPERTY(QString Connection READ connection)
    Q_PROPERTY(int BatteryLevel READ batteryLevel)
    Q_PROPERTY(int BatteryMillivolts READ batteryMillivolts)
    Q_PROPERTY(bool Charging READ charging)
    Q_PROPERTY(bool MouseOff READ mouseOff)
    Q_PROPERTY(QString CurrentProfile READ currentProfile)
    Q_PROPERTY(QStringList Profiles READ profiles)
    Q_PROPERTY(bool SettingsMayDiffer READ settingsMayDiffer)
    Q_PROPERTY(QList<KorvaneService::Link> Links READ links)
public:
    // A program joined to a profile, as the bus carries it: (program, profile, focus).
    struct Link {
        QString program;
        QString profile;
        bool focus = false;
        bool operator==(const Link &other) const {
            return program == other.program && profile == other.profile && focus == other.focus;
        }
    };

    explicit KorvaneService(KorvaneWidget &window, QObject *parent = nullptr);

    // Puts the object and the service name on bus; false (the program runs on without it) when there is
    // no bus or another program owns the name.
    bool publish(const QDBusConnection &bus);

    QString product() const;
    bool receiver() const;
    bool cable() const;
    QString connection() const;
    int batteryLevel() const;
    int batteryMillivolts() const;
    bool charging() const;
    bool mouseOff() const;
    QString currentProfile() const;
    QStringList profiles() const;
    bool settingsMayDiffer() const;
    QList<Link> links() const;

public slots:
    void SwitchProfile(const QString &name);
    int Apply(const QString &name, bool &stored, QString &message);
    void Reload();
    void Show();
    void AddLink(const QString &program, const QString &profile, bool focus);
    void RemoveLink(const QString &program);
    void ReportFocus(const QString &program, const QString &windowClass);

signals:
    void WriteEnded(int result, const QString &message);

private:
    QVariantMap currentValues() const;
    // Announces the properties that changed since the last announcement.
    void announceChanges();
    // Sends a Busy error when the window is not free; true when refused.
    bool refusedAsBusy();
    // Switches to name for a call, answering a refusal with its error; true when switched.
    bool switchForCall(const QString &name);

    KorvaneWidget &m_window;
    QDBusConnection m_bus;
    QVariantMap m_announced;
};

Q_DECLARE_METATYPE(KorvaneService::Link)

QDBusArgument &operator<<(QDBusArgument &argument, const KorvaneService::Link &link);
const QDBusArgument &operator>>(const QDBusArgument &argument, KorvaneService::Link &link);
