#include "app/korvane_widget.h"

#include "app/device_presence.h"
#include "device/battery_thread_controller.h"
#include "device/device_state.h"
#include "keys/key_tables.h"
#include "platform/local_osd_messenger.h"
#include "storage/app_paths.h"
#include "storage/config_file.h"
#include "storage/description_file.h"
#include "widgets/ui_language.h"
#include "widgets/vel_label.h"
#include "widgets/vel_line_edit.h"
#include "widgets/vel_menu.h"
#include "widgets/vel_processbar.h"
#include "widgets/vel_push_button.h"

#include <QAction>
#include <QApplication>
#include <QBitmap>
#include <QDebug>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QTranslator>
#include <cstdio>

namespace {
// Base geometry of the window's controls, before the display scale is applied.
constexpr QRect kMinimiseRect(922, 16, 26, 26);
constexpr QRect kCloseRect(954, 16, 26, 26);
constexpr QRect kLanguageRect(790, 33, 100, 20);
constexpr QRect kMouseButtonRect(670, 33, 100, 20);
constexpr int kTabX = 330;
constexpr int kTabY = 80;
constexpr int kTabWidth = 140;
constexpr int kTabHeight = 34;
constexpr int kTabGap = 10;
// The page area; the dark panel behind the DPI page covers it.
constexpr QRect kPageRect(320, 124, 652, 432);
constexpr QRect kBatteryPictureRect(69, 581, 86, 47);

QRect scaledRect(const QRect &base, double factor) {
    return QRect(DisplayScale::scaled(base.x(), factor), DisplayScale::scaled(base.y(), factor),
                 DisplayScale::scaled(base.width(), factor), DisplayScale::scaled(base.height(), factor));
}

QScreen *primaryScreen() {
    return QGuiApplication::primaryScreen();
}

int stepOfScreen(const QScreen *screen) {
    return screen ? DisplayScale::stepForDpi(screen->logicalDotsPerInch()) : 0;
}
} // namespace

bool KorvaneWidget::s_bWarningShowing = false;

bool KorvaneWidget::warningShowing() {
    return s_bWarningShowing;
}

KorvaneWidget::KorvaneWidget(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("KorvaneWidget"));
    resize(400, 300);
    setWindowTitle(tr("Korvane Config"));

    m_appDir = AppPaths::applicationDir();
    m_backgrounds[0].load(m_appDir + "/skin/cfgMainback.png");
    m_batteryFull.load(m_appDir + "/skin/bat1.png");
    m_batteryEmpty.load(m_appDir + "/skin/bat2.png");

    m_iDpiVal = stepOfScreen(primaryScreen());
    m_iPrevDpiVal = m_iDpiVal;
    m_factor = DisplayScale::factorOfStep(m_iDpiVal);
    DisplayScale::publish(m_factor);
    setBaseSize(kBaseWidth, kBaseHeight);
    setMinimumSize(kBaseWidth, kBaseHeight);
    const QSize size = windowSizeForStep(m_iDpiVal);
    resize(size);
    m_iWidth = size.width();
    m_iHeight = size.height();
    if (const QScreen *screen = primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - m_iWidth) / 2, area.y() + (area.height() - m_iHeight) / 2);
    }
    const QPixmap &background = backgroundForStep(m_iDpiVal);
    if (!background.isNull())
        setMask(background.mask());

    m_osd = std::make_unique<LocalOsdMessenger>(m_appDir);
    m_presence = std::make_unique<DevicePresence>();
    m_batteryThreads = new BatteryThreadController(this);
    connect(m_batteryThreads, &BatteryThreadController::RefreshBatteryStatus, this,
            &KorvaneWidget::slotRefreshBatteryStatus);
    connect(m_batteryThreads, &BatteryThreadController::RefreshStatus, this,
            &KorvaneWidget::slotRefreshStatus);
    connect(m_batteryThreads, &BatteryThreadController::RefreshWriteStatus, this,
            &KorvaneWidget::slotRefreshWriteStatus);
    if (!m_presence->startNotifications())
        qDebug() << "hot-plug notifications unavailable";

    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    m_tabImages = QStringList{m_appDir + "/skin/tabbutton-1.png", m_appDir + "/skin/tabbutton-3.png",
                              m_appDir + "/skin/tabbutton-2.png"};

    m_iLangIndex = config::languageIndex();
    SetKeyLayoutLanguages(description::frenchLanguage(), description::germanLanguage());
    UiLanguage::setIndex(m_iLangIndex);
    m_translator = new QTranslator(this);
    LanguageTable table;
    config::readLanguageTable(table);
    m_iLangNum = table.count;
    for (int i = 0; i < LanguageTable::kMaxLanguages; ++i) {
        m_langNames << table.names[i];
        m_langFiles << table.files[i];
    }

    buildWidgets();
    m_presence->start();
    refreshMouseList();
    if (m_iLangNum <= 1)
        m_langButton->hide();
    loadLanguage();

    m_iBatteryFull = config::batteryFull();
    startDeviceLink();
    loadStoredConfig();
    refreshProfileList();

    switchPage(description::ledDisable() != 0 ? kCustomizePage : kLightingPage);
    retranslate();
    showCurrentProfileName();

    setStyleSheet(QStringLiteral("*{outline:0px;}"));
    createTray();
    // Until the mouse reports, the window shows the level the last run stored (the first report of a
    // fresh start would otherwise be preceded by a made-up 10 % that also replaced the stored level).
    m_iBatteryLevel = qBound(0, config::batteryValue(), 100);
    showBatteryLevel();
    QTimer::singleShot(kWarningDelayMs, this, &KorvaneWidget::slotWarning);
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

