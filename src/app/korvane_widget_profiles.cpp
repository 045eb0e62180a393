// The profile bar and the bottom row of the main window: the user's named profiles and sending them.
#include "app/korvane_widget.h"

#include "app/device_presence.h"
#include "device/pointer_speed.h"
#include "device/profile_write_run.h"
#include "device/result_code.h"
#include "device/store_commands.h"
#include "storage/app_config_file.h"
#include "storage/app_config_store.h"
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
#include "widgets/vel_process_dialog.h"
#include "widgets/vel_push_button.h"

#include <QCoreApplication>
#include <QDebug>
#include <QTimer>

namespace {
constexpr int kMaxMenuProfiles = 200;
constexpr int kProfileMenuWidth = 152;

AppConfig &working() {
    return AppConfigStore::instance().working();
}
AppConfig &loaded() {
    return AppConfigStore::instance().loaded();
}
QString currentName() {
    return working().profileNames[0];
}
} // namespace

void KorvaneWidget::buildProfileBar() {
    m_nameLabel = new VelLabel(this);
    m_nameLabel->setColor(QColor(180, 180, 188));
    m_nameEdit = new VelLineEdit(this);
    m_nameEdit->setObjectName(QStringLiteral("nameEdit"));
    m_nameEdit->setStyleSheet(QStringLiteral("border-width:2px;background-color:rgb(30,30,30);color:white"));
    m_nameEdit->setFont(UiLanguage::font());
    connect(m_nameEdit, &QLineEdit::returnPressed, this, &KorvaneWidget::slotProfileNameChange);
    m_profileDropButton = makeButton({"profile_apply1.png"}, "profileDropButton");
    m_profileMenu = new VelMenu(this);
    m_addButton = makeButton({"profile_add1.png", "profile_add2.png"}, "addButton");
    m_deleteButton = makeButton({"profile_del1.png", "profile_del2.png"}, "deleteButton");
    m_copyButton = makeButton({"profile_copy1.png", "profile_copy2.png"}, "copyButton");
    m_resetButton = makeButton({"profile_reset1.png", "profile_reset2.png"}, "resetButton");
    m_exportButton = makeButton({"profile_import1.png", "profile_import2.png"}, "exportButton");
    m_importButton = makeButton({"profile_export1.png"}, "importButton");
    m_slotButton = makeButton(m_tabImages, "slotButton");
    m_slotButton->setCheckable(true);
    m_slotButton->setChecked(true);
    m_slotSelector = makeButton({"profilesel.png"}, "slotSelector");
    m_slotMenu = new VelMenu(this);
    m_slotMenu->addAction(tr("Profile") + " 1");
    connect(m_slotMenu, &QMenu::triggered, this, &KorvaneWidget::slot_show_profilename);
    m_firmwareButton = makeButton(m_tabImages, "firmwareButton");
}

void KorvaneWidget::buildBottomRow() {
    m_resetAllButton = makeButton(m_tabImages, "resetAllButton");
    m_load1Button = makeButton(m_tabImages, "load1Button");
    m_saveButton = makeButton(m_tabImages, "saveButton");
    m_okButton = makeButton(m_tabImages, "okButton");
    m_cancelButton = makeButton(m_tabImages, "cancelButton");
    m_applyButton = makeButton(m_tabImages, "applyButton");
}

// The configuration as stored, with a baseline copy, and the factory profile file made afresh from
// the device description.
void KorvaneWidget::loadStoredConfig() {
    ProfileList::loadStoredConfig(loaded());
    AppConfigStore::instance().resetWorkingCopy();
    const int speed = readPointerSpeed();
    if (speed > 0)
        working().profile.mouseSpeed = static_cast<uint8_t>(speed);
    profile::writeFactoryProfileFile();
}

void KorvaneWidget::reloadCurrentProfile() {
    // A profile whose file is gone keeps what the pages show rather than becoming an empty record.
    ProfileData stored;
    if (profile::loadProfileByName(stored, currentName()) == FileResult::Ok)
        working().profile = stored;
}

void KorvaneWidget::refreshProfileList() {
    m_profileList.load();
    buildProfileMenu();
}

