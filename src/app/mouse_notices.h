#pragma once

#include "platform/desktop_notifier.h"
#include "platform/desktop_session.h"

#include <QObject>
#include <memory>

class OsdMessenger;

// What the program tells about the mouse outside its window: a stage or rate changed with the mouse's own
// buttons on the on-screen display (as a desktop notification where the OSD program cannot show it), a low
// battery, and the offer to send again a write the mouse missed. Desktop notifications go to the desktop's
// notification service, else to the tray icon's message.
class MouseNotices : public QObject {
    Q_OBJECT
public:
    static constexpr int kOsdDisplayMs = 1500;
    static constexpr int kOsdFontSize = 60;

    // The OSD program is looked for (and started) from applicationDir.
    explicit MouseNotices(const QString &applicationDir, QObject *parent = nullptr);
    ~MouseNotices() override;

    // Replaces the on-screen-display messenger (tests record what would be shown).
    void setOsdMessenger(std::unique_ptr<OsdMessenger> messenger);
    // Replaces the desktop notifications (tests record them).
    void setDesktopNotifier(std::unique_ptr<DesktopNotifier> notifier);
    // The desktop notifications, made on first use: the session bus is reached only when the first notice
    // is due, not while the program starts. fallback shows them where the desktop has no service.
    DesktopNotifier *notifier();
    void setFallback(DesktopNotifier *fallback);
    // The session kind decides how on-mouse changes are shown (tests choose one).
    void setSessionKind(desktopsession::Kind kind) { m_sessionKind = kind; }

    // stage counts from 0.
    void showStage(int stage, int dpi);
    void showRate(int rateCode);
    // A linked program's profile was switched to.
    void showProfile(const QString &name);
    void showLowBattery(const QString &productName, int level);
    void offerResend(const QString &productName);
    // The question the offer asks, in the window as well.
    static QString resendQuestion();

signals:
    // The user took the resend notice's action.
    void resendRequested();

private:
    void showOsdText(const QString &text);
    void showMouseChangeNotice(const QString &text);
    void onAction(int topic, const QString &actionKey);

    std::unique_ptr<OsdMessenger> m_osd;
    std::unique_ptr<DesktopNotifier> m_notifier;
    DesktopNotifier *m_fallback = nullptr;
    desktopsession::Kind m_sessionKind = desktopsession::current();
};
