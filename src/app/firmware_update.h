#pragma once

class QWidget;

// The firmware update the window offers: only where the mouse's updater is installed, only over the cable,
// only when the user agrees, and only if the updater can run here (the user is told otherwise). True when the
// updater was started and the program must end, leaving the mouse to it.
bool startFirmwareUpdater(QWidget *parent, bool cablePresent);