void KorvaneWidget::buildProfileMenu() {
    if (!m_profileMenu)
        return;
    m_profileMenu->clear();
    m_profileMenu->setFixedWidth(DisplayScale::scaled(kProfileMenuWidth, m_factor));
    const QStringList names = m_profileList.names();
    for (int i = 0; i < names.size() && i < kMaxMenuProfiles; ++i) {
        const QString name = names.at(i);
        QAction *action = m_profileMenu->addAction(name);
        action->setCheckable(true);
        action->setChecked(name == currentName());
        connect(action, &QAction::triggered, this, [this, name] { onProfileChosen(name); });
    }
}

void KorvaneWidget::showCurrentProfileName() {
    m_nameEdit->setText(currentName());
    m_slotButton->setText(tr("Profile") + " 1");
}

void KorvaneWidget::refreshAllPages() {
    // The pages take the working profile as they are added to the window.
    update();
}

void KorvaneWidget::showProfileResult(ProfileListResult result) {
    if (result != ProfileListResult::Ok)
        VelMessageBox::inform(this, QCoreApplication::translate("ProfileList", ProfileList::message(result)));
}

void KorvaneWidget::onProfileChosen(const QString &name) {
    const ProfileListResult result = m_profileList.select(name, working().profileId, working());
    if (result != ProfileListResult::Ok) {
        showProfileResult(result);
        return;
    }
    showCurrentProfileName();
    buildProfileMenu();
    refreshAllPages();
}

void KorvaneWidget::addProfile() {
    QString name;
    const ProfileListResult result = m_profileList.add(name);
    if (result != ProfileListResult::Ok) {
        showProfileResult(result);
        return;
    }
    onProfileChosen(name);
}

// The copy becomes the current profile, so that the name field always shows the profile being edited. It is
// made from what the pages show: the edits not yet sent go with it instead of being lost.
void KorvaneWidget::copyProfile() {
    QString name;
    const ProfileListResult result = m_profileList.copy(currentName(), name);
    if (result != ProfileListResult::Ok) {
        showProfileResult(result);
        return;
    }
    ProfileData edited = working().profile;
    edited.profileName = name;
    if (profile::saveProfileByName(edited, name) != FileResult::Ok) {
        showProfileResult(ProfileListResult::WriteFailed);
        return;
    }
    onProfileChosen(name);
}

void KorvaneWidget::slotProfileNameChange() {
    const QString oldName = currentName();
    const QString newName = m_nameEdit->text().trimmed();
    const ProfileListResult result = m_profileList.rename(oldName, newName);
    if (result != ProfileListResult::Ok) {
        showProfileResult(result);
        m_nameEdit->setText(oldName);
        return;
    }
    working().profileNames[0] = newName;
    working().profile.profileName = newName;
    // The configuration must not go on naming a file that no longer exists.
    config::saveProfileSlotState(working());
    showCurrentProfileName();
    buildProfileMenu();
}

void KorvaneWidget::deleteProfile() {
    const QString name = currentName();
    ProfileListResult check = ProfileListResult::Ok;
    if (m_profileList.names().size() <= 1)
        check = ProfileListResult::LastProfile;
    else if (name == QLatin1String(ProfileList::kDefaultProfile))
        check = ProfileListResult::DefaultProtected;
    if (check != ProfileListResult::Ok) {
        showProfileResult(check);
        return;
    }
    if (!VelMessageBox::ask(this, tr("Are you sure you want delete this profile?")))
        return;
    QString next;
    const ProfileListResult result =
        m_profileList.remove(name, next, working().profileId, working().profileNames[0]);
    if (result != ProfileListResult::Ok) {
        showProfileResult(result);
        return;
    }
    const ProfileListResult selected = m_profileList.select(next, working().profileId, working());
    if (selected != ProfileListResult::Ok) {
        // The deleted profile cannot stay current: the one after it starts from the factory settings.
        showProfileResult(selected);
        working().profileNames[0] = next;
        profile::makeFactoryProfile(working().profile);
        working().profile.profileName = next;
    }
    config::saveProfileSlotState(working());
    showCurrentProfileName();
    buildProfileMenu();
    refreshAllPages();
}

void KorvaneWidget::resetProfile() {
    if (!VelMessageBox::ask(this, tr("Are you sure you want reset this profile?")))
        return;
    qDebug("Accepted %d", 1);
    const QString name = currentName();
    profile::makeFactoryProfile(working().profile);
    working().profile.profileName = name;
    retranslate();
    refreshAllPages();
    showCurrentProfileName();
    sendToDevice();
}