const QPixmap &KorvaneWidget::backgroundForStep(int step) {
    QPixmap &slot = m_backgrounds[step];
    if (slot.isNull() && !m_backgrounds[0].isNull()) {
        const QSize size = windowSizeForStep(step);
        slot = m_backgrounds[0].scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    }
    return slot;
}

VelPushButton *KorvaneWidget::makeButton(const QStringList &images, const char *name) {
    QStringList files;
    for (const QString &image : images)
        files << (image.startsWith('/') ? image : m_appDir + "/skin/" + image);
    auto *button = new VelPushButton(files, this);
    button->setObjectName(QString::fromLatin1(name));
    connect(button, &QPushButton::clicked, this, &KorvaneWidget::onButtonClicked);
    return button;
}

void KorvaneWidget::buildWidgets() {
    m_minButton = makeButton({"min-1.png", "min-2.png", "min-3.png"}, "minButton");
    m_closeButton = makeButton({"close-1.png", "close-2.png", "close-3.png"}, "closeButton");
    m_langButton = makeButton({"lang.png"}, "langButton");
    m_mouseButton = makeButton(m_tabImages, "mouseButton");
    m_mouseMenu = new VelMenu(this);
    connect(m_mouseMenu, &QMenu::triggered, this, &KorvaneWidget::slot_show_mousename);
    for (int i = 0; i < kPageCount; ++i) {
        m_tabs[i] = makeButton(m_tabImages, qPrintable(QStringLiteral("tab%1").arg(i)));
        m_tabs[i]->setCheckable(true);
        connect(m_tabs[i], &VelPushButton::EnterSignal, this, [this, i] { switchPage(i); });
    }
    for (int i = 0; i < kPageCount; ++i) {
        m_pages[i] = new QWidget(this);
        m_pages[i]->setObjectName(QStringLiteral("page%1").arg(i));
        m_pages[i]->setAttribute(Qt::WA_TranslucentBackground);
    }
    buildProfileBar();
    buildBottomRow();
    buildMouseView();
    layoutWidgets();
}

