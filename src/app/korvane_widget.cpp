#include "app/korvane_widget.h"

#include "app/app_log.h"
#include "app/korvane_tray.h"
#include "app/profile_bar.h"
#include "app/status_row.h"
#include "app/tray_notifier.h"
#include "buttons/vel_btn_window.h"
#include "device/battery_thread_controller.h"
#include "device/device_presence.h"
#include "keys/key_tables.h"
#include "lighting/vel_color_window.h"
#include "macro/macro_dialog.h"
#include "performance/vel_dpi_window.h"
#include "platform/autostart.h"
#include "platform/dbus_notifier.h"
#include "platform/device_notifier.h"
#include "platform/local_osd_messenger.h"
#include "storage/app_paths.h"
#include "storage/description_file.h"
#include "widgets/config_page.h"
#include "widgets/language_switch.h"
#include "widgets/mouse_view.h"
#include "widgets/vel_line_edit.h"
#include "widgets/vel_menu.h"
#include "widgets/vel_message_box.h"
#include "widgets/vel_push_button.h"
#include "widgets/window_drag.h"

#include <QAction>
#include <QApplication>
#include <QBitmap>
#include <QCloseEvent>
#include <QDeadlineTimer>
#include <QPainter>
#include <QScreen>
#include <QStackedWidget>
#include <QTimer>
#include <cstdio>

namespace {
// Base geometry of the window's controls, before the display scale is applied.
constexpr QRect kMinimiseRect(922, 16, 26, 26);
constexpr QRect kCloseRect(954, 16, 26, 26);
constexpr QRect kLanguageRect(790, 33, 100, 20);
constexpr QRect kMouseButtonRect(670, 33, 100, 20);
constexpr QRect kFirmwareRect(32, 520, 240, 30);
constexpr int kTabX = 330;
constexpr int kTabY = 80;
constexpr int kTabWidth = 140;
constexpr int kTabHeight = 34;
constexpr int kTabGap = 10;
// The page area.
constexpr QRect kPageRect(320, 124, 652, 432);

int stepOfScreen(const QScreen *screen) {
    return screen ? DisplayScale::stepForDpi(screen->logicalDotsPerInch()) : 0;
}
} // namespace

bool KorvaneWidget::s_bWarningShowing = false;

namespace {
std::function<bool()> &trayCheck() {
    static std::function<bool()> check;
    return check;
}
} // namespace

bool KorvaneWidget::warningShowing() {
    return s_bWarningShowing;
}

void KorvaneWidget::setTrayCheck(std::function<bool()> check) {
    trayCheck() = std::move(check);
}

bool KorvaneWidget::trayAvailable() {
    return trayCheck() ? trayCheck()() : QSystemTrayIcon::isSystemTrayAvailable();
}

KorvaneWidget::KorvaneWidget(HidBackend &backend, std::unique_ptr<DeviceNotifier> notifier, QWidget *parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("KorvaneWidget"));
    resize(400, 300);
    setWindowTitle(tr("Korvane Config"));

    m_appDir = AppPaths::applicationDir();
    m_backgrounds[0].load(m_appDir + "/skin/cfgMainback.png");

    setBaseSize(kBaseWidth, kBaseHeight);
    setMinimumSize(kBaseWidth, kBaseHeight);
    applyScaleStep(stepOfScreen(QGuiApplication::primaryScreen()));
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }

    m_osd = std::make_unique<LocalOsdMessenger>(m_appDir);
    m_presence = std::make_unique<DevicePresence>(backend, std::move(notifier));
    m_batteryThreads = new BatteryThreadController(this);
    connect(m_batteryThreads, &BatteryThreadController::RefreshBatteryStatus, this,
            &KorvaneWidget::slotRefreshBatteryStatus);
    connect(m_batteryThreads, &BatteryThreadController::RefreshStatus, this,
            &KorvaneWidget::slotRefreshStatus);
    connect(m_batteryThreads, &BatteryThreadController::RefreshWriteStatus, this,
            &KorvaneWidget::slotRefreshWriteStatus);
    if (!m_presence->startNotifications())
        qCDebug(lcApp) << "hot-plug notifications unavailable";

    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    new WindowDrag(this, kDragThreshold);
    setAttribute(Qt::WA_TranslucentBackground);
    m_tabImages = VelPushButton::tabImages();

    SetKeyLayoutLanguages(description::frenchLanguage(), description::germanLanguage());
    m_languages = new LanguageSwitch(this);

    buildWidgets();
    m_presence->start();
    refreshMouseList();
    if (m_languages->count() <= 1)
        m_langButton->hide();
    m_languages->install();

    m_iBatteryFull = config::batteryFull();
    startDeviceLink();
    QTimer::singleShot(0, this, [this] {
        if (!isVisible())
            finishStartUp();
    });
    m_profileBar->loadStoredConfig();
    m_profileBar->reload();

    switchPage(description::ledDisable() != 0 ? kCustomizePage : kLightingPage);
    refreshAllPages();
    retranslate();
    m_profileBar->showCurrentName();

    setStyleSheet(QStringLiteral("*{outline:0px;}"));
    createTray();
    // Until the mouse reports, the window shows the level the last run stored (the first report of a
    // fresh start would otherwise be preceded by a made-up 10 % that also replaced the stored level).
    m_iBatteryLevel = qBound(0, config::batteryValue(), 100);
    showBatteryLevel();
    m_resendWanted = config::configDiff() == 1;
    QTimer::singleShot(kWarningDelayMs, this, &KorvaneWidget::startupWarning);
}

