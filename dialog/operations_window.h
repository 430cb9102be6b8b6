// The Operations window: arithmetic, conversions and comparisons on operands
// typed in any format, rounded once in a chosen direction, with the exception
// flags and the result in all five directions. A modeless window beside the
// main dialog, which it reads from and writes to only through the host's
// routines. No toolkit type appears here.
#pragma once

#include "dialog/dialog.h"
#include "numeric/ieee/format_table.h"

struct OperationsHost {
    int (*currentKind)() = nullptr;                               // the main dialog's format
    ieee::uint128 (*currentPattern)() = nullptr;                  // the pattern of its format's bit fields
    void (*sendPattern)(int kind, ieee::uint128 bits) = nullptr;  // shows a pattern in the main dialog
    int (*language)() = nullptr;                                  // 1 Romanian, 2 English
};

// Opens the window, owned by the window of `owner`, or raises it when it is
// open. A newly opened window starts on the main dialog's format.
void OPERATIONS_OPEN(const OperationsHost& host, DIALOG& owner);
// The captions and accessible names follow the host's language now.
void OPERATIONS_LANGUAGE_CHANGED();
// Closes and releases the window if it is open.
void OPERATIONS_CLOSE();