void KorvaneWidget::resetAllProfiles() {
    if (!VelMessageBox::ask(this, tr("Are you sure you want reset all profiles?")))
        return;
    profile::makeFactoryConfig(working());
    working().profile.profileName = currentName();
    showCurrentProfileName();
    buildProfileMenu();
    refreshAllPages();
    sendToDevice();
}

void KorvaneWidget::exportProfile() {
    const QString path = VelFileDialog::saveFile(this, tr("Save Profile File"), tr("Profile File(*.prof)"));
    if (path.isEmpty())
        return;
    showProfileResult(m_profileList.exportFile(currentName(), path, config::profileProductName()));
}

void KorvaneWidget::importProfile() {
    const QString path = VelFileDialog::openFile(this, tr("Load Profile File"), tr("Profile File(*.prof)"));
    if (path.isEmpty())
        return;
    QString name;
    const ProfileListResult result = m_profileList.importFile(path, config::profileProductName(), name);
    if (result != ProfileListResult::Ok) {
        showProfileResult(result);
        return;
    }
    onProfileChosen(name);
    sendToDevice();
}

void KorvaneWidget::loadConfigFile() {
    const QString path = VelFileDialog::openFile(this, tr("Load Config File"), tr("Config File(*.conf)"));
    if (path.isEmpty())
        return;
    const ProfileListResult result =
        ProfileList::importConfigFile(working(), path, config::profileProductName());
    if (result != ProfileListResult::Ok) {
        showProfileResult(result);
        return;
    }
    switchPage(m_iPage);
    loadMousePictures();
    refreshAllPages();
    sendToDevice();
}

void KorvaneWidget::saveConfigFile() {
    const QString path = VelFileDialog::saveFile(this, tr("Save Config File"), tr("Config File(*.conf)"));
    if (path.isEmpty())
        return;
    showProfileResult(ProfileList::exportConfigFile(working(), path, config::profileProductName()));
}

void KorvaneWidget::okClicked() {
    sendToDevice();
    hide();
}

void KorvaneWidget::cancelClicked() {
    hide();
    reloadCurrentProfile();
    showCurrentProfileName();
    refreshAllPages();
    config::saveProfileSlotState(working());
}

void KorvaneWidget::applyClicked() {
    sendToDevice();
}

void KorvaneWidget::selectSlot() {
    m_slotButton->setChecked(true);
    working().profileId = 0;
}

void KorvaneWidget::slot_show_profilename(QAction *action) {
    m_slotSelector->setText(action->text());
    working().profileId = 0;
    reloadCurrentProfile();
    refreshAllPages();
    buildProfileMenu();
    // The mouse switches to the slot and the system pointer follows the slot's speed.
    const uint8_t result = runBehindProgress([](VelProcessDialog &dialog) {
        return runDeviceTask(
            &dialog, [&dialog] { dialog.slotProcessDlg(); }, [&dialog] { return dialog.exec(); },
            [] { return switchProfile(0); });
    });
    applyPointerSpeed(working().profile.mouseSpeed);
    showResult(result);
}

void KorvaneWidget::OnProfileMenuCheck(QWidget *) {}

int KorvaneWidget::sendToDevice() {
    const uint8_t result = runBehindProgress([](VelProcessDialog &dialog) {
        return runProfileWrite(
            &dialog, [&dialog] { dialog.slotProcessDlg(); }, [&dialog] { return dialog.exec(); });
    });
    showResult(result);
    return result;
}

uint8_t KorvaneWidget::runBehindProgress(const std::function<uint8_t(VelProcessDialog &dialog)> &run) {
    m_presence->holdChanges();
    uint8_t result = kResultOk;
    {
        VelProcessDialog dialog(this);
        result = run(dialog);
    }
    m_presence->releaseChanges();
    // Queued, so that the result is told before a warning that waited takes the screen.
    if (m_bWarningPending)
        QTimer::singleShot(0, this, &KorvaneWidget::slotWarning);
    if (m_bWarnClosePending)
        QTimer::singleShot(0, this, &KorvaneWidget::slotWarnClose);
    m_bWarningPending = m_bWarnClosePending = false;
    return result;
}

void KorvaneWidget::showResult(uint8_t result) {
    if (result != kResultOk)
        VelMessageBox::ask(this, QCoreApplication::translate("ResultCode", resultMessage(result)));
}
