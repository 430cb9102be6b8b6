// Writing a file the user chose without ever leaving it half written: the
// new content replaces the old only once it is complete. Knows nothing of
// windows; the caller asks its questions through a callback.
#pragma once

#include <functional>
#include <string>
#include <string_view>

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
// language of the reason; a reason says the old content was not put back only
// when the file on disk differs from it.
FileWriteResult WriteUserFile(const std::string& path, std::string_view content,
                              const std::function<bool()>& confirmReplace, int lang);

// True when WriteUserFile would ask confirmReplace() before writing `path`:
// it names (through any link) an existing regular file that may be replaced.
bool ReplaceNeedsConfirmation(const std::string& path);
