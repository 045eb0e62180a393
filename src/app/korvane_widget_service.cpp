// What the session-bus service asks of the window: whether it is free, and the profile menu's switch, Apply,
// a reload of the profile files and the tray's "show", each without a message box, since the answer goes
// back to the program that asked.
#include "app/korvane_widget.h"

#include "app/link_switcher.h"
#include "app/page_stack.h"
#include "app/profile_bar.h"
#include "macro/macro_dialog.h"
#include "macro/macro_editor.h"
#include "storage/app_config_store.h"

#include <QApplication>

QString KorvaneWidget::busyReason() const {
    if (m_writing)
        return tr("A write to the mouse is running.");
    const auto *macros = qobject_cast<MacroDialog *>(m_pages->builtPage(PageStack::kMacroPage));
    if (macros && macros->editor().recording())
        return tr("A macro is being recorded.");
    // The pages lock the window's buttons while a macro or a key is being edited.
    if (!m_buttonsEnabled)
        return tr("A macro is being edited.");
    if (QApplication::activeModalWidget())
        return tr("A dialog is open in Korvane Config.");
    return QString();
}

QString KorvaneWidget::currentProfileName() const {
    return workingConfig().profileNames[0];
}

ProfileListResult KorvaneWidget::switchProfile(const QString &name, QString &failedFile) {
    return m_profileBar->switchQuietly(name, failedFile);
}

void KorvaneWidget::reloadProfiles() {
    m_profileBar->reloadFromFiles();
    if (m_linkSwitcher)
        m_linkSwitcher->reloadLinks();
}

void KorvaneWidget::showFromOutside() {
    if (isHidden())
        m_monitor->requestWarning();
    else
        activateWindow();
}

bool KorvaneWidget::editsPending() const {
    // The stage and rate the mouse's own buttons chose are stored by themselves.
    AppConfig edited = workingConfig();
    edited.profile.dpiStage = m_cleanConfig.profile.dpiStage;
    edited.profile.pollRate = m_cleanConfig.profile.pollRate;
    return !(edited == m_cleanConfig);
}

void KorvaneWidget::markClean() {
    m_cleanConfig = workingConfig();
}