void KorvaneWidget::layoutWidgets() {
    m_minButton->setGeometry(scaledRect(kMinimiseRect, m_factor));
    m_closeButton->setGeometry(scaledRect(kCloseRect, m_factor));
    m_langButton->setGeometry(scaledRect(kLanguageRect, m_factor));
    m_mouseButton->setGeometry(scaledRect(kMouseButtonRect, m_factor));
    for (int i = 0; i < kPageCount; ++i) {
        const QRect base(kTabX + i * (kTabWidth + kTabGap), kTabY, kTabWidth, kTabHeight);
        m_tabs[i]->setGeometry(scaledRect(base, m_factor));
        m_pages[i]->setGeometry(scaledRect(kPageRect, m_factor));
    }
    struct Place {
        QWidget *widget;
        QRect base;
    };
    const Place places[] = {
        {m_nameLabel, {32, 82, 120, 20}},          {m_nameEdit, {32, 104, 206, 30}},
        {m_profileDropButton, {242, 104, 30, 30}}, {m_slotButton, {32, 146, 118, 30}},
        {m_slotSelector, {154, 146, 118, 30}},     {m_addButton, {32, 192, 118, 28}},
        {m_deleteButton, {154, 192, 118, 28}},     {m_copyButton, {32, 228, 118, 28}},
        {m_resetButton, {154, 228, 118, 28}},      {m_exportButton, {32, 268, 28, 28}},
        {m_importButton, {66, 268, 28, 28}},       {m_firmwareButton, {32, 520, 240, 30}},
        {m_batteryBar, {160, 596, 110, 18}},       {m_lightningLabel, {274, 590, 14, 22}},
        {m_receiverLabel, {292, 592, 60, 30}},     {m_versionLabel, {362, 580, 150, 22}},
        {m_modelLabel, {362, 604, 150, 22}},       {m_resetAllButton, {520, 592, 72, 30}},
        {m_load1Button, {597, 592, 72, 30}},       {m_saveButton, {674, 592, 72, 30}},
        {m_okButton, {751, 592, 72, 30}},          {m_cancelButton, {828, 592, 72, 30}},
        {m_applyButton, {905, 592, 72, 30}},       {m_frontButton, {10, 8, 70, 26}},
        {m_sideButton, {84, 8, 70, 26}},           {m_mouseView, {196, 20, 260, 360}},
    };
    for (const Place &place : places)
        place.widget->setGeometry(scaledRect(place.base, m_factor));
    // Captions beside the buttons of the mouse picture, in page coordinates; left side, then right.
    static const QRect kLabelRects[] = {
        {20, 110, 160, 24},  {472, 110, 160, 24}, {472, 70, 160, 24},  {20, 230, 160, 24},
        {20, 190, 160, 24},  {472, 150, 160, 24}, {472, 190, 160, 24}, {20, 270, 160, 24},
        {472, 230, 160, 24}, {20, 310, 160, 24},  {472, 270, 160, 24}, {20, 350, 160, 24},
        {472, 310, 160, 24}, {20, 30, 160, 24},   {472, 30, 160, 24},  {20, 390, 160, 24},
        {472, 350, 160, 24}, {20, 70, 160, 24},   {472, 390, 160, 24}, {20, 150, 160, 24}};
    for (int i = 0; i < kMouseLabelCount; ++i)
        m_mouseLabels[i]->setGeometry(scaledRect(kLabelRects[i], m_factor));
    m_wheelLabels[0]->setGeometry(scaledRect({340, 62, 24, 24}, m_factor));
    m_wheelLabels[1]->setGeometry(scaledRect({340, 96, 24, 24}, m_factor));
    loadMousePictures();
}

void KorvaneWidget::loadLanguage() {
    qApp->removeTranslator(m_translator);
    if (m_iLangIndex < 0 || m_iLangIndex >= m_langFiles.size())
        return;
    const QString file = m_appDir + "/lang/" + m_langFiles.at(m_iLangIndex) + ".qm";
    if (m_translator->load(file))
        qApp->installTranslator(m_translator);
}

