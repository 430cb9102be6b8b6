// Menus that copy a text: a popup menu under a button, and a submenu added to
// the context menu of an edit or text box. Entries are built when the menu
// opens, so they show the datum of that moment. Texts are Windows-1252.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "dialog/dialog.h"

struct CopyMenuEntry {
    std::string caption;  // what the menu shows (it says what will be copied)
    std::string text;     // what goes to the clipboard
};
using CopyMenuEntries = std::vector<CopyMenuEntry>;
using CopyMenuSource = CopyMenuEntries (*)();
using CopyMenuTitle = std::string (*)();

// Opens a popup menu of `source`'s entries below control `id`; the entry
// chosen (by mouse or keys) is copied to the clipboard. Nothing happens for
// no entries or when the menu is left.
void DIALOG_COPY_MENU(DIALOG& dlg, int id, CopyMenuSource source);
// The context menu of control `id` (an edit or a text box) gets, after its
// own entries, a submenu named by `title` with `source`'s entries.
void DIALOG_SET_COPY_SUBMENU(DIALOG& dlg, int id, CopyMenuTitle title, CopyMenuSource source);

// Test seam: when set, it answers instead of the menu, with the index of the
// entry chosen (or -1), for the button's menu and the context submenus alike.
void SetCopyMenuHook(std::function<int(const CopyMenuEntries& entries)> hook);
