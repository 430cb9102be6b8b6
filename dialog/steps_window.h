// The "How it was rounded" window: numbered lines that explain, step by
// step, how the current datum was rounded. One window follows the main
// dialog's conversion, another the Operations window's result; each is
// modeless and shows what its source's routine gives at every change. No
// toolkit type appears here.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "dialog/dialog.h"

enum class StepsSource { Conversion, Operation };

struct StepsHost {
    std::function<std::vector<std::string>(int lang)> lines;  // the lines of the datum now
    std::function<int()> language;                            // 1 Romanian, 2 English
};

// Opens the conversion's window beside the main dialog, or raises it.
void STEPS_OPEN(const StepsHost& host, DIALOG& owner);
// The source's datum changed: its window, when open, shows the new lines.
void STEPS_REFRESH(StepsSource source);
// The captions follow the host's language now.
void STEPS_LANGUAGE_CHANGED();
// Closes both windows if open.
void STEPS_CLOSE();
