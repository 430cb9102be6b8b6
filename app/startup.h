// Start-up, the main dialog's own callback and the run of the program.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "dialog/dialog.h"

// Steps 1-12 of start-up: builds both dialogs, registers the callbacks, sets
// the start state and shows the main dialog. False (after the start-up error
// box) when a layout cannot be built or shown.
bool ORVANE_STARTUP(int showMode);
// Releases both dialog records (after the message loop).
void ORVANE_SHUTDOWN();
// The whole run: start-up, message loop, release; returns the exit code (0).
int WinMain(void* instance, void* prevInstance, const char* cmdLine, int showMode);
// The start arguments [--format F] [VALUE] (the toolkit's own options taken
// out), kept for WinMain, which applies them once the main dialog is shown.
void SET_START_ARGUMENTS(std::vector<std::string> args);
// Chooses format F and enters VALUE as the user would: a number or word into
// the value field, converted and decoded; a hexadecimal word with 0x (or a
// hex-float literal, as its word) into the hexadecimal word field. False,
// after a message on stderr and with nothing changed, for a bad argument.
bool APPLY_START_ARGUMENTS(const std::vector<std::string>& args);
// Dialog callback of DLG_MAIN: icons on EVENT_INIT, quit on EVENT_DESTROY.
void ORVANESUB(DIALOG& dlg, int id, int event);
