// Saving the summary texts to a file the user chooses.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "dialog/dialog.h"

void SAVE_TO_FILE(DIALOG& dlg, int id, int event);
// FNAME: 260-character text, in and out. selected: nonzero when a file was chosen.
void GETFILE(std::string& FNAME, int& selected, std::string_view title);
void SELECTFILE(std::string_view startFolder, std::string_view filters, std::string_view title,
                int filterIndex, std::string_view defaultExtension, std::string& FILE_SPEC, int& selected);

// The file writer behind "Save to File", without any window.
struct FileWriteResult {
    enum class Status { kWritten, kDeclined, kFailed };
    Status status = Status::kFailed;
    std::string reason;  // kFailed: why, as a sentence of the language asked for
};
// Writes `content` to the file-system path `path` (UTF-8, as the system names
// it). A symbolic link is followed. A new file, or an existing regular file
// after confirmReplace() has agreed, gets the content through a complete
// temporary file in the same folder that is renamed over it; where that cannot
// be done without changing the file (no temporary file may be made in the
// folder, or the file's owner or group could not be kept) the file is
// rewritten in place, its old bytes kept in memory and put back should the
// write fail. Devices and pipes are written in place. A file whose write bits
// are all clear is never changed. `lang` (1 Romanian, 2 English) picks the
// language of the reason.
FileWriteResult WriteUserFile(const std::string& path, std::string_view content,
                              const std::function<bool()>& confirmReplace, int lang);