KorvaneWidget::~KorvaneWidget() {
    // The readers end before the handles they read from are closed.
    delete m_batteryThreads;
    m_batteryThreads = nullptr;
    m_presence.reset();
}

QSize KorvaneWidget::windowSizeForStep(int step) {
    const double factor = DisplayScale::factorOfStep(step);
    return QSize(DisplayScale::scaled(kBaseWidth, factor), DisplayScale::scaled(kBaseHeight, factor));
}

bool KorvaneWidget::languageButtonVisible() const {
    return m_langButton && !m_langButton->isHidden();
}

void KorvaneWidget::setOsdMessenger(std::unique_ptr<OsdMessenger> messenger) {
    m_osd = std::move(messenger);
}

void KorvaneWidget::setDesktopNotifier(std::unique_ptr<DesktopNotifier> notifier) {
    m_notifier = std::move(notifier);
    if (m_notifier)
        connect(m_notifier.get(), &DesktopNotifier::actionInvoked, this, &KorvaneWidget::onNoticeAction);
}

// Notices go to the desktop's notification service, else to the tray icon's message. The session bus is
// reached only when the first notice is due, not while the window starts.
DesktopNotifier *KorvaneWidget::notifier() {
    if (!m_notifier) {
        auto notifier = std::make_unique<DbusNotifier>();
        notifier->setFallback(m_trayNotifier);
        setDesktopNotifier(std::move(notifier));
    }
    return m_notifier.get();
}

void KorvaneWidget::startHidden() {
    m_startHidden = true;
    hide();
    if (trayAvailable())
        return;
    const QDeadlineTimer deadline(kTrayWaitMs);
    auto *poll = new QTimer(this);
    connect(poll, &QTimer::timeout, this, [this, poll, deadline] {
        if (!trayAvailable() && !deadline.hasExpired())
            return;
        poll->deleteLater();
        if (!trayAvailable()) {
            setWindowOpacity(1.0);
            showMinimized();
        }
    });
    poll->start(kTrayPollMs);
}

void KorvaneWidget::closeWindow() {
    if (trayAvailable()) {
        hide();
        return;
    }
    // Nothing would bring a hidden window back.
    hide();
    QCoreApplication::quit();
}

void KorvaneWidget::closeEvent(QCloseEvent *event) {
    event->accept();
    closeWindow();
}

const QPixmap &KorvaneWidget::backgroundForStep(int step) {
    QPixmap &slot = m_backgrounds[step];
    if (slot.isNull() && !m_backgrounds[0].isNull()) {
        const QSize size = windowSizeForStep(step);
        slot = m_backgrounds[0].scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    }
    return slot;
}

VelPushButton *KorvaneWidget::makeButton(const QStringList &images, const char *name) {
    return VelPushButton::fromSkin(images, name, this);
}

