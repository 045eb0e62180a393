#include "app/linked_programs_dialog.h"

#include "platform/linux/process_watcher.h"
#include "storage/app_paths.h"
#include "storage/config_file.h"
#include "widgets/accent_color.h"
#include "widgets/ui_language.h"
#include "widgets/vel_action.h"
#include "widgets/vel_file_dialog.h"
#include "widgets/vel_label.h"
#include "widgets/vel_menu.h"
#include "widgets/vel_message_box.h"

#include <QActionGroup>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLocale>
#include <QPainter>
#include <QSet>
#include <QToolButton>
#include <QTreeWidget>
#include <algorithm>

namespace {
constexpr QRect kHintRect(24, 54, 572, 38);
constexpr QRect kListRect(24, 96, 572, 196);
constexpr int kProfileColumnWidth = 120;
constexpr int kWayColumnWidth = 250;
constexpr int kRowHeight = 30;
constexpr int kIconSize = 20;
constexpr int kAnswerTop = 426;

enum Column { ProgramColumn, ProfileColumn, WayColumn };

struct RunningProgram {
    QString program; // what the link will name: the file name, or the path where two share one
    ProgramLook look;
};

// The running programs that can be linked, each executable once: those the desktop has entries for first,
// then the rest, each part by name. Processes whose executable cannot be read (kernel threads, other
// users' programs) and this program itself are left out.
QVector<RunningProgram> runningPrograms(const ProcessWatcher &watcher, const QVector<DesktopEntry> &entries) {
    const QString own = QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath();
    QSet<QString> paths;
    for (const ProcessWatcher::Program &program : watcher.programs()) {
        if (!program.path.isEmpty() && program.path != own)
            paths.insert(program.path);
    }
    QHash<QString, int> nameCount;
    for (const QString &path : paths)
        ++nameCount[QFileInfo(path).fileName()];
    QVector<RunningProgram> running;
    for (const QString &path : paths) {
        const QString fileName = QFileInfo(path).fileName();
        running.append({nameCount.value(fileName) > 1 ? path : fileName, lookOfProgram(entries, path)});
    }
    std::sort(running.begin(), running.end(), [](const RunningProgram &a, const RunningProgram &b) {
        if (a.look.fromEntry != b.look.fromEntry)
            return a.look.fromEntry;
        const int byName = a.look.name.compare(b.look.name, Qt::CaseInsensitive);
        return byName != 0 ? byName < 0 : a.program < b.program;
    });
    return running;
}

// A program without an icon of its own gets its initial on a tile, so that the rows stay aligned.
QPixmap initialTile(const QString &name, int size) {
    QPixmap tile(size, size);
    tile.fill(Qt::transparent);
    QPainter painter(&tile);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(90, 90, 100), 1));
    painter.setBrush(QColor(44, 44, 52));
    painter.drawRoundedRect(QRectF(0.5, 0.5, size - 1, size - 1), size / 5.0, size / 5.0);
    QFont font = UiLanguage::font();
    font.setPixelSize(qMax(1, size * 3 / 5));
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(AccentColor::current());
    painter.drawText(QRect(0, 0, size, size), Qt::AlignCenter, name.left(1).toUpper());
    return tile;
}

QIcon programIcon(const ProgramLook &look, int size) {
    QIcon icon;
    if (QDir::isAbsolutePath(look.icon)) {
        if (QFileInfo::exists(look.icon))
            icon = QIcon(look.icon);
    } else if (!look.icon.isEmpty()) {
        icon = QIcon::fromTheme(look.icon);
    }
    if (!icon.isNull())
        return icon;
    // The same tile on a selected row: the style would tint it otherwise.
    const QPixmap tile = initialTile(look.name, size);
    icon.addPixmap(tile, QIcon::Normal);
    icon.addPixmap(tile, QIcon::Selected);
    return icon;
}

// The skin's drop-down buttons show their choice as text; the arrow of the menu would crowd it.
void makeMenuButton(QToolButton *button, QMenu *menu) {
    button->setStyleSheet(
        button->styleSheet() +
        QStringLiteral("QToolButton::menu-indicator{image: none;} QToolButton{padding: 0 6px;}"));
    button->setMenu(menu);
    button->setPopupMode(QToolButton::InstantPopup);
}
} // namespace

