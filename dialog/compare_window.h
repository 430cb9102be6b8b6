// The Compare formats window: the number of the main dialog's value field in
// every format of the format table, side by side, following the field at
// every keystroke. A modeless window beside the main dialog, which it reads
// from and writes to only through the host's routines. No toolkit type
// appears here.
#pragma once

#include "dialog/dialog.h"

struct CompareHost {
    int (*currentKind)() = nullptr;            // the main dialog's format, the row first selected
    int valueControl = 0;                      // the owner's value field, which the window follows
    bool (*chooseFormat)(int kind) = nullptr;  // makes a format the main dialog's choice; false if it cannot
    int (*language)() = nullptr;               // 1 Romanian, 2 English
};

// Opens the window, owned by the window of `owner`, or raises it when it is
// open; a newly opened window starts on the row of the main dialog's format.
void COMPARE_OPEN(const CompareHost& host, DIALOG& owner);
// The captions, headings and accessible names follow the host's language now.
void COMPARE_LANGUAGE_CHANGED();
// Closes and releases the window if it is open.
void COMPARE_CLOSE();
