// Sending the working configuration to the mouse: OK, Apply and Cancel, the slot switch, and the
// progress dialog every exchange runs behind.
#include "app/korvane_widget.h"

#include "app/profile_bar.h"
#include "device/pointer_speed.h"
#include "device/profile_write_run.h"
#include "device/result_code.h"
#include "device/store_commands.h"
#include "storage/app_config_store.h"
#include "storage/profile_file.h"
#include "storage/profile_list.h"
#include "widgets/vel_message_box.h"
#include "widgets/vel_process_dialog.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>

void KorvaneWidget::okClicked() {
    sendToDevice();
    closeWindow();
}

void KorvaneWidget::cancelClicked() {
    closeWindow();
    m_profileBar->discardEdits();
    refreshAllPages();
    markClean();
}

void KorvaneWidget::onConfigLoaded() {
    switchPage(m_iPage);
    refreshAllPages();
    sendToDevice();
}

// The mouse switches to the slot and the system pointer follows the slot's speed.
void KorvaneWidget::switchSlot() {
    const ResultCode result = runBehindProgress([](VelProcessDialog &dialog) {
        return runDeviceTask(
            &dialog, [&dialog] { dialog.slotProcessDlg(); }, [&dialog] { return dialog.exec(); },
            [] { return ::switchProfile(0); });
    });
    applyPointerSpeed(workingConfig().profile.mouseSpeed);
    showResult(result);
}

void KorvaneWidget::sendToDevice() {
    ProfileWriteOutcome outcome;
    const MouseCondition mouse = m_monitor->condition();
    // The outcome, which also tells whether the files were stored, is judged below.
    (void)runBehindProgress([&outcome, mouse](VelProcessDialog &dialog) {
        outcome = runProfileWrite(
            &dialog, [&dialog] { dialog.slotProcessDlg(); }, [&dialog] { return dialog.exec(); }, mouse);
        return outcome.result;
    });
    // A write that did not reach the mouse is offered again when the mouse comes back.
    m_monitor->writeEnded(outcome.result);
    if (outcome.saved)
        markClean();
    const QString text = writeMessage(outcome);
    emit writeFinished(outcome.result, text);
    if (!outcome.done())
        VelMessageBox::ask(this, text);
}

ProfileWriteOutcome KorvaneWidget::applyWithoutDialog(QString &message) {
    // The window's own controls wait as they do behind the progress dialog.
    m_writing = true;
    enableButtons(false);
    m_monitor->holdChanges();
    QEventLoop loop;
    const ProfileWriteOutcome outcome = runProfileWrite(
        &loop, [&loop] { loop.quit(); }, [&loop] { return loop.exec(); }, m_monitor->condition());
    m_monitor->releaseChanges();
    enableButtons(true);
    m_writing = false;
    m_monitor->writeEnded(outcome.result);
    if (outcome.saved)
        markClean();
    message = writeMessage(outcome);
    emit writeFinished(outcome.result, message);
    return outcome;
}

QString KorvaneWidget::writeMessage(const ProfileWriteOutcome &outcome) const {
    // A profile that was never read whole from its file is refused by name, so the user knows which file
    // to mend or replace (RESET gives the profile its factory settings again).
    if (outcome.result == kResultNoProfile && !workingConfig().profile.filled) {
        const QString file = profile::profileFilePath(workingConfig().profileNames[0]);
        return ProfileList::describe(
            QFileInfo::exists(file) ? ProfileListResult::Damaged : ProfileListResult::FileMissing, file);
    }
    return outcomeMessage(outcome);
}

ResultCode KorvaneWidget::runBehindProgress(const std::function<ResultCode(VelProcessDialog &dialog)> &run) {
    m_monitor->holdChanges();
    m_writing = true;
    ResultCode result = kResultOk;
    {
        VelProcessDialog dialog(this);
        result = run(dialog);
    }
    m_writing = false;
    m_monitor->releaseChanges();
    return result;
}

void KorvaneWidget::showResult(ResultCode result) {
    if (result != kResultOk)
        VelMessageBox::ask(this, QCoreApplication::translate("ResultCode", resultMessage(result)));
}