void KorvaneWidget::retranslate() {
    static const char *const kTabTexts[kPageCount] = {QT_TR_NOOP("LIGHTING"), QT_TR_NOOP("CUSTOMIZE"),
                                                      QT_TR_NOOP("DPI"), QT_TR_NOOP("MACRO")};
    for (int i = 0; i < kPageCount; ++i)
        m_tabs[i]->setText(tr(kTabTexts[i]));
    if (m_iLangIndex >= 0 && m_iLangIndex < m_langNames.size())
        m_langButton->setText(m_langNames.at(m_iLangIndex));
    m_nameLabel->setText(tr("NAME"));
    m_nameEdit->setToolTip(tr("Press Enter To Apply"));
    m_addButton->setText(tr("ADD"));
    m_deleteButton->setText(tr("DELETE"));
    m_copyButton->setText(tr("COPY"));
    m_resetButton->setText(tr("RESET"));
    m_exportButton->setToolTip(tr("Save Profile File"));
    m_importButton->setToolTip(tr("Load Profile File"));
    m_resetAllButton->setText(tr("Reset All"));
    m_okButton->setText(tr("OK"));
    m_cancelButton->setText(tr("Cancel"));
    m_applyButton->setText(tr("Apply"));
    m_load1Button->setText(tr("LOAD1"));
    m_saveButton->setText(tr("SAVE"));
    m_slotButton->setText(tr("Profile") + " 1");
    m_slotSelector->setText(tr("Profile") + " 1");
    m_firmwareButton->setText(tr("Firmware Update"));
    m_frontButton->setText(tr("Front"));
    m_sideButton->setText(tr("Side"));
    m_versionLabel->setText(tr("Version") + " " + description::version());
    m_modelLabel->setText(config::modelText());
    if (m_loadConfigAction) {
        m_loadConfigAction->setText(tr("&Load Config"));
        m_quitAction->setText(tr("&Quit"));
    }
    buildProfileMenu();
    if (DeviceState::instance().mouseOff())
        m_batteryBar->setBarText(tr("MOUSE OFF"));
    // The battery reader restarts with the new texts in place.
    stopBatteryThread();
    startBatteryThread();
    loadMousePictures();
}

void KorvaneWidget::showLanguageMenu() {
    VelMenu menu(this);
    for (int i = 0; i < qMin(m_iLangNum, int(LanguageTable::kMaxLanguages)); ++i) {
        QAction *action = menu.addAction(m_langNames.at(i));
        action->setCheckable(true);
        action->setChecked(i == m_iLangIndex);
        connect(action, &QAction::triggered, this, [this, i] { setLanguage(i); });
    }
    menu.exec(m_langButton->mapToGlobal(QPoint(0, m_langButton->height())));
}

void KorvaneWidget::setLanguage(int index) {
    if (index == m_iLangIndex)
        return;
    m_iLangIndex = index;
    config::setLanguageIndex(index);
    UiLanguage::setIndex(index);
    loadLanguage();
    retranslate();
}

void KorvaneWidget::createTray() {
    m_loadConfigAction = new QAction(tr("&Load Config"), this);
    connect(m_loadConfigAction, &QAction::triggered, this, &KorvaneWidget::slotWarning);
    m_quitAction = new QAction(tr("&Quit"), this);
    connect(m_quitAction, &QAction::triggered, qApp, &QCoreApplication::quit);
    m_trayMenu = new QMenu(this);
    m_trayMenu->addAction(m_loadConfigAction);
    m_trayMenu->addAction(m_quitAction);
    m_trayIcon = new QSystemTrayIcon(this);
    m_trayIcon->setContextMenu(m_trayMenu);
    connect(m_trayIcon, &QSystemTrayIcon::activated, this, &KorvaneWidget::iconActivated);
    const QIcon icon(m_appDir + "/skin/icon.ico");
    setWindowIcon(icon);
    m_trayIcon->setIcon(icon);
    m_trayIcon->setToolTip(config::currentProductName());
    m_trayIcon->setVisible(true);
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
    showPageWidgets();
    update();
}

void KorvaneWidget::showPageWidgets() {
    for (int i = 0; i < kPageCount; ++i)
        m_pages[i]->setVisible(i == m_iPage);
}

