#include "app/profile_bar.h"

#include "app/app_log.h"
#include "app/linked_programs_dialog.h"
#include "device/pointer_speed.h"
#include "storage/app_config_file.h"
#include "storage/app_config_store.h"
#include "storage/app_paths.h"
#include "storage/config_file.h"
#include "storage/factory_profile.h"
#include "storage/profile_file.h"
#include "widgets/display_scale.h"
#include "widgets/ui_language.h"
#include "widgets/vel_file_dialog.h"
#include "widgets/vel_label.h"
#include "widgets/vel_line_edit.h"
#include "widgets/vel_menu.h"
#include "widgets/vel_message_box.h"
#include "widgets/vel_push_button.h"

#include <QCoreApplication>

namespace {
constexpr int kMaxMenuProfiles = 200;
constexpr int kMenuWidth = 152;
// The bar's place in the window and its controls, in the window's base coordinates.
constexpr QRect kBarRect(20, 76, 262, 226);
constexpr QRect kNameLabelRect(32, 82, 120, 20);
constexpr QRect kNameEditRect(32, 104, 206, 30);
constexpr QRect kDropRect(242, 104, 30, 30);
constexpr QRect kSlotButtonRect(32, 146, 118, 30);
constexpr QRect kSlotSelectorRect(154, 146, 118, 30);
constexpr QRect kAddRect(32, 192, 118, 28);
constexpr QRect kDeleteRect(154, 192, 118, 28);
constexpr QRect kCopyRect(32, 228, 118, 28);
constexpr QRect kResetRect(154, 228, 118, 28);
constexpr QRect kExportRect(32, 268, 28, 28);
constexpr QRect kImportRect(66, 268, 28, 28);
constexpr QRect kLinksRect(100, 268, 28, 28);

QString currentName() {
    return workingConfig().profileNames[0];
}
} // namespace

ProfileBar::ProfileBar(QWidget *parent) : QWidget(parent), m_session(workingConfig()) {
    setObjectName(QStringLiteral("profileBar"));
    m_nameLabel = new VelLabel(this);
    m_nameLabel->setColor(QColor(180, 180, 188));
    m_nameEdit = new VelLineEdit(this);
    m_nameEdit->setObjectName(QStringLiteral("nameEdit"));
    m_nameEdit->setStyleSheet(QStringLiteral("border-width:2px;background-color:rgb(30,30,30);color:white"));
    m_nameEdit->setFont(UiLanguage::font());
    connect(m_nameEdit, &QLineEdit::returnPressed, this, &ProfileBar::renameProfile);
    m_menu = new VelMenu(this);
    m_dropButton = makeButton({"profile_apply1.png"}, "profileDropButton");
    connect(m_dropButton, &QPushButton::clicked, this,
            [this] { m_menu->exec(m_nameEdit->mapToGlobal(QPoint(0, m_nameEdit->height()))); });
    m_addButton = makeButton({"profile_add1.png", "profile_add2.png"}, "addButton");
    connect(m_addButton, &QPushButton::clicked, this, &ProfileBar::addProfile);
    m_deleteButton = makeButton({"profile_del1.png", "profile_del2.png"}, "deleteButton");
    connect(m_deleteButton, &QPushButton::clicked, this, &ProfileBar::deleteProfile);
    m_copyButton = makeButton({"profile_copy1.png", "profile_copy2.png"}, "copyButton");
    connect(m_copyButton, &QPushButton::clicked, this, &ProfileBar::copyProfile);
    m_resetButton = makeButton({"profile_reset1.png", "profile_reset2.png"}, "resetButton");
    connect(m_resetButton, &QPushButton::clicked, this, &ProfileBar::resetProfile);
    m_exportButton = makeButton({"profile_import1.png", "profile_import2.png"}, "exportButton");
    connect(m_exportButton, &QPushButton::clicked, this, &ProfileBar::exportProfile);
    m_importButton = makeButton({"profile_export1.png"}, "importButton");
    connect(m_importButton, &QPushButton::clicked, this, &ProfileBar::importProfile);
    m_linksButton = makeButton({"profile_link1.png", "profile_link2.png"}, "linksButton");
    connect(m_linksButton, &QPushButton::clicked, this, &ProfileBar::openLinkedPrograms);
    m_slotButton = makeButton(VelPushButton::tabImages(), "slotButton");
    m_slotButton->setCheckable(true);
    m_slotButton->setChecked(true);
    connect(m_slotButton, &QPushButton::clicked, this, [this] {
        m_slotButton->setChecked(true);
        workingConfig().profileId = 0;
    });
    m_slotMenu = new VelMenu(this);
    m_slotMenu->addAction(tr("Profile") + " 1");
    connect(m_slotMenu, &QMenu::triggered, this, &ProfileBar::chooseSlot);
    m_slotSelector = makeButton({"profilesel.png"}, "slotSelector");
    connect(m_slotSelector, &QPushButton::clicked, this,
            [this] { m_slotMenu->exec(m_slotSelector->mapToGlobal(QPoint(0, m_slotSelector->height()))); });
}