LinkedProgramsDialog::LinkedProgramsDialog(const QStringList &profiles, const QString &newLinkProfile,
                                           double scale, QWidget *parent)
    : VelSkinDialog(scale, QSize(kBaseWidth, kBaseHeight), QStringLiteral("dlg_links.png"),
                    tr("LINKED PROGRAMS"), parent),
      m_profiles(profiles), m_newLinkProfile(newLinkProfile), m_links(config::loadProfileLinks()),
      m_processRoot(QStringLiteral("/proc")), m_entryDirs(desktopEntryDirs()) {
    setWindowTitle(tr("Linked programs"));
    if (!m_profiles.contains(m_newLinkProfile))
        m_newLinkProfile = m_profiles.value(0);

    VelLabel *hint = addLabel(tr("While a linked program runs, or while its window has focus, the mouse uses "
                                 "the profile chosen for it."),
                              kHintRect);
    hint->setTextWrap(true);
    hint->setColor(QColor(170, 170, 178));

    buildList();
    buildLinkControls();
    addAnswerButtons(kAnswerTop, tr("Cancel"));
    connect(okButton(), &QToolButton::released, this, &LinkedProgramsDialog::OnYesClick);
    showLinks(m_links.links.isEmpty() ? -1 : 0);
}

void LinkedProgramsDialog::setProgramSources(const QString &processRoot, const QStringList &entryDirs) {
    m_processRoot = processRoot;
    m_entryDirs = entryDirs;
    m_entriesRead = false;
    showLinks(selectedRow());
}

const QVector<DesktopEntry> &LinkedProgramsDialog::entries() {
    if (!m_entriesRead) {
        m_entries = readDesktopEntries(m_entryDirs, QLocale().name());
        m_entriesRead = true;
    }
    return m_entries;
}

void LinkedProgramsDialog::buildList() {
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("linkList"));
    m_list->setGeometry(scaled(kListRect));
    m_list->setColumnCount(3);
    m_list->setHeaderLabels({tr("PROGRAM"), tr("PROFILE"), tr("WAY")});
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setIconSize(QSize(px(kIconSize), px(kIconSize)));
    m_list->setTextElideMode(Qt::ElideRight);
    QFont font = UiLanguage::font();
    font.setPixelSize(qMax(1, px(13)));
    m_list->setFont(font);
    font.setPixelSize(qMax(1, px(12)));
    m_list->header()->setFont(font);
    m_list->header()->setStretchLastSection(false);
    m_list->header()->setSectionResizeMode(ProgramColumn, QHeaderView::Stretch);
    m_list->header()->setSectionResizeMode(ProfileColumn, QHeaderView::Fixed);
    m_list->header()->setSectionResizeMode(WayColumn, QHeaderView::Fixed);
    m_list->header()->resizeSection(ProfileColumn, px(kProfileColumnWidth));
    m_list->header()->resizeSection(WayColumn, px(kWayColumnWidth));
    m_list->header()->setSectionsClickable(false);
    const QColor accent = AccentColor::current();
    m_list->setStyleSheet(
        QString("QTreeWidget{background: rgb(18,18,22); color: rgb(225,225,225); border: 1px solid"
                " rgb(70,70,78); border-radius: 2px; outline: 0;}"
                "QTreeWidget::item{height: %1px;}"
                "QTreeWidget::item:selected{background: rgba(%3,%4,%5,80); color: white;}"
                "QHeaderView::section{background: rgb(34,34,40); color: rgb(170,170,178); border: none;"
                " border-bottom: 1px solid rgb(62,62,70); padding-left: %2px; height: %6px;}"
                "QScrollBar:vertical{background: rgb(18,18,22); width: %7px; margin: 0;}"
                "QScrollBar::handle:vertical{background: rgb(70,70,78); min-height: %1px; border-radius:"
                " %8px;}"
                "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical{height: 0;}")
            .arg(px(kRowHeight))
            .arg(px(6))
            .arg(accent.red())
            .arg(accent.green())
            .arg(accent.blue())
            .arg(px(24))
            .arg(px(8))
            .arg(px(3)));
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &LinkedProgramsDialog::showSelection);

    m_emptyLabel = addLabel(tr("No program is linked yet. Add a running program, or browse to one."),
                            QRect(40, 140, 540, 90));
    m_emptyLabel->setObjectName(QStringLiteral("emptyHint"));
    m_emptyLabel->setAlignment(Qt::AlignCenter);
    m_emptyLabel->setTextWrap(true);
    m_emptyLabel->setColor(QColor(120, 120, 128));
    m_emptyLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LinkedProgramsDialog::buildLinkControls() {
    m_runningButton = addTextButton(QStringLiteral("runningButton"), QRect(24, 302, 230, 28));
    setButtonText(m_runningButton, tr("Add a running program"));
    m_runningMenu = new VelMenu(m_runningButton);
    m_runningMenu->setObjectName(QStringLiteral("runningMenu"));
    connect(m_runningMenu, &QMenu::aboutToShow, this, &LinkedProgramsDialog::fillRunningMenu);
    makeMenuButton(m_runningButton, m_runningMenu);

    QToolButton *browseButton = addTextButton(QStringLiteral("browseButton"), QRect(264, 302, 150, 28));
    setButtonText(browseButton, tr("Browse..."));
    connect(browseButton, &QToolButton::clicked, this, &LinkedProgramsDialog::browse);

    m_removeButton = addTextButton(QStringLiteral("removeButton"), QRect(476, 302, 120, 28));
    setButtonText(m_removeButton, tr("Remove"));
    connect(m_removeButton, &QToolButton::clicked, this, &LinkedProgramsDialog::removeSelected);

    addLabel(tr("PROFILE"), QRect(24, 344, 90, 28));
    m_profileButton = addTextButton(QStringLiteral("profileButton"), QRect(116, 344, 160, 28));
    m_profileMenu = new VelMenu(m_profileButton);
    makeMenuButton(m_profileButton, m_profileMenu);

    addLabel(tr("WAY"), QRect(292, 344, 60, 28));
    m_wayButton = addTextButton(QStringLiteral("wayButton"), QRect(356, 344, 240, 28));
    m_wayMenu = new VelMenu(m_wayButton);
    auto *wayGroup = new QActionGroup(m_wayMenu);
    for (const bool focus : {false, true}) {
        auto *action = new VelAction(wayText(focus), m_wayMenu);
        action->setCheckable(true);
        action->setActionGroup(wayGroup);
        m_wayMenu->addAction(action);
        connect(action, &QAction::triggered, this, [this, focus] { setSelectedFocus(focus); });
    }
    m_wayMenu->setToolTipsVisible(true);
    m_wayMenu->actions().last()->setToolTip(tr("Where the desktop does not tell which window has focus, a "
                                               "link that follows the focus holds while its program runs."));
    makeMenuButton(m_wayButton, m_wayMenu);

    addLabel(tr("DEFAULT PROFILE"), QRect(24, 384, 150, 28));
    m_defaultButton = addTextButton(QStringLiteral("defaultButton"), QRect(176, 384, 160, 28));
    m_defaultMenu = new VelMenu(m_defaultButton);
    auto *defaultGroup = new QActionGroup(m_defaultMenu);
    QStringList choices{QString()};
    choices << m_profiles;
    for (const QString &profile : choices) {
        auto *action = new VelAction(profile.isEmpty() ? tr("None") : profile, m_defaultMenu);
        action->setCheckable(true);
        action->setChecked(profile == m_links.defaultProfile);
        action->setActionGroup(defaultGroup);
        m_defaultMenu->addAction(action);
        connect(action, &QAction::triggered, this, [this, profile] { setDefaultProfile(profile); });
    }
    makeMenuButton(m_defaultButton, m_defaultMenu);
    VelLabel *defaultHint = addLabel(tr("while no linked program is active"), QRect(346, 380, 250, 36));
    defaultHint->setTextWrap(true);
    defaultHint->setColor(QColor(150, 150, 158));
    setDefaultProfile(m_links.defaultProfile);
}

