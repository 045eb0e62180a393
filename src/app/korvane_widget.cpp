#include "app/korvane_widget.h"

#include "app/app_log.h"
#include "app/korvane_tray.h"
#include "app/language_menu.h"
#include "app/link_switcher.h"
#include "app/mouse_menu.h"
#include "app/mouse_notices.h"
#include "app/page_tabs.h"
#include "app/profile_bar.h"
#include "app/status_row.h"
#include "app/tray_notifier.h"
#include "keys/key_tables.h"
#include "platform/device_notifier.h"
#include "storage/app_paths.h"
#include "storage/description_file.h"
#include "widgets/language_switch.h"
#include "widgets/skin_pictures.h"
#include "widgets/vel_line_edit.h"
#include "widgets/vel_message_box.h"
#include "widgets/vel_push_button.h"
#include "widgets/window_drag.h"

#include <QApplication>
#include <QBitmap>
#include <QCloseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <cstdio>

namespace {
// Base geometry of the window's controls, before the display scale is applied.
constexpr QRect kMinimiseRect(922, 16, 26, 26);
constexpr QRect kCloseRect(954, 16, 26, 26);
constexpr QRect kLanguageRect(790, 33, 100, 20);
constexpr QRect kMouseButtonRect(670, 33, 100, 20);
constexpr QRect kFirmwareRect(32, 520, 240, 30);
// The page area.
constexpr QRect kPageRect(320, 124, 652, 432);

int stepOfScreen(const QScreen *screen) {
    return screen ? DisplayScale::stepForDpi(screen->logicalDotsPerInch()) : 0;
}
} // namespace

KorvaneWidget::KorvaneWidget(HidBackend &backend, std::unique_ptr<DeviceNotifier> notifier, QWidget *parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("KorvaneWidget"));
    resize(400, 300);
    setWindowTitle(tr("Korvane Config"));

    m_appDir = AppPaths::applicationDir();

    setBaseSize(kBaseWidth, kBaseHeight);
    setMinimumSize(kBaseWidth, kBaseHeight);
    applyScaleStep(stepOfScreen(QGuiApplication::primaryScreen()));
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }

    m_notices = new MouseNotices(m_appDir, this);
    m_monitor = new ConnectionMonitor(backend, std::move(notifier), this);

    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    new WindowDrag(this, kDragThreshold);
    setAttribute(Qt::WA_TranslucentBackground);

    SetKeyLayoutLanguages(description::frenchLanguage(), description::germanLanguage());
    m_languages = new LanguageSwitch(this);

    buildWidgets();
    connectMonitor();
    m_monitor->start();
    m_languages->install();

    QTimer::singleShot(0, this, [this] {
        if (!isVisible())
            finishStartUp();
    });
    m_profileBar->loadStoredConfig();
    m_profileBar->reload();

    switchPage(PageStack::kLightingPage);
    refreshAllPages();
    retranslate();
    m_profileBar->showCurrentName();
    markClean();

    setStyleSheet(QStringLiteral("*{outline:0px;}"));
    createTray();
    m_statusRow->follow(*m_monitor);
    m_monitor->scheduleStartupWarning();
    // The background is wanted last: main() has it read on a thread while the window is built.
    applyMask();
}

KorvaneWidget::~KorvaneWidget() {
    // The mouse is closed before the window it reports to goes.
    delete m_monitor;
    m_monitor = nullptr;
}

QSize KorvaneWidget::windowSizeForStep(int step) {
    const double factor = DisplayScale::factorOfStep(step);
    return QSize(DisplayScale::scaled(kBaseWidth, factor), DisplayScale::scaled(kBaseHeight, factor));
}

void KorvaneWidget::startHidden() {
    m_monitor->skipStartupWarning();
    hide();
    connect(m_trayIcon, &KorvaneTray::trayMissing, this, [this] {
        setWindowOpacity(1.0);
        showMinimized();
    });
    m_trayIcon->waitForTray();
}

