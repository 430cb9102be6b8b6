// Saving the summary texts to a file the user chooses.
#pragma once

#include <string>
#include <string_view>

#include "dialog/dialog.h"

void SAVE_TO_FILE(DIALOG& dlg, int id, int event);
// FNAME: 260-character text, in and out. selected: nonzero when a file was chosen.
void GETFILE(std::string& FNAME, int& selected, std::string_view title);
void SELECTFILE(std::string_view startFolder, std::string_view filters, std::string_view title, int filterIndex,
                std::string_view defaultExtension, std::string& FILE_SPEC, int& selected);