void KorvaneWidget::buildWidgets() {
    m_minButton = makeButton({"min-1.png", "min-2.png", "min-3.png"}, "minButton");
    connect(m_minButton, &QPushButton::clicked, this, &QWidget::showMinimized);
    m_closeButton = makeButton({"close-1.png", "close-2.png", "close-3.png"}, "closeButton");
    connect(m_closeButton, &QPushButton::clicked, this, &KorvaneWidget::closeWindow);
    m_langButton = makeButton({"lang.png"}, "langButton");
    connect(m_langButton, &QPushButton::clicked, this, &KorvaneWidget::showLanguageMenu);
    m_mouseMenu = new VelMenu(this);
    connect(m_mouseMenu, &QMenu::triggered, this, &KorvaneWidget::slot_show_mousename);
    m_mouseButton = makeButton(m_tabImages, "mouseButton");
    connect(m_mouseButton, &QPushButton::clicked, this,
            [this] { m_mouseMenu->exec(m_mouseButton->mapToGlobal(QPoint(0, m_mouseButton->height()))); });
    m_firmwareButton = makeButton(m_tabImages, "firmwareButton");
    connect(m_firmwareButton, &QPushButton::clicked, this, &KorvaneWidget::startFirmwareUpdate);
    // A tab switches when it is pressed, and again when the click completes.
    for (int i = 0; i < kPageCount; ++i) {
        m_tabs[i] = makeButton(m_tabImages, qPrintable(QStringLiteral("tab%1").arg(i)));
        m_tabs[i]->setCheckable(true);
        connect(m_tabs[i], &VelPushButton::EnterSignal, this, [this, i] { switchPage(i); });
        connect(m_tabs[i], &QPushButton::clicked, this, [this, i] { switchPage(i); });
    }
    m_profileBar = new ProfileBar(this);
    m_statusRow = new StatusRow(this);
    buildPages();
    connectParts();
    layoutWidgets();
}

// The stack of the four pages. A page is built when it is first shown or asked for: start-up builds only
// the page the window opens on.
void KorvaneWidget::buildPages() {
    m_pageStack = new QStackedWidget(this);
    m_pageStack->setObjectName(QStringLiteral("pageStack"));
    m_pageStack->setAttribute(Qt::WA_TranslucentBackground);
}

ConfigPage *KorvaneWidget::page(int index) {
    if (index < 0 || index >= kPageCount)
        return nullptr;
    if (m_pages[index])
        return m_pages[index];
    ConfigPage *built = nullptr;
    if (index == kLightingPage)
        built = new VelColorWindow(m_factor, m_pageStack);
    else if (index == kCustomizePage)
        built = new VelBtnWindow(m_factor, m_pageStack);
    else if (index == kDpiPage)
        built = new VelDPIWindow(m_factor, m_pageStack);
    else
        built = new MacroDialog(m_factor, m_pageStack);
    m_pages[index] = built;
    built->setObjectName(QStringLiteral("page%1").arg(index));
    m_pageStack->addWidget(built);
    connect(built, &ConfigPage::ShowMessage, this,
            [this](const QString &text) { VelMessageBox::inform(this, text); });
    connect(built, &ConfigPage::GotoMacroTab, this, &KorvaneWidget::slotGotoMacro);
    connect(built, &ConfigPage::EnableButtonsSignal, this, &KorvaneWidget::slotEnableButtons);
    connect(built, &ConfigPage::WorkingConfigChanged, this, &KorvaneWidget::refreshAllPages);
    if (index == kCustomizePage) {
        m_mouseView = &static_cast<VelBtnWindow *>(built)->mouseView();
        m_mouseView->reload();
    }
    built->setScale(m_factor);
    built->retranslate();
    built->refresh();
    return built;
}

MouseView &KorvaneWidget::mouseView() {
    page(kCustomizePage);
    return *m_mouseView;
}

void KorvaneWidget::connectParts() {
    connect(m_profileBar, &ProfileBar::profileChanged, this, &KorvaneWidget::refreshAllPages);
    connect(m_profileBar, &ProfileBar::sendRequested, this, &KorvaneWidget::sendToDevice);
    connect(m_profileBar, &ProfileBar::profileReset, this, [this] {
        retranslate();
        refreshAllPages();
        sendToDevice();
    });
    connect(m_profileBar, &ProfileBar::configLoaded, this, &KorvaneWidget::onConfigLoaded);
    connect(m_profileBar, &ProfileBar::slotSwitchRequested, this, &KorvaneWidget::switchSlot);
    connect(m_statusRow->button(StatusRow::kResetAll), &QPushButton::clicked, m_profileBar,
            &ProfileBar::resetAllProfiles);
    connect(m_statusRow->button(StatusRow::kLoad), &QPushButton::clicked, m_profileBar,
            &ProfileBar::loadConfigFile);
    connect(m_statusRow->button(StatusRow::kSave), &QPushButton::clicked, m_profileBar,
            &ProfileBar::saveConfigFile);
    connect(m_statusRow->button(StatusRow::kOk), &QPushButton::clicked, this, &KorvaneWidget::okClicked);
    connect(m_statusRow->button(StatusRow::kCancel), &QPushButton::clicked, this,
            &KorvaneWidget::cancelClicked);
    connect(m_statusRow->button(StatusRow::kApply), &QPushButton::clicked, this,
            &KorvaneWidget::sendToDevice);
}

