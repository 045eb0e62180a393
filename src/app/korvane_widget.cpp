#include "app/korvane_widget.h"

#include "keys/key_tables.h"
#include "storage/app_paths.h"
#include "storage/config_file.h"
#include "storage/description_file.h"
#include "widgets/ui_language.h"
#include "widgets/vel_push_button.h"

#include <QAction>
#include <QApplication>
#include <QBitmap>
#include <QDebug>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QTranslator>

namespace {
// Base geometry of the window's own controls, before the display scale is applied.
constexpr QRect kMinimiseRect(922, 16, 26, 26);
constexpr QRect kCloseRect(954, 16, 26, 26);
constexpr QRect kLanguageRect(790, 33, 100, 20);
constexpr int kTabX = 40;
constexpr int kTabY = 80;
constexpr int kTabWidth = 140;
constexpr int kTabHeight = 34;
constexpr int kTabGap = 10;
constexpr int kWarningDelayMs = 200;

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
    if (m_iLangNum <= 1)
        m_langButton->hide();
    loadLanguage();

    setStyleSheet(QStringLiteral("*{outline:0px;}"));
    switchPage(0);
    retranslate();
    createTray();
    QTimer::singleShot(kWarningDelayMs, this, &KorvaneWidget::slotWarning);
}

KorvaneWidget::~KorvaneWidget() = default;

QSize KorvaneWidget::windowSizeForStep(int step) {
    const double factor = DisplayScale::factorOfStep(step);
    return QSize(DisplayScale::scaled(kBaseWidth, factor), DisplayScale::scaled(kBaseHeight, factor));
}

bool KorvaneWidget::languageButtonVisible() const {
    return m_langButton && !m_langButton->isHidden();
}

const QPixmap &KorvaneWidget::backgroundForStep(int step) {
    QPixmap &slot = m_backgrounds[step];
    if (slot.isNull() && !m_backgrounds[0].isNull()) {
        const QSize size = windowSizeForStep(step);
        slot = m_backgrounds[0].scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    }
    return slot;
}

void KorvaneWidget::buildWidgets() {
    m_minButton = new VelPushButton(
        {m_appDir + "/skin/min-1.png", m_appDir + "/skin/min-2.png", m_appDir + "/skin/min-3.png"}, this);
    m_minButton->setObjectName(QStringLiteral("minButton"));
    m_closeButton = new VelPushButton(
        {m_appDir + "/skin/close-1.png", m_appDir + "/skin/close-2.png", m_appDir + "/skin/close-3.png"},
        this);
    m_closeButton->setObjectName(QStringLiteral("closeButton"));
    m_langButton = new VelPushButton({m_appDir + "/skin/lang.png"}, this);
    m_langButton->setObjectName(QStringLiteral("langButton"));
    for (int i = 0; i < kPageCount; ++i) {
        m_tabs[i] = new VelPushButton(m_tabImages, this);
        m_tabs[i]->setObjectName(QStringLiteral("tab%1").arg(i));
        m_tabs[i]->setCheckable(true);
        connect(m_tabs[i], &VelPushButton::EnterSignal, this, [this, i] { switchPage(i); });
    }
    for (VelPushButton *button : findChildren<VelPushButton *>())
        connect(button, &QPushButton::clicked, this, &KorvaneWidget::onButtonClicked);
    layoutWidgets();
}

void KorvaneWidget::layoutWidgets() {
    m_minButton->setGeometry(scaledRect(kMinimiseRect, m_factor));
    m_closeButton->setGeometry(scaledRect(kCloseRect, m_factor));
    m_langButton->setGeometry(scaledRect(kLanguageRect, m_factor));
    for (int i = 0; i < kPageCount; ++i) {
        const QRect base(kTabX + i * (kTabWidth + kTabGap), kTabY, kTabWidth, kTabHeight);
        m_tabs[i]->setGeometry(scaledRect(base, m_factor));
    }
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
    if (m_loadConfigAction) {
        m_loadConfigAction->setText(tr("&Load Config"));
        m_quitAction->setText(tr("&Quit"));
    }
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
    else
        hide();
}

void KorvaneWidget::slotWarning() {
    setWindowOpacity(1.0);
    showNormal();
    raise();
    activateWindow();
}

void KorvaneWidget::switchPage(int page) {
    if (page < 0 || page >= kPageCount)
        return;
    if (page == 0 && description::ledDisable() != 0)
        page = 1;
    m_iPage = page;
    for (int i = 0; i < kPageCount; ++i)
        m_tabs[i]->setChecked(i == page);
    update();
}

void KorvaneWidget::onButtonClicked() {
    QObject *button = sender();
    if (button == m_closeButton)
        hide();
    else if (button == m_minButton)
        showMinimized();
    else if (button == m_langButton)
        showLanguageMenu();
}

void KorvaneWidget::showLanguageMenu() {
    QMenu menu(this);
    menu.setFont(UiLanguage::font());
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

void KorvaneWidget::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    const QPixmap &background = m_backgrounds[m_iDpiVal];
    if (!background.isNull())
        painter.drawPixmap(0, 0, background);
    else
        painter.fillRect(rect(), QColor(24, 24, 27));
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
    setMinimumSize(kBaseWidth, kBaseHeight);
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
