#include "app/mouse_notices.h"

#include "device/battery_status.h"
#include "platform/dbus_notifier.h"
#include "platform/local_osd_messenger.h"
#include "widgets/accent_color.h"

MouseNotices::MouseNotices(const QString &applicationDir, QObject *parent)
    : QObject(parent), m_osd(std::make_unique<LocalOsdMessenger>(applicationDir)) {}

MouseNotices::~MouseNotices() = default;

void MouseNotices::setOsdMessenger(std::unique_ptr<OsdMessenger> messenger) {
    m_osd = std::move(messenger);
}

void MouseNotices::setDesktopNotifier(std::unique_ptr<DesktopNotifier> notifier) {
    m_notifier = std::move(notifier);
    if (m_notifier)
        connect(m_notifier.get(), &DesktopNotifier::actionInvoked, this, &MouseNotices::onAction);
}

DesktopNotifier *MouseNotices::notifier() {
    if (!m_notifier) {
        auto notifier = std::make_unique<DbusNotifier>();
        notifier->setFallback(m_fallback);
        setDesktopNotifier(std::move(notifier));
    }
    return m_notifier.get();
}

void MouseNotices::setFallback(DesktopNotifier *fallback) {
    m_fallback = fallback;
    connect(m_fallback, &DesktopNotifier::actionInvoked, this, &MouseNotices::onAction);
}

void MouseNotices::showProfile(const QString &name) {
    showOsdText(tr("Profile: %1").arg(name));
}

void MouseNotices::showStage(int stage, int dpi) {
    showOsdText(tr("DPI") + QString::asprintf(" %d:%d", stage + 1, dpi));
}

void MouseNotices::showRate(int rateCode) {
    showOsdText(battery::rateText(uint8_t(rateCode)));
}

void MouseNotices::showLowBattery(const QString &productName, int level) {
    DesktopNotice notice;
    notice.summary = tr("Mouse battery low");
    notice.body = tr("%1 has %2% battery left. Connect the cable to charge it.").arg(productName).arg(level);
    notifier()->show(DesktopNotifier::Battery, notice);
}

void MouseNotices::offerResend(const QString &productName) {
    DesktopNotice notice;
    notice.summary = productName;
    notice.body = resendQuestion();
    notice.actionKey = QStringLiteral("resend");
    notice.actionLabel = tr("Send again");
    notifier()->show(DesktopNotifier::Resend, notice);
}

QString MouseNotices::resendQuestion() {
    return tr("The mouse is back, but the last settings did not reach it. Send the current profile again?");
}

// The OSD program shows the text; on Wayland, where it cannot place its window, or when it cannot be
// started, a desktop notification with the same text and time does.
void MouseNotices::showOsdText(const QString &text) {
    OsdRecord record;
    record.text = text;
    record.displayMs = kOsdDisplayMs;
    const QColor color = AccentColor::current();
    record.color = OsdRecord::colorRef(color.red(), color.green(), color.blue());
    record.fontSize = kOsdFontSize;
    if (desktopsession::osdProgramUsable(m_sessionKind) && m_osd) {
        // The OSD program may take a few seconds to start; the window goes on meanwhile.
        m_osd->send(record, [this, text](bool taken) {
            if (!taken)
                showMouseChangeNotice(text);
        });
        return;
    }
    showMouseChangeNotice(text);
}

void MouseNotices::showMouseChangeNotice(const QString &text) {
    DesktopNotice notice;
    notice.summary = text;
    notice.timeoutMs = kOsdDisplayMs;
    notifier()->show(DesktopNotifier::MouseChange, notice);
}

void MouseNotices::onAction(int topic, const QString &actionKey) {
    if (topic == DesktopNotifier::Resend && actionKey == QLatin1String("resend"))
        emit resendRequested();
}