void KorvaneWidget::closeWindow() {
    if (KorvaneTray::available()) {
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
    if (m_backgrounds[0].isNull())
        m_backgrounds[0] = SkinPictures::picture(QStringLiteral("cfgMainback.png"));
    QPixmap &slot = m_backgrounds[step];
    if (slot.isNull() && !m_backgrounds[0].isNull()) {
        const QSize size = windowSizeForStep(step);
        slot = m_backgrounds[0].scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    }
    return slot;
}

// The background as painted: the step's copy (whose outline is also the window's mask), or where the window
// is shown above scale 1, the picture painted at twice the size brought to the window's own pixels.
const QPixmap &KorvaneWidget::paintedBackground() {
    if (SkinPictures::displayScale() <= 1.0)
        return m_backgrounds[m_iDpiVal];
    const qreal ratio = devicePixelRatioF();
    const QSize pixels(qRound(width() * ratio), qRound(height() * ratio));
    if (m_sharpBackground.size() != pixels) {
        m_sharpBackground = SkinPictures::sharp(QStringLiteral("cfgMainback.png"), 2.0)
                                .scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        m_sharpBackground.setDevicePixelRatio(ratio);
    }
    return m_sharpBackground;
}

VelPushButton *KorvaneWidget::makeButton(const QStringList &images, const char *name) {
    return VelPushButton::fromSkin(images, name, this);
}

void KorvaneWidget::buildWidgets() {
    m_minButton = makeButton({"min-1.png", "min-2.png", "min-3.png"}, "minButton");
    connect(m_minButton, &QPushButton::clicked, this, &QWidget::showMinimized);
    m_closeButton = makeButton({"close-1.png", "close-2.png", "close-3.png"}, "closeButton");
    connect(m_closeButton, &QPushButton::clicked, this, &KorvaneWidget::closeWindow);
    m_languageMenu = new LanguageMenu(*m_languages, this);
    connect(m_languageMenu, &LanguageMenu::languageChosen, this, &KorvaneWidget::setLanguage);
    m_mouseMenu = new MouseMenu(this);
    connect(m_mouseMenu, &MouseMenu::mouseChosen, this, &KorvaneWidget::chooseMouse);
    m_firmwareButton = makeButton(VelPushButton::tabImages(), "firmwareButton");
    connect(m_firmwareButton, &QPushButton::clicked, this, &KorvaneWidget::startFirmwareUpdate);
    m_tabs = new PageTabs(this);
    connect(m_tabs, &PageTabs::pageChosen, this, &KorvaneWidget::switchPage);
    m_profileBar = new ProfileBar(this);
    m_statusRow = new StatusRow(this);
    m_pages = new PageStack(this);
    connectParts();
    layoutWidgets();
}

ConfigPage *KorvaneWidget::page(int index) {
    return m_pages->page(index);
}

MouseView &KorvaneWidget::mouseView() {
    return m_pages->mouseView();
}

void KorvaneWidget::connectParts() {
    connect(m_pages, &PageStack::ShowMessage, this,
            [this](const QString &text) { VelMessageBox::inform(this, text); });
    connect(m_pages, &PageStack::GotoMacroTab, this, &KorvaneWidget::switchPage);
    connect(m_pages, &PageStack::EnableButtonsSignal, this, &KorvaneWidget::enableButtons);
    connect(m_pages, &PageStack::WorkingConfigChanged, this, &KorvaneWidget::refreshAllPages);
    connect(m_profileBar, &ProfileBar::profileChanged, this, &KorvaneWidget::refreshAllPages);
    // A profile switched to, added, copied or imported is what its file holds.
    connect(m_profileBar, &ProfileBar::profileChanged, this, &KorvaneWidget::markClean);
    connect(m_profileBar, &ProfileBar::listChanged, this, &KorvaneWidget::profilesChanged);
    connect(m_profileBar, &ProfileBar::linksChanged, this, [this] {
        if (m_linkSwitcher)
            m_linkSwitcher->reloadLinks();
    });
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
    m_languageMenu->setGeometry(DisplayScale::scaled(kLanguageRect, m_factor));
    m_mouseMenu->setGeometry(DisplayScale::scaled(kMouseButtonRect, m_factor));
    m_firmwareButton->setGeometry(DisplayScale::scaled(kFirmwareRect, m_factor));
    m_tabs->setScale(m_factor);
    m_pages->setGeometry(DisplayScale::scaled(kPageRect, m_factor));
    m_pages->setScale(m_factor);
    m_profileBar->setScale(m_factor);
    m_statusRow->setScale(m_factor);
}

void KorvaneWidget::retranslate() {
    m_tabs->retranslate();
    m_pages->retranslate();
    m_languageMenu->retranslate();
    m_firmwareButton->setText(tr("Firmware Update"));
    if (m_trayIcon)
        m_trayIcon->retranslate();
    m_profileBar->retranslate();
    m_statusRow->retranslate();
    // The battery reader restarts with the new texts in place.
    m_monitor->restartReader();
}

void KorvaneWidget::setLanguage(int index) {
    if (m_languages->select(index))
        retranslate();
}

void KorvaneWidget::createTray() {
    const QIcon icon(m_appDir + "/skin/icon.ico");
    setWindowIcon(icon);
    m_trayIcon = new KorvaneTray(icon, this);
    connect(m_trayIcon, &KorvaneTray::loadConfigRequested, m_monitor, &ConnectionMonitor::requestWarning);
    connect(m_trayIcon, &QSystemTrayIcon::activated, this, &KorvaneWidget::iconActivated);
    connect(m_trayIcon, &KorvaneTray::startAtLoginFailed, this, [this](const QString &entryPath) {
        VelMessageBox::inform(this, tr("The autostart entry %1 could not be changed.").arg(entryPath));
    });
    m_trayIcon->follow(*m_monitor);
    m_trayIcon->setNoticeLevel(m_monitor->noticeLevel());
    connect(m_trayIcon, &KorvaneTray::noticeLevelChosen, this, &KorvaneWidget::setNoticeLevel);
    m_trayIcon->dock();
    m_notices->setFallback(new TrayNotifier(m_trayIcon, this));
}

void KorvaneWidget::setNoticeLevel(int percent) {
    m_monitor->setNoticeLevel(percent);
    m_trayIcon->setNoticeLevel(percent);
}

void KorvaneWidget::iconActivated(QSystemTrayIcon::ActivationReason reason) {
    if (reason != QSystemTrayIcon::Trigger && reason != QSystemTrayIcon::DoubleClick)
        return;
    if (isHidden())
        m_monitor->requestWarning();
    else if (!m_monitor->warningShowing())
        hide();
}

void KorvaneWidget::switchPage(int page) {
    if (page < 0 || page >= PageStack::kPageCount)
        return;
    m_iPage = m_pages->showPage(page);
    m_tabs->setCurrent(m_iPage);
    update();
}

void KorvaneWidget::refreshAllPages() {
    m_pages->refreshAll();
    update();
}

// While a page records (a macro), everything else of the window waits; the page's own controls stay.
void KorvaneWidget::enableButtons(bool enable) {
    m_buttonsEnabled = enable;
    for (VelPushButton *button : findChildren<VelPushButton *>()) {
        if (button != m_closeButton && button != m_minButton && !m_pages->isAncestorOf(button))
            button->setEnabled(enable);
    }
    m_profileBar->nameEdit()->setEnabled(enable);
}

QStringList KorvaneWidget::profileNames() const {
    return m_profileBar->names();
}

void KorvaneWidget::paintEvent(QPaintEvent *) {
    if (!m_startUpFinished)
        QTimer::singleShot(0, this, &KorvaneWidget::finishStartUp);
    QPainter painter(this);
    const QPixmap &background = paintedBackground();
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

// The window's outline is the background's: its transparent corners let the desktop through.
void KorvaneWidget::applyMask() {
    const QPixmap &background = backgroundForStep(m_iDpiVal);
    if (!background.isNull())
        setMask(background.mask());
}

void KorvaneWidget::applyScaleStep(int step) {
    m_iDpiVal = step;
    m_factor = DisplayScale::factorOfStep(step);
    DisplayScale::publish(m_factor);
    const QSize size = windowSizeForStep(step);
    resize(size);
    if (m_pages) {
        applyMask();
        layoutWidgets();
    }
    qCDebug(lcApp, "width = %d, height = %d m_iDpiVal = %d\n", size.width(), size.height(), m_iDpiVal);
}