void KorvaneWidget::layoutWidgets() {
    m_minButton->setGeometry(DisplayScale::scaled(kMinimiseRect, m_factor));
    m_closeButton->setGeometry(DisplayScale::scaled(kCloseRect, m_factor));
    m_langButton->setGeometry(DisplayScale::scaled(kLanguageRect, m_factor));
    m_mouseButton->setGeometry(DisplayScale::scaled(kMouseButtonRect, m_factor));
    m_firmwareButton->setGeometry(DisplayScale::scaled(kFirmwareRect, m_factor));
    for (int i = 0; i < kPageCount; ++i) {
        const QRect base(kTabX + i * (kTabWidth + kTabGap), kTabY, kTabWidth, kTabHeight);
        m_tabs[i]->setGeometry(DisplayScale::scaled(base, m_factor));
        if (m_pages[i])
            m_pages[i]->setScale(m_factor);
    }
    m_pageStack->setGeometry(DisplayScale::scaled(kPageRect, m_factor));
    m_profileBar->setScale(m_factor);
    m_statusRow->setScale(m_factor);
}

void KorvaneWidget::retranslate() {
    static const char *const kTabTexts[kPageCount] = {QT_TR_NOOP("LIGHTING"), QT_TR_NOOP("CUSTOMIZE"),
                                                      QT_TR_NOOP("DPI"), QT_TR_NOOP("MACRO")};
    for (int i = 0; i < kPageCount; ++i) {
        m_tabs[i]->setText(tr(kTabTexts[i]));
        if (m_pages[i])
            m_pages[i]->retranslate();
    }
    m_langButton->setText(m_languages->name(m_languages->index()));
    m_firmwareButton->setText(tr("Firmware Update"));
    if (m_trayIcon)
        m_trayIcon->retranslate();
    m_profileBar->retranslate();
    m_statusRow->retranslate();
    // The battery reader restarts with the new texts in place.
    stopBatteryThread();
    startBatteryThread();
    if (m_mouseView)
        m_mouseView->reload();
}

void KorvaneWidget::showLanguageMenu() {
    VelMenu menu(this);
    for (int i = 0; i < qMin(m_languages->count(), int(LanguageTable::kMaxLanguages)); ++i) {
        QAction *action = menu.addAction(m_languages->name(i));
        action->setCheckable(true);
        action->setChecked(i == m_languages->index());
        connect(action, &QAction::triggered, this, [this, i] { setLanguage(i); });
    }
    menu.exec(m_langButton->mapToGlobal(QPoint(0, m_langButton->height())));
}

void KorvaneWidget::setLanguage(int index) {
    if (m_languages->select(index))
        retranslate();
}

void KorvaneWidget::createTray() {
    const QIcon icon(m_appDir + "/skin/icon.ico");
    setWindowIcon(icon);
    m_trayIcon = new KorvaneTray(icon, this);
    connect(m_trayIcon, &KorvaneTray::loadConfigRequested, this, &KorvaneWidget::slotWarning);
    connect(m_trayIcon, &QSystemTrayIcon::activated, this, &KorvaneWidget::iconActivated);
    m_trayIcon->setStartAtLogin(autostart::enabled());
    const int noticeLevel = config::batteryNoticeLevel();
    m_batteryAlert.setNoticeLevel(noticeLevel);
    m_trayIcon->setNoticeLevel(noticeLevel);
    connect(m_trayIcon, &KorvaneTray::startAtLoginToggled, this, &KorvaneWidget::setStartAtLogin);
    connect(m_trayIcon, &KorvaneTray::noticeLevelChosen, this, &KorvaneWidget::setNoticeLevel);
    m_trayIcon->setVisible(true);
    m_trayNotifier = new TrayNotifier(m_trayIcon, this);
    connect(m_trayNotifier, &DesktopNotifier::actionInvoked, this, &KorvaneWidget::onNoticeAction);
    // A tray that comes after the program (a panel started later) gets the icon when it appears.
    m_trayWatch = new QTimer(this);
    connect(m_trayWatch, &QTimer::timeout, this, &KorvaneWidget::followTray);
    m_trayWatch->start(kTrayPollMs * 4);
}

