#pragma once

class QWidget;

// The firmware update the window offers: only over the cable, only when the user agrees, and only if the
// mouse's updater can run here (it is told otherwise). True when the updater was started and the program
// must end, leaving the mouse to it.
bool startFirmwareUpdater(QWidget *parent, bool cablePresent);
