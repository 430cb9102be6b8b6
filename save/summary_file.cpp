// Saving the seven summary texts, in the current language, to a text file the
// user chooses. The file is replaced only once its new content has been
// written completely: the text goes to a temporary file in the same folder,
// which is flushed to disk and then renamed over the chosen name. Devices and
// other special files are written in place. Any failure is reported in a
// message box naming the file and the reason; the program carries on.
#include "save/summary_file.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/fixed_text.h"
#include "app/state.h"
#include "dialog/platform.h"

using namespace std::string_view_literals;

namespace {

constexpr std::size_t kNameLength = 260;
constexpr std::size_t kSummaryLength = 180;
constexpr std::string_view kLineBreak = "\r\n";

// The text up to its first NUL character (the whole text if it has none).
std::string_view UpToNul(std::string_view text) { return text.substr(0, text.find('\0')); }

// The chosen path comes as Windows-1252 bytes, like every text of the
// program; the file system takes UTF-8 names.
std::string FileSystemName(std::string_view windowsPath) {
    // Unicode code points of the bytes 0x80..0x9F (the five unused bytes map
    // to the C1 control of the same value).
    static constexpr char16_t kHighHalf[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    std::string out;
    out.reserve(windowsPath.size());
    for (unsigned char byte : windowsPath) {
        const char32_t cp = byte >= 0x80 && byte < 0xA0 ? kHighHalf[byte - 0x80] : char32_t{byte};
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

// Items 5 and 6 as they are written to the file: only the blanks before the
// "=" signs differ from the dialog's texts. [item 5, 6][language].
constexpr std::array<std::array<std::array<std::string_view, 4>, 2>, 2> kFileItems{{
    {{
        {"- Numere normale:      E = Exponent_stocat - deplasare", "- Numere subnormale:   E = Emin",
         "- Zero cu semn:        E = Emin", ""},
        {"- Normal's exponent:      E = Stored exponent - bias", "- Subnormal's exponent:   E = Emin",
         "- Signed Zero's exponent: E = Emin", ""},
    }},
    {{
        {"Codificare semnificand \"sig\":", "- Numere normale:      sig = 1.b1b2 \x85 bP-1",
         "- Numere subnormale:   sig = 0.b1b2 \x85 bP-1", "- Zero cu semn:        sig = 0.0"},
        {"Significand encoding:", "- Normal's significand:       sig = 1.b1b2 \x85 bP-1",
         "- Subnormal's significand:    sig = 0.b1b2 \x85 bP-1", "- Signed Zero's significand:  sig = 0.0"},
    }},
}};
constexpr std::array<int, 2> kFileItemLineCount{3, 4};

// The whole file in language `lang` (1 or 2): each summary item, its file
// version for items 5 and 6, followed by a line end and a line of one blank.
std::string SummaryFileContent(int lang) {
    const int form = lang == 2 ? 1 : 0;
    // TEXT_2: a copy of the summary texts with the file versions of items 5 and 6.
    std::array<std::array<std::string, 2>, 7> TEXT_2 = COMUN::STATIC_2;
    for (int k = 0; k < 2; ++k) {
        for (int language = 0; language < 2; ++language) {
            std::string text;
            for (int line = 0; line < kFileItemLineCount[k]; ++line) {
                if (line > 0) text += kLineBreak;
                text += kFileItems[k][language][line];
            }
            TEXT_2[4 + k][language] = Padded(text, kSummaryLength);
        }
    }
    std::string content;
    for (const auto& item : TEXT_2) {
        content += RightTrim(item[form]);
        content += kLineBreak;
        content += ' ';
        content += kLineBreak;
    }
    return content;
}

std::string ReasonFromErrno(int error) {
    switch (error) {
        case ENOENT: return "The folder does not exist.";
        case ENOTDIR: return "A part of the path is not a folder.";
        case EACCES:
        case EPERM: return "Permission denied.";
        case ENOSPC: return "No space left on the device (the disk is full).";
        case EROFS: return "The file system is read-only.";
        case EISDIR: return "The name is that of a folder, not of a file.";
        default: return std::string(std::strerror(error)) + ".";
    }
}

// Writes all of `content` to `fd`; false with errno set on failure.
bool WriteAll(int fd, std::string_view content) {
    while (!content.empty()) {
        const ssize_t written = ::write(fd, content.data(), content.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (written == 0) {
            errno = EIO;
            return false;
        }
        content.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// A device, pipe or other special file: written in place, never renamed over.
bool WriteInPlace(const std::string& target, std::string_view content, std::string& reason) {
    // Non-blocking open, so a pipe without a reader fails at once instead of hanging.
    const int fd = ::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        reason = ReasonFromErrno(errno);
        return false;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);

    // A reader that goes away must not end the program.
    struct sigaction ignore {}, previous {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    ::sigaction(SIGPIPE, &ignore, &previous);
    bool ok = WriteAll(fd, content);
    int error = errno;
    ::sigaction(SIGPIPE, &previous, nullptr);

    if (ok && ::fsync(fd) != 0 && errno != EINVAL && errno != EROFS && errno != ENOTSUP) {
        ok = false;
        error = errno;
    }
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (!ok) reason = ReasonFromErrno(error);
    return ok;
}

// A regular file (existing or new): the content goes to a temporary file in
// the same folder, which replaces the target only once it is complete.
bool WriteReplacing(const std::string& target, const struct stat* existing, std::string_view content,
                    std::string& reason) {
    const std::size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string(".")
                               : slash == 0              ? std::string("/")
                                                         : target.substr(0, slash);

    static unsigned counter = 0;
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = folder + "/.orvane-save-" + std::to_string(::getpid()) + "-" + std::to_string(++counter) +
                    ".tmp";
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) {
        reason = ReasonFromErrno(errno);
        return false;
    }

    bool ok = WriteAll(fd, content);
    int error = errno;
    if (ok && ::fsync(fd) != 0) {
        ok = false;
        error = errno;
    }
    if (ok && existing != nullptr) {
        // Keep the replaced file's owner (where allowed) and permissions.
        if (::fchown(fd, existing->st_uid, existing->st_gid) != 0) {
            // Only the owner's rights matter when the owner cannot be kept.
        }
        ::fchmod(fd, existing->st_mode & 07777);
    }
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && ::rename(temporary.c_str(), target.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        reason = ReasonFromErrno(error);
        return false;
    }
    // Make the rename itself durable.
    const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}

void ShowFailure(std::string_view path, std::string_view reason) {
    std::string text = "The file could not be saved:\n";
    text += path;
    text += "\n\n";
    text += reason;
    platform::MessageBoxA(nullptr, text, "Error", platform::MB_OK | platform::MB_ICONERROR);
}

// Asks before an existing file is replaced; true when the user agrees.
bool ConfirmReplace(std::string_view path) {
    std::string text(path);
    text += "\nThis file already exists.\nDo you want to replace it?";
    return platform::MessageBoxA(nullptr, text, "Saved Topic", platform::MB_YESNO | platform::MB_ICONEXCLAMATION) ==
           platform::IDYES;
}

// Writes the summary file to `path` (Windows-1252, as chosen and as shown in
// the messages); false (with the message shown) on failure or when the user
// declines to replace an existing file.
bool SaveSummary(const std::string& path, std::string_view content) {
    if (path.empty()) {
        ShowFailure(path, "No file name was given.");
        return false;
    }
    const std::string name = FileSystemName(path);
    // A symbolic link is followed, so the file it names is the one replaced.
    std::string target = name;
    struct stat info {};
    bool exists = ::lstat(name.c_str(), &info) == 0;
    if (exists && S_ISLNK(info.st_mode)) {
        char* resolved = ::realpath(name.c_str(), nullptr);
        if (resolved == nullptr) {
            ShowFailure(path, errno == ENOENT ? std::string("The link names a file that does not exist.")
                                              : ReasonFromErrno(errno));
            return false;
        }
        target = resolved;
        std::free(resolved);
        exists = ::stat(target.c_str(), &info) == 0;
    }
    if (!exists && errno != ENOENT) {
        ShowFailure(path, ReasonFromErrno(errno));
        return false;
    }

    std::string reason;
    if (!exists) {
        if (WriteReplacing(target, nullptr, content, reason)) return true;
        ShowFailure(path, reason);
        return false;
    }
    if (S_ISDIR(info.st_mode)) {
        ShowFailure(path, "The name is that of a folder, not of a file.");
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        if (WriteInPlace(target, content, reason)) return true;
        ShowFailure(path, reason);
        return false;
    }
    // A file marked read-only is never replaced, even by a user whose rights
    // would allow it.
    if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        ShowFailure(path, "The file is read-only.");
        return false;
    }
    if (::access(target.c_str(), W_OK) != 0) {
        ShowFailure(path, errno == EACCES ? std::string("You may not change this file (permission denied).")
                                          : ReasonFromErrno(errno));
        return false;
    }
    if (!ConfirmReplace(path)) return false;
    if (WriteReplacing(target, &info, content, reason)) return true;
    ShowFailure(path, reason);
    return false;
}

}  // namespace

void SAVE_TO_FILE(DIALOG&, int, int) {
    std::string FNAME(kNameLength, ' ');
    FNAME[1] = '\0';
    int selected = 0;
    GETFILE(FNAME, selected, "Saved Topic");
    if (selected == 0) return;

    const std::string path(UpToNul(FNAME));
    if (!SaveSummary(path, SummaryFileContent(COMUN::LANG))) return;
    platform::MessageBoxA(nullptr, path, "Saved to File", platform::MB_OK | platform::MB_ICONINFORMATION);
}

void GETFILE(std::string& FNAME, int& selected, std::string_view title) {
    std::array<char, kNameLength> folder{};
    std::string startFolder(1, '\0');
    const unsigned length = platform::GetCurrentDirectoryA(kNameLength, folder.data());
    if (length > 0 && length < kNameLength) startFolder.assign(folder.data(), length);

    constexpr std::string_view filters =
        "Text Files (*.txt)\0*.txt\0Data Files (*.dat)\0*.dat\0All files (*.*)\0*.*\0\0"sv;
    const std::string paddedTitle = Padded(title, kNameLength);
    SELECTFILE(startFolder, filters, paddedTitle, 1, "txt", FNAME, selected);
}

void SELECTFILE(std::string_view startFolder, std::string_view filters, std::string_view title, int filterIndex,
                std::string_view defaultExtension, std::string& FILE_SPEC, int& selected) {
    // The buffer the chooser writes into holds the full name length.
    if (FILE_SPEC.size() < kNameLength) FILE_SPEC.resize(kNameLength, ' ');

    platform::OPENFILENAMEA request;
    request.lStructSize = 88;
    request.hwndOwner = nullptr;
    request.lpstrFilter = std::string(filters);
    request.nFilterIndex = filterIndex > 0 ? static_cast<unsigned>(filterIndex) : 0;
    request.lpstrFile = FILE_SPEC.data();
    request.nMaxFile = kNameLength;
    request.lpstrInitialDir = std::string(UpToNul(startFolder));
    request.lpstrTitle = std::string(RightTrim(title));
    request.Flags = platform::OFN_PATHMUSTEXIST | platform::OFN_CREATEPROMPT;
    request.lpstrDefExt = std::string(defaultExtension);
    selected = platform::GetOpenFileNameA(request);
}
