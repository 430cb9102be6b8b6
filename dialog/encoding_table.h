// The table of every encoding of a small format: a modeless window beside
// the main dialog, one row per pattern (bits, hexadecimal word, exact value,
// class); a click on a row, or Enter on it, makes that pattern the main
// dialog's datum. No toolkit type appears here.
#pragma once

#include "dialog/dialog.h"
#include "numeric/encoding_list.h"
#include "numeric/ieee/format_table.h"

struct EncodingTableHost {
    const ieee::FormatInfo* (*format)() = nullptr;           // the format the table lists (nullptr: none)
    ieee::uint128 (*currentPattern)() = nullptr;             // the main dialog's pattern of that format
    bool (*isCurrent)() = nullptr;                           // whether that format is the main dialog's
    void (*choose)(int kind, ieee::uint128 bits) = nullptr;  // shows a pattern in the main dialog
    int (*language)() = nullptr;                             // 1 Romanian, 2 English
};

// Opens the window, owned by the window of `owner`, or raises it.
void ENCODING_TABLE_OPEN(const EncodingTableHost& host, DIALOG& owner);
// The listed format may have changed: the open window lists it afresh (or
// says that it has no table).
void ENCODING_TABLE_FOLLOW();
// The captions follow the host's language.
void ENCODING_TABLE_LANGUAGE_CHANGED();
void ENCODING_TABLE_CLOSE();
// Test and benchmark support: the open window's table, filled afresh for
// the host's format; the number of rows it holds (-1 with no window).
int ENCODING_TABLE_REFILL();