// A longer language or profile name takes a smaller font, down to a floor, and is cut short with "..."
// past it rather than running over the border; the tool tip keeps it whole.
void LinkedProgramsDialog::setButtonText(QToolButton *button, const QString &text) {
    QFont font = button->font();
    const int room = button->width() - px(14);
    int pixels = px(13);
    font.setPixelSize(qMax(1, pixels));
    while (pixels > px(10) && QFontMetrics(font).horizontalAdvance(text) > room)
        font.setPixelSize(--pixels);
    button->setFont(font);
    button->setText(QFontMetrics(font).elidedText(text, Qt::ElideRight, room));
    button->setToolTip(text);
}

QString LinkedProgramsDialog::wayText(bool focus) const {
    return focus ? tr("While its window has focus") : tr("While it runs");
}

void LinkedProgramsDialog::fillRunningMenu() {
    // The last opening's submenu goes with its entries.
    const QList<QMenu *> submenus =
        m_runningMenu->findChildren<QMenu *>(QString(), Qt::FindDirectChildrenOnly);
    m_runningMenu->clear();
    qDeleteAll(submenus);
    ProcessWatcher watcher(m_processRoot);
    watcher.scan();
    const QVector<RunningProgram> running = runningPrograms(watcher, entries());
    QMenu *target = m_runningMenu;
    for (const RunningProgram &program : running) {
        // The programs without a desktop entry are mostly services and shells: they wait in a submenu.
        if (!program.look.fromEntry && target == m_runningMenu) {
            if (!m_runningMenu->isEmpty())
                m_runningMenu->addSeparator();
            target = new VelMenu(tr("Other programs"), m_runningMenu);
            target->setObjectName(QStringLiteral("otherProgramsMenu"));
            m_runningMenu->addMenu(target);
        }
        const QString text = program.look.fromEntry ? program.look.name
                                                    : program.look.name + (program.program.contains('/')
                                                                               ? "  (" + program.program + ")"
                                                                               : QString());
        auto *action = new VelAction(text, target);
        action->setIcon(programIcon(program.look, px(kIconSize)));
        action->setToolTip(program.program);
        action->setData(program.program);
        target->addAction(action);
        const QString name = program.program;
        connect(action, &QAction::triggered, this, [this, name] { addProgram(name); });
    }
    if (running.isEmpty()) {
        auto *none = new VelAction(tr("No running program found"), m_runningMenu);
        none->setEnabled(false);
        m_runningMenu->addAction(none);
    }
}