VelPushButton *ProfileBar::makeButton(const QStringList &images, const char *name) {
    VelPushButton *button = VelPushButton::fromSkin(images, name, this);
    button->setPictureIcon(true);
    return button;
}

void ProfileBar::setScale(double factor) {
    m_factor = factor;
    setGeometry(DisplayScale::scaled(kBarRect, factor));
    const std::pair<QWidget *, QRect> places[] = {
        {m_nameLabel, kNameLabelRect},   {m_nameEdit, kNameEditRect},         {m_dropButton, kDropRect},
        {m_slotButton, kSlotButtonRect}, {m_slotSelector, kSlotSelectorRect}, {m_addButton, kAddRect},
        {m_deleteButton, kDeleteRect},   {m_copyButton, kCopyRect},           {m_resetButton, kResetRect},
        {m_exportButton, kExportRect},   {m_importButton, kImportRect},       {m_linksButton, kLinksRect}};
    for (const auto &place : places)
        place.first->setGeometry(DisplayScale::scaledIn(place.second, kBarRect, factor));
    buildMenu();
}

void ProfileBar::retranslate() {
    m_nameLabel->setText(tr("NAME"));
    m_nameEdit->setToolTip(tr("Press Enter To Apply"));
    m_addButton->setText(tr("ADD"));
    m_deleteButton->setText(tr("DELETE"));
    m_copyButton->setText(tr("COPY"));
    m_resetButton->setText(tr("RESET"));
    m_exportButton->setToolTip(tr("Save Profile File"));
    m_importButton->setToolTip(tr("Load Profile File"));
    m_linksButton->setToolTip(tr("Linked programs"));
    m_slotButton->setText(tr("Profile") + " 1");
    m_slotSelector->setText(tr("Profile") + " 1");
    buildMenu();
}

void ProfileBar::reload() {
    m_session.load();
    buildMenu();
}

void ProfileBar::buildMenu() {
    m_menu->clear();
    m_menu->setFixedWidth(DisplayScale::scaled(kMenuWidth, m_factor));
    const QStringList names = m_session.names();
    for (int i = 0; i < names.size() && i < kMaxMenuProfiles; ++i) {
        const QString name = names.at(i);
        QAction *action = m_menu->addAction(name);
        action->setCheckable(true);
        action->setChecked(name == currentName());
        connect(action, &QAction::triggered, this, [this, name] { choose(name); });
    }
    emit listChanged();
}

void ProfileBar::showCurrentName() {
    m_nameEdit->setText(currentName());
    m_slotButton->setText(tr("Profile") + " 1");
}

void ProfileBar::loadStoredConfig() {
    // A profile file that could not be read gives a record that is never sent; Apply says so.
    (void)ProfileList::loadStoredConfig(AppConfigStore::instance().loaded());
    AppConfigStore::instance().resetWorkingCopy();
    const int speed = readPointerSpeed();
    if (speed > 0)
        workingConfig().profile.mouseSpeed = static_cast<uint8_t>(speed);
}

void ProfileBar::discardEdits() {
    reloadCurrentProfile();
    // The sensor settings belong to the whole configuration: they go back to what was last sent or stored.
    const AppConfig &stored = AppConfigStore::instance().loaded();
    AppConfig &edited = workingConfig();
    edited.angleValue = stored.angleValue;
    edited.liftHigh = stored.liftHigh;
    edited.sync = stored.sync;
    edited.jitter = stored.jitter;
    edited.debounce = stored.debounce;
    edited.wake = stored.wake;
    edited.sensorMode = stored.sensorMode;
    showCurrentName();
    showResult(ProfileList::fromFileResult(config::saveProfileSlotState(workingConfig())));
}

void ProfileBar::reloadCurrentProfile() {
    // A profile whose file is gone keeps what the pages show rather than becoming an empty record.
    ProfileData stored;
    if (profile::loadProfileByName(stored, currentName()) == FileResult::Ok)
        workingConfig().profile = stored;
}

void ProfileBar::showResult(ProfileListResult result, const QString &file) {
    if (result != ProfileListResult::Ok)
        VelMessageBox::inform(window(), ProfileList::describe(result, file));
}

// Every operation that changes the current profile ends here: the name, the menu and the pages follow.
void ProfileBar::showChange(ProfileListResult result) {
    if (result != ProfileListResult::Ok) {
        showResult(result, m_session.failedFile());
        showCurrentName();
        return;
    }
    showCurrentName();
    buildMenu();
    emit profileChanged();
}

void ProfileBar::choose(const QString &name) {
    showChange(m_session.switchTo(name));
}

ProfileListResult ProfileBar::switchQuietly(const QString &name, QString &failedFile) {
    const ProfileListResult result = m_session.switchTo(name);
    failedFile = m_session.failedFile();
    showCurrentName();
    if (result == ProfileListResult::Ok) {
        buildMenu();
        emit profileChanged();
    }
    return result;
}