void KorvaneWidget::followTray() {
    if (!trayAvailable())
        return;
    m_trayWatch->stop();
    // Shown again, the icon docks into the tray that is there now.
    m_trayIcon->setVisible(false);
    m_trayIcon->setVisible(true);
}

void KorvaneWidget::setStartAtLogin(bool on) {
    if (!autostart::setEnabled(on, QCoreApplication::applicationFilePath()))
        VelMessageBox::inform(this,
                              tr("The autostart entry %1 could not be changed.").arg(autostart::entryPath()));
    m_trayIcon->setStartAtLogin(autostart::enabled());
}

void KorvaneWidget::setNoticeLevel(int percent) {
    // The level holds for this run whether or not Config.ini keeps it for the next.
    (void)config::setBatteryNoticeLevel(percent);
    m_batteryAlert.setNoticeLevel(percent);
    m_trayIcon->setNoticeLevel(percent);
}

void KorvaneWidget::onNoticeAction(int topic, const QString &actionKey) {
    if (topic == DesktopNotifier::Resend && actionKey == QLatin1String("resend") && m_iMouseCount != 0)
        sendToDevice();
}

void KorvaneWidget::iconActivated(QSystemTrayIcon::ActivationReason reason) {
    if (reason != QSystemTrayIcon::Trigger && reason != QSystemTrayIcon::DoubleClick)
        return;
    if (isHidden())
        slotWarning();
    else if (!s_bWarningShowing)
        hide();
}

void KorvaneWidget::switchPage(int page) {
    if (page < 0 || page >= kPageCount)
        return;
    if (page == kLightingPage && description::ledDisable() != 0)
        page = kCustomizePage;
    m_iPage = page;
    for (int i = 0; i < kPageCount; ++i)
        m_tabs[i]->setChecked(i == page);
    const bool built = m_pages[page] != nullptr;
    ConfigPage *shown = this->page(page);
    // Pages share parts of the profile (the DPI page shows the lighting's sleep time and light-off), so a
    // page shown again shows what another page changed meanwhile. A page just built has shown it already.
    if (built && m_pageStack->currentWidget() != shown)
        shown->refresh();
    m_pageStack->setCurrentWidget(shown);
    update();
}

void KorvaneWidget::refreshAllPages() {
    for (ConfigPage *page : m_pages) {
        if (page)
            page->refresh();
    }
    update();
}

QStringList KorvaneWidget::profileNames() const {
    return m_profileBar->names();
}

void KorvaneWidget::paintEvent(QPaintEvent *) {
    if (!m_linkOpened)
        QTimer::singleShot(0, this, &KorvaneWidget::finishStartUp);
    QPainter painter(this);
    const QPixmap &background = m_backgrounds[m_iDpiVal];
    if (!background.isNull())
        painter.drawPixmap(0, 0, background);
    else
        painter.fillRect(rect(), QColor(24, 24, 27));
}

// With KORVANE_REPORT_SHOWN=1 the first show is reported on stderr, for the start-up benchmark.
void KorvaneWidget::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    if (!m_shownOnce && qEnvironmentVariableIntValue("KORVANE_REPORT_SHOWN") == 1) {
        std::fputs("korvane: window shown\n", stderr);
        std::fflush(stderr);
    }
    m_shownOnce = true;
}

void KorvaneWidget::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    followScreenScale();
}

void KorvaneWidget::moveEvent(QMoveEvent *event) {
    QWidget::moveEvent(event);
    followScreenScale();
}

// A window dragged onto a screen of another DPI takes that screen's scale step.
void KorvaneWidget::followScreenScale() {
    QScreen *screen = QGuiApplication::screenAt(geometry().center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const int step = stepOfScreen(screen);
    if (step != m_iDpiVal)
        applyScaleStep(step);
}

void KorvaneWidget::applyScaleStep(int step) {
    m_iDpiVal = step;
    m_factor = DisplayScale::factorOfStep(step);
    DisplayScale::publish(m_factor);
    const QSize size = windowSizeForStep(step);
    resize(size);
    const QPixmap &background = backgroundForStep(step);
    if (!background.isNull())
        setMask(background.mask());
    if (m_pageStack)
        layoutWidgets();
    qCDebug(lcApp, "width = %d, height = %d m_iDpiVal = %d\n", size.width(), size.height(), m_iDpiVal);
}