void LinkedProgramsDialog::browse() {
    const QString path = VelFileDialog::openFile(this, tr("Choose a program"), tr("Programs (*)"));
    if (path.isEmpty())
        return;
    // A program browsed to is linked by its path: the user chose that very file.
    addProgram(QFileInfo(path).absoluteFilePath());
}

void LinkedProgramsDialog::addProgram(const QString &program) {
    for (int i = 0; i < m_links.links.size(); ++i) {
        if (m_links.links.at(i).program == program) {
            showLinks(i);
            return;
        }
    }
    m_links.links.append(ProfileLink{program, m_newLinkProfile, false, QString()});
    showLinks(m_links.links.size() - 1);
}

void LinkedProgramsDialog::removeSelected() {
    const int row = selectedRow();
    if (row < 0)
        return;
    m_links.links.removeAt(row);
    showLinks(qMin(row, m_links.links.size() - 1));
}

void LinkedProgramsDialog::setSelectedProfile(const QString &profile) {
    const int row = selectedRow();
    if (row < 0)
        return;
    m_links.links[row].profile = profile;
    showLinks(row);
}

void LinkedProgramsDialog::setSelectedFocus(bool focus) {
    const int row = selectedRow();
    if (row < 0)
        return;
    m_links.links[row].focus = focus;
    showLinks(row);
}

void LinkedProgramsDialog::setDefaultProfile(const QString &profile) {
    m_links.defaultProfile = profile;
    setButtonText(m_defaultButton, profile.isEmpty() ? tr("None") : profile);
}

void LinkedProgramsDialog::showLinks(int select) {
    m_list->clear();
    for (const ProfileLink &link : m_links.links) {
        const ProgramLook look = lookOfProgram(entries(), link.program);
        auto *item = new QTreeWidgetItem(m_list, {look.name, link.profile, wayText(link.focus)});
        item->setIcon(ProgramColumn, programIcon(look, px(kIconSize)));
        item->setToolTip(ProgramColumn, link.program);
        item->setToolTip(ProfileColumn, link.profile);
        item->setToolTip(WayColumn, wayText(link.focus));
    }
    m_emptyLabel->setVisible(m_links.links.isEmpty());
    m_emptyLabel->raise();
    if (select >= 0 && select < m_list->topLevelItemCount())
        m_list->setCurrentItem(m_list->topLevelItem(select));
    showSelection();
}

int LinkedProgramsDialog::selectedRow() const {
    const QList<QTreeWidgetItem *> selected = m_list->selectedItems();
    return selected.isEmpty() ? -1 : m_list->indexOfTopLevelItem(selected.first());
}

// The profile and the way show the selected link's, and choosing them changes it.
void LinkedProgramsDialog::showSelection() {
    const int row = selectedRow();
    const bool any = row >= 0;
    for (QToolButton *button : {m_removeButton, m_profileButton, m_wayButton})
        button->setEnabled(any);
    m_profileMenu->clear();
    qDeleteAll(m_profileMenu->findChildren<QActionGroup *>());
    if (!any) {
        setButtonText(m_profileButton, QString());
        setButtonText(m_wayButton, QString());
        return;
    }
    const ProfileLink &link = m_links.links.at(row);
    setButtonText(m_profileButton, link.profile);
    auto *group = new QActionGroup(m_profileMenu);
    for (const QString &profile : m_profiles) {
        auto *action = new VelAction(profile, m_profileMenu);
        action->setCheckable(true);
        action->setChecked(profile == link.profile);
        action->setActionGroup(group);
        m_profileMenu->addAction(action);
        connect(action, &QAction::triggered, this, [this, profile] { setSelectedProfile(profile); });
    }
    setButtonText(m_wayButton, wayText(link.focus));
    const QList<QAction *> ways = m_wayMenu->actions();
    ways.at(0)->setChecked(!link.focus);
    ways.at(1)->setChecked(link.focus);
}

void LinkedProgramsDialog::OnYesClick() {
    // The tray's "Switch profiles automatically" is not this dialog's: it keeps what is stored now.
    ProfileLinks links = m_links;
    links.automatic = config::loadProfileLinks().automatic;
    if (!config::storeProfileLinks(links)) {
        VelMessageBox::inform(this, tr("The linked programs could not be saved in %1.")
                                        .arg(QDir::toNativeSeparators(
                                            AppPaths::productConfigFile(config::profileProductName()))));
        return;
    }
    m_links = links;
    accept();
}