void KorvaneWidget::onButtonClicked() {
    QObject *button = sender();
    if (button == m_closeButton)
        hide();
    else if (button == m_minButton)
        showMinimized();
    else if (button == m_langButton)
        showLanguageMenu();
    else if (button == m_mouseButton && m_mouseMenu)
        m_mouseMenu->exec(m_mouseButton->mapToGlobal(QPoint(0, m_mouseButton->height())));
    else if (button == m_profileDropButton)
        m_profileMenu->exec(m_nameEdit->mapToGlobal(QPoint(0, m_nameEdit->height())));
    else if (button == m_slotSelector)
        m_slotMenu->exec(m_slotSelector->mapToGlobal(QPoint(0, m_slotSelector->height())));
    else if (button == m_slotButton)
        selectSlot();
    else if (button == m_addButton)
        addProfile();
    else if (button == m_copyButton)
        copyProfile();
    else if (button == m_deleteButton)
        deleteProfile();
    else if (button == m_resetButton)
        resetProfile();
    else if (button == m_resetAllButton)
        resetAllProfiles();
    else if (button == m_exportButton)
        exportProfile();
    else if (button == m_importButton)
        importProfile();
    else if (button == m_load1Button)
        loadConfigFile();
    else if (button == m_saveButton)
        saveConfigFile();
    else if (button == m_okButton)
        okClicked();
    else if (button == m_cancelButton)
        cancelClicked();
    else if (button == m_applyButton)
        applyClicked();
    else if (button == m_firmwareButton)
        startFirmwareUpdate();
    else if (button == m_frontButton || button == m_sideButton) {
        m_sideView = button == m_sideButton;
        loadMousePictures();
    } else {
        for (int i = 0; i < kPageCount; ++i) {
            if (button == m_tabs[i])
                switchPage(i);
        }
    }
}

void KorvaneWidget::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    const QPixmap &background = m_backgrounds[m_iDpiVal];
    if (!background.isNull())
        painter.drawPixmap(0, 0, background);
    else
        painter.fillRect(rect(), QColor(24, 24, 27));
    const bool onBattery = m_iConnectState == 2 || m_iConnectState == 3;
    const QPixmap &batteryPicture = onBattery ? m_batteryFull : m_batteryEmpty;
    if (!batteryPicture.isNull()) {
        const QRect area = scaledRect(kBatteryPictureRect, m_factor);
        const QPixmap scaled =
            batteryPicture.scaled(area.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
        painter.drawPixmap(area.topLeft(), scaled);
    }
    if (m_iPage == kDpiPage)
        painter.fillRect(scaledRect(kPageRect, m_factor), QColor(25, 25, 25, 204));
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
        screen = primaryScreen();
    const int step = stepOfScreen(screen);
    if (step != m_iPrevDpiVal)
        applyScaleStep(step);
}

void KorvaneWidget::applyScaleStep(int step) {
    m_iDpiVal = step;
    m_iPrevDpiVal = step;
    m_factor = DisplayScale::factorOfStep(step);
    DisplayScale::publish(m_factor);
    const QSize size = windowSizeForStep(step);
    m_iWidth = size.width();
    m_iHeight = size.height();
    resize(size);
    const QPixmap &background = backgroundForStep(step);
    if (!background.isNull())
        setMask(background.mask());
    layoutWidgets();
    qDebug("width = %d, height = %d m_iDpiVal = %d\n", m_iWidth, m_iHeight, m_iDpiVal);
}

void KorvaneWidget::mousePressEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton) {
        m_dragging = true;
        m_pressPos = event->pos();
    }
    QWidget::mousePressEvent(event);
}

void KorvaneWidget::mouseMoveEvent(QMouseEvent *event) {
    if (m_dragging && (event->buttons() & Qt::LeftButton)) {
        const QPoint delta = event->pos() - m_pressPos;
        if (delta.manhattanLength() > kDragThreshold)
            move(event->globalPos() - m_pressPos);
    }
    QWidget::mouseMoveEvent(event);
}

void KorvaneWidget::mouseReleaseEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton)
        m_dragging = false;
    QWidget::mouseReleaseEvent(event);
}
