// Start-up, the main dialog's own callback and the run of the program.
#pragma once

#include <string>
#include <string_view>

#include "dialog/dialog.h"

// Steps 1-12 of start-up: builds both dialogs, registers the callbacks, sets
// the start state and shows the main dialog. False (after the start-up error
// box) when a layout cannot be built or shown.
bool ORVANE_STARTUP(int showMode);
// Releases both dialog records (after the message loop).
void ORVANE_SHUTDOWN();
// The whole run: start-up, message loop, release; returns the exit code (0).
int WinMain(void* instance, void* prevInstance, const char* cmdLine, int showMode);
// Dialog callback of DLG_MAIN: icons on EVENT_INIT, quit on EVENT_DESTROY.
void ORVANESUB(DIALOG& dlg, int id, int event);
