#pragma once

#include "app/desktop_entry.h"
#include "storage/profile_links.h"
#include "widgets/display_scale.h"
#include "widgets/vel_skin_dialog.h"

#include <QStringList>

class QToolButton;
class QTreeWidget;
class VelLabel;
class VelMenu;

// The "Linked programs" dialog: the programs joined to profiles, each with its profile and its way (while
// it runs, or while its window has focus), and the default profile restored when no linked program is
// active. Programs are added from the running ones or by browsing to an executable. Ok stores the links in
// the product configuration (a failure is told and the dialog stays open); Cancel drops the changes.
//
// Usage: LinkedProgramsDialog dialog(profiles, current, scale, window); if (dialog.exec() ==
// QDialog::Accepted) reloadLinks();
class LinkedProgramsDialog : public VelSkinDialog {
    Q_OBJECT
public:
    static constexpr int kBaseWidth = 620;
    static constexpr int kBaseHeight = 480;

    // profiles: the profile list; newLinkProfile: the profile a program added gets first.
    LinkedProgramsDialog(const QStringList &profiles, const QString &newLinkProfile,
                         double scale = DisplayScale::factor(), QWidget *parent = nullptr);

    // Where the running programs and the desktop entries are read: "/proc" and desktopEntryDirs() unless
    // told otherwise.
    void setProgramSources(const QString &processRoot, const QStringList &entryDirs);
    const ProfileLinks &links() const { return m_links; }

public slots:
    void OnYesClick();

private:
    void buildList();
    void buildLinkControls();
    void fillRunningMenu();
    void browse();
    // Adds a link for program with the first profile, or selects the one it has.
    void addProgram(const QString &program);
    void removeSelected();
    void setSelectedProfile(const QString &profile);
    void setSelectedFocus(bool focus);
    void setDefaultProfile(const QString &profile);
    // The list shows m_links again; select: the row to select, -1 for none.
    void showLinks(int select);
    void showSelection();
    int selectedRow() const;
    const QVector<DesktopEntry> &entries();
    QString wayText(bool focus) const;
    void setButtonText(QToolButton *button, const QString &text);

    QStringList m_profiles;
    QString m_newLinkProfile;
    ProfileLinks m_links;
    QString m_processRoot;
    QStringList m_entryDirs;
    QVector<DesktopEntry> m_entries;
    bool m_entriesRead = false;

    QTreeWidget *m_list = nullptr;
    VelLabel *m_emptyLabel = nullptr;
    QToolButton *m_runningButton = nullptr;
    VelMenu *m_runningMenu = nullptr;
    QToolButton *m_removeButton = nullptr;
    QToolButton *m_profileButton = nullptr;
    VelMenu *m_profileMenu = nullptr;
    QToolButton *m_wayButton = nullptr;
    VelMenu *m_wayMenu = nullptr;
    QToolButton *m_defaultButton = nullptr;
    VelMenu *m_defaultMenu = nullptr;
};
