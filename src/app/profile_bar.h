#pragma once

#include "storage/profile_session.h"

#include <QWidget>

class QAction;
class VelLabel;
class VelLineEdit;
class VelMenu;
class VelPushButton;

// The profile bar at the left of the main window: the name of the profile being edited, the menu of the
// user's named profiles, their operations (add, copy, rename, delete, reset, export, import), the slot
// choice, and the configuration-wide ones the bottom row offers (reset all, load and save a
// configuration file). Every operation changes the working configuration and the profile files; what the
// window must do afterwards (show the pages again, send to the mouse) it asks for by signal.
class ProfileBar : public QWidget {
    Q_OBJECT
public:
    explicit ProfileBar(QWidget *parent = nullptr);

    void setScale(double factor);
    void retranslate();
    // Reads the profile list of the current product and rebuilds the menu.
    void reload();
    void showCurrentName();
    // The configuration as stored, with its baseline copy, the system pointer speed and a fresh factory
    // profile file.
    void loadStoredConfig();
    // The current profile as its file holds it and the sensor settings as last sent: the edits not sent
    // are dropped.
    void discardEdits();
    QStringList names() const { return m_session.names(); }
    VelLineEdit *nameEdit() const { return m_nameEdit; }

    // Makes name the current profile as the menu does, without a message box (for the session-bus
    // service, which reports a refusal to its caller); failedFile is the file a refusal speaks of.
    ProfileListResult switchQuietly(const QString &name, QString &failedFile);
    // The list and the current profile as the files hold them now, after another program changed them.
    // While the current profile stays the same, the edits not yet sent are kept.
    void reloadFromFiles();

    void resetAllProfiles();
    void loadConfigFile();
    void saveConfigFile();
    // The "Linked programs" dialog; Ok there stores the links and says so by linksChanged().
    void openLinkedPrograms();

signals:
    // The working profile is another one, or changed as a whole: the pages show it again.
    void profileChanged();
    // The working configuration should go to the mouse now.
    void sendRequested();
    // The current profile was set back to its defaults.
    void profileReset();
    // A whole configuration was loaded from a file.
    void configLoaded();
    // Slot 0 was chosen in the slot menu: the mouse switches to it.
    void slotSwitchRequested();
    // The menu was built again: the list or the current profile may be other ones.
    void listChanged();
    // The linked programs or the default profile were stored anew: the window reads them again.
    void linksChanged();

private:
    VelPushButton *makeButton(const QStringList &images, const char *name);
    void buildMenu();
    // file: the file the text names, where it names one.
    void showResult(ProfileListResult result, const QString &file = QString());
    void showChange(ProfileListResult result);
    void choose(const QString &name);
    void addProfile();
    void copyProfile();
    void renameProfile();
    void deleteProfile();
    void resetProfile();
    void exportProfile();
    void importProfile();
    void chooseSlot(QAction *action);
    void reloadCurrentProfile();

    ProfileSession m_session;
    double m_factor = 1.0;
    VelLabel *m_nameLabel = nullptr;
    VelLineEdit *m_nameEdit = nullptr;
    VelPushButton *m_dropButton = nullptr;
    VelMenu *m_menu = nullptr;
    VelPushButton *m_addButton = nullptr;
    VelPushButton *m_deleteButton = nullptr;
    VelPushButton *m_copyButton = nullptr;
    VelPushButton *m_resetButton = nullptr;
    VelPushButton *m_exportButton = nullptr;
    VelPushButton *m_importButton = nullptr;
    VelPushButton *m_linksButton = nullptr;
    VelPushButton *m_slotButton = nullptr;
    VelPushButton *m_slotSelector = nullptr;
    VelMenu *m_slotMenu = nullptr;
};