void ProfileBar::reloadFromFiles() {
    AppConfig stored;
    (void)ProfileList::loadStoredConfig(stored);
    if (stored.profileNames[0] == currentName()) {
        reload();
        return;
    }
    loadStoredConfig();
    reload();
    showCurrentName();
    emit profileChanged();
}

void ProfileBar::addProfile() {
    QString name;
    showChange(m_session.add(name));
}

// The copy becomes the current profile, so that the name field always shows the profile being edited. It is
// made from what the pages show: the edits not yet sent go with it instead of being lost.
void ProfileBar::copyProfile() {
    QString name;
    showChange(m_session.copy(currentName(), name));
}

void ProfileBar::renameProfile() {
    const QString newName = m_nameEdit->text().trimmed();
    const ProfileListResult result = m_session.rename(currentName(), newName);
    if (result != ProfileListResult::Ok) {
        showResult(result, m_session.failedFile());
        showCurrentName();
        return;
    }
    showCurrentName();
    buildMenu();
}

void ProfileBar::deleteProfile() {
    const QString name = currentName();
    ProfileListResult check = ProfileListResult::Ok;
    if (m_session.names().size() <= 1)
        check = ProfileListResult::LastProfile;
    else if (name == QLatin1String(ProfileList::kDefaultProfile))
        check = ProfileListResult::DefaultProtected;
    if (check != ProfileListResult::Ok) {
        showResult(check);
        return;
    }
    if (!VelMessageBox::ask(window(), tr("Are you sure you want delete this profile?")))
        return;
    const ProfileListResult result = m_session.remove(name);
    if (result == ProfileListResult::Ok)
        showResult(m_session.warning(), m_session.failedFile());
    // The programs joined to it lost their profile: said once, here.
    QStringList programs;
    for (const ProfileLink &link : m_session.droppedLinks())
        programs << link.program;
    if (result == ProfileListResult::Ok && !programs.isEmpty()) {
        VelMessageBox::inform(window(),
                              tr("These programs were linked to the deleted profile and are no longer: "
                                 "%1.")
                                  .arg(programs.join(QStringLiteral(", "))));
        emit linksChanged();
    }
    showChange(result);
}

void ProfileBar::resetProfile() {
    if (!VelMessageBox::ask(window(), tr("Are you sure you want reset this profile?")))
        return;
    qCDebug(lcApp, "Accepted %d", 1);
    const QString name = currentName();
    profile::makeFactoryProfile(workingConfig().profile);
    workingConfig().profile.profileName = name;
    showCurrentName();
    emit profileReset();
}

void ProfileBar::resetAllProfiles() {
    if (!VelMessageBox::ask(window(), tr("Are you sure you want reset all profiles?")))
        return;
    profile::makeFactoryConfig(workingConfig());
    workingConfig().profile.profileName = currentName();
    showCurrentName();
    buildMenu();
    emit profileChanged();
    emit sendRequested();
}

void ProfileBar::exportProfile() {
    const QString path =
        VelFileDialog::saveFile(window(), tr("Save Profile File"), tr("Profile File(*.prof)"));
    if (path.isEmpty())
        return;
    showResult(m_session.exportFile(path, config::profileProductName()), path);
}

void ProfileBar::importProfile() {
    const QString path =
        VelFileDialog::openFile(window(), tr("Load Profile File"), tr("Profile File(*.prof)"));
    if (path.isEmpty())
        return;
    QString name;
    const ProfileListResult result = m_session.importFile(path, config::profileProductName(), name);
    showChange(result);
    if (result == ProfileListResult::Ok)
        emit sendRequested();
}

void ProfileBar::loadConfigFile() {
    const QString path = VelFileDialog::openFile(window(), tr("Load Config File"), tr("Config File(*.conf)"));
    if (path.isEmpty())
        return;
    const ProfileListResult result =
        ProfileList::importConfigFile(workingConfig(), path, config::profileProductName());
    if (result != ProfileListResult::Ok) {
        showResult(result, path);
        return;
    }
    emit configLoaded();
}

void ProfileBar::saveConfigFile() {
    const QString path = VelFileDialog::saveFile(window(), tr("Save Config File"), tr("Config File(*.conf)"));
    if (path.isEmpty())
        return;
    showResult(ProfileList::exportConfigFile(workingConfig(), path, config::profileProductName()), path);
}

void ProfileBar::openLinkedPrograms() {
    LinkedProgramsDialog dialog(m_session.names(), currentName(), m_factor, window());
    if (dialog.exec() == QDialog::Accepted)
        emit linksChanged();
}

void ProfileBar::chooseSlot(QAction *action) {
    m_slotSelector->setText(action->text());
    workingConfig().profileId = 0;
    reloadCurrentProfile();
    emit profileChanged();
    buildMenu();
    emit slotSwitchRequested();
}
