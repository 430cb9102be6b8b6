// Saving the seven summary texts, in the current language, to a text file the
// user chooses. The file is replaced only once its new content has been
// written completely: the text goes to a temporary file in the same folder,
// which is flushed to disk and then renamed over the chosen name. Where no
// temporary file may be made there, or the replacement could not keep the
// file's owner, the file is rewritten in place and its old bytes are put back
// if that fails. Devices and other special files are written in place. Any
// failure is reported in a message box naming the file and the reason (in the
// current language); the program carries on.
#include "save/summary_file.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

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

// A text of the program's own in both languages; Pick chooses by `lang`
// (anything but 2 counts as Romanian).
struct Bilingual {
    std::string_view ro;
    std::string_view en;
};
std::string Pick(const Bilingual& text, int lang) { return std::string(lang == 2 ? text.en : text.ro); }

constexpr Bilingual kNoName{"Nu a fost dat niciun nume de fisier.", "No file name was given."};
constexpr Bilingual kIsFolder{"Numele este al unui dosar, nu al unui fisier.",
                              "The name is that of a folder, not of a file."};
constexpr Bilingual kDanglingLink{"Legatura indica un fisier care nu exista.",
                                  "The link names a file that does not exist."};
constexpr Bilingual kReadOnlyFile{"Fisierul este doar pentru citire.", "The file is read-only."};
constexpr Bilingual kMayNotChange{"Nu aveti dreptul sa modificati acest fisier (permisiune refuzata).",
                                  "You may not change this file (permission denied)."};
constexpr Bilingual kTooLargeToKeep{
    "Fisierul este prea mare pentru a fi rescris in siguranta in acest loc.",
    "The file is too large to be rewritten safely in this place."};
constexpr Bilingual kNotRestored{"\nContinutul sau vechi nu a putut fi refacut complet.",
                                 "\nIts old content could not be put back completely."};
constexpr Bilingual kCouldNotSave{"Fisierul nu a putut fi salvat:\n", "The file could not be saved:\n"};
constexpr Bilingual kAlreadyExists{"\nAcest fisier exista deja.\nDoriti sa il inlocuiti?",
                                   "\nThis file already exists.\nDo you want to replace it?"};

std::string ReasonFromErrno(int error, int lang) {
    struct Entry {
        int error;
        Bilingual text;
    };
    static constexpr Entry kReasons[] = {
        {ENOENT, {"Dosarul nu exista.", "The folder does not exist."}},
        {ENOTDIR, {"O parte a caii nu este un dosar.", "A part of the path is not a folder."}},
        {EACCES, {"Permisiune refuzata.", "Permission denied."}},
        {EPERM, {"Permisiune refuzata.", "Permission denied."}},
        {ENOSPC, {"Nu mai este spatiu pe dispozitiv (discul este plin).",
                  "No space left on the device (the disk is full)."}},
        {EDQUOT, {"Cota de spatiu pe disc este depasita.", "The disk quota is used up."}},
        {EROFS, {"Sistemul de fisiere permite doar citirea.", "The file system is read-only."}},
        {EISDIR, kIsFolder},
        {EFBIG, {"Fisierul ar depasi dimensiunea cea mai mare permisa.",
                 "The file would exceed the largest size allowed."}},
        {ENAMETOOLONG, {"Numele este prea lung.", "The name is too long."}},
        {ELOOP, {"Prea multe legaturi simbolice in cale.", "Too many symbolic links in the path."}},
        {EIO, {"Eroare de intrare/iesire pe dispozitiv.", "Input/output error on the device."}},
        {ENXIO, {"Nimic nu citeste de acolo, sau dispozitivul lipseste.",
                 "Nothing reads from it, or the device is missing."}},
        {EPIPE, {"Cel care citea a inchis legatura.", "The reader closed the connection."}},
        {ETXTBSY, {"Fisierul este folosit de un program care ruleaza.", "The file is in use by a running program."}},
        {EBUSY, {"Fisierul sau dispozitivul este ocupat.", "The file or device is busy."}},
    };
    for (const Entry& entry : kReasons)
        if (entry.error == error) return Pick(entry.text, lang);
    if (lang == 2) return std::string(std::strerror(error)) + ".";
    return "Eroare de sistem (cod " + std::to_string(error) + ").";
}

FileWriteResult Failed(std::string reason) { return {FileWriteResult::Status::kFailed, std::move(reason)}; }
FileWriteResult Written() { return {FileWriteResult::Status::kWritten, {}}; }

// While it lives, a reader that goes away (SIGPIPE) or a file-size limit
// (SIGXFSZ) makes the write fail with an error instead of ending the program.
class IgnoreWriteSignals {
public:
    IgnoreWriteSignals() {
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        sigemptyset(&ignore.sa_mask);
        ::sigaction(SIGPIPE, &ignore, &pipe_);
        ::sigaction(SIGXFSZ, &ignore, &fileSize_);
    }
    ~IgnoreWriteSignals() {
        ::sigaction(SIGPIPE, &pipe_, nullptr);
        ::sigaction(SIGXFSZ, &fileSize_, nullptr);
    }
    IgnoreWriteSignals(const IgnoreWriteSignals&) = delete;
    IgnoreWriteSignals& operator=(const IgnoreWriteSignals&) = delete;

private:
    struct sigaction pipe_ {}, fileSize_ {};
};

// Writes all of `content` to `fd` (at `offset`, or at the file position when
// `offset` is negative); false with errno set on failure.
bool WriteAll(int fd, std::string_view content, off_t offset = -1) {
    while (!content.empty()) {
        const ssize_t written = offset < 0 ? ::write(fd, content.data(), content.size())
                                           : ::pwrite(fd, content.data(), content.size(), offset);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (written == 0) {
            errno = EIO;
            return false;
        }
        content.remove_prefix(static_cast<std::size_t>(written));
        if (offset >= 0) offset += written;
    }
    return true;
}

// fsync, where the file supports it: false with errno set on a real failure.
bool Flush(int fd) {
    if (::fsync(fd) == 0) return true;
    return errno == EINVAL || errno == EROFS || errno == ENOTSUP;
}

// A device, pipe or other special file: written in place, never renamed over.
FileWriteResult WriteToDevice(const std::string& target, std::string_view content, int lang) {
    // Non-blocking open, so a pipe without a reader fails at once instead of hanging.
    const int fd = ::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return Failed(ReasonFromErrno(errno, lang));
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);

    bool ok = false;
    int error = 0;
    {
        IgnoreWriteSignals guard;
        ok = WriteAll(fd, content) && Flush(fd);
        error = errno;
    }
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    return ok ? Written() : Failed(ReasonFromErrno(error, lang));
}

// The largest file rewritten in place: its old bytes are held in memory.
constexpr off_t kLargestKeptFile = 64 * 1024 * 1024;

// Rewrites an existing regular file in place, keeping its owner, group,
// permissions and links. The old bytes are read first and written back if
// the new content cannot be written completely.
FileWriteResult RewriteInPlace(const std::string& target, std::string_view content, int lang) {
    const int fd = ::open(target.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return Failed(ReasonFromErrno(errno, lang));
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        const int error = errno;
        ::close(fd);
        return Failed(ReasonFromErrno(error, lang));
    }
    if (!S_ISREG(info.st_mode)) {  // replaced by something else meanwhile
        ::close(fd);
        return Failed(S_ISDIR(info.st_mode) ? Pick(kIsFolder, lang) : ReasonFromErrno(EBUSY, lang));
    }
    if (info.st_size > kLargestKeptFile) {
        ::close(fd);
        return Failed(Pick(kTooLargeToKeep, lang));
    }

    std::string old;
    old.reserve(static_cast<std::size_t>(info.st_size));
    char chunk[65536];
    for (;;) {
        const ssize_t got = ::pread(fd, chunk, sizeof chunk, static_cast<off_t>(old.size()));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            const int error = errno;
            ::close(fd);
            return Failed(ReasonFromErrno(error, lang));
        }
        if (got == 0) break;
        old.append(chunk, static_cast<std::size_t>(got));
        if (static_cast<off_t>(old.size()) > kLargestKeptFile) {
            ::close(fd);
            return Failed(Pick(kTooLargeToKeep, lang));
        }
    }

    IgnoreWriteSignals guard;
    bool ok = WriteAll(fd, content, 0) && ::ftruncate(fd, static_cast<off_t>(content.size())) == 0 && Flush(fd);
    const int error = errno;
    bool restored = true;
    if (!ok) {
        restored = WriteAll(fd, old, 0) && ::ftruncate(fd, static_cast<off_t>(old.size())) == 0 && Flush(fd);
    }
    if (::close(fd) != 0 && ok) return Failed(ReasonFromErrno(errno, lang));
    if (ok) return Written();
    std::string reason = ReasonFromErrno(error, lang);
    if (!restored) reason += Pick(kNotRestored, lang);
    return Failed(reason);
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : slash == 0 ? std::string("/") : path.substr(0, slash);
}

// Replacing through a temporary file: done, failed, or not possible without
// changing the file (then it is to be rewritten in place).
enum class ReplaceOutcome { kDone, kFailed, kRewriteInPlace };

// The content goes to a temporary file in the same folder, which replaces the
// target only once it is complete. `existing` is the replaced file's status
// (nullptr for a new file): its owner, group and permissions go to the new one.
ReplaceOutcome WriteReplacing(const std::string& target, const struct stat* existing, std::string_view content,
                              std::string& reason, int lang) {
    const std::string folder = FolderOf(target);
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
        // No file may be made in the folder: an existing file is still written in place.
        if (existing != nullptr && (errno == EACCES || errno == EPERM)) return ReplaceOutcome::kRewriteInPlace;
        reason = ReasonFromErrno(errno, lang);
        return ReplaceOutcome::kFailed;
    }
    const auto discard = [&] {
        ::close(fd);
        ::unlink(temporary.c_str());
    };

    if (existing != nullptr) {
        // The replacement must keep the file's owner and group; a user who
        // may write the file but not give it away rewrites it in place.
        if (::fchown(fd, existing->st_uid, existing->st_gid) != 0) {
            // Checked below: what counts is the owner the new file ended up with.
        }
        struct stat made {};
        if (::fstat(fd, &made) != 0 || made.st_uid != existing->st_uid || made.st_gid != existing->st_gid) {
            discard();
            return ReplaceOutcome::kRewriteInPlace;
        }
        ::fchmod(fd, existing->st_mode & 07777);
    }

    bool ok = false;
    int error = 0;
    {
        IgnoreWriteSignals guard;
        ok = WriteAll(fd, content) && ::fsync(fd) == 0;
        error = errno;
    }
    if (!ok) {
        discard();
        reason = ReasonFromErrno(error, lang);
        return ReplaceOutcome::kFailed;
    }
    if (::close(fd) != 0) {
        error = errno;
        ::unlink(temporary.c_str());
        reason = ReasonFromErrno(error, lang);
        return ReplaceOutcome::kFailed;
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        error = errno;
        ::unlink(temporary.c_str());
        // A folder that keeps others' files (sticky bit) refuses the rename.
        if (existing != nullptr && (error == EACCES || error == EPERM)) return ReplaceOutcome::kRewriteInPlace;
        reason = ReasonFromErrno(error, lang);
        return ReplaceOutcome::kFailed;
    }
    // Make the rename itself durable.
    const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return ReplaceOutcome::kDone;
}

void ShowFailure(std::string_view path, std::string_view reason) {
    std::string text = Pick(kCouldNotSave, COMUN::LANG);
    text += path;
    text += "\n\n";
    text += reason;
    platform::MessageBoxA(nullptr, text, "Error", platform::MB_OK | platform::MB_ICONERROR);
}

// Asks before an existing file is replaced; true when the user agrees.
bool ConfirmReplace(std::string_view path) {
    std::string text(path);
    text += Pick(kAlreadyExists, COMUN::LANG);
    return platform::MessageBoxA(nullptr, text, "Saved Topic", platform::MB_YESNO | platform::MB_ICONEXCLAMATION) ==
           platform::IDYES;
}

// Writes the summary file to `path` (Windows-1252, as chosen and as shown in
// the messages); false (with the message shown) on failure or when the user
// declines to replace an existing file.
bool SaveSummary(const std::string& path, std::string_view content) {
    const std::string name = path.empty() ? std::string() : platform::FileSystemPath(path);
    const FileWriteResult result =
        WriteUserFile(name, content, [&path] { return ConfirmReplace(path); }, COMUN::LANG);
    if (result.status == FileWriteResult::Status::kFailed) ShowFailure(path, result.reason);
    return result.status == FileWriteResult::Status::kWritten;
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

FileWriteResult WriteUserFile(const std::string& path, std::string_view content,
                              const std::function<bool()>& confirmReplace, int lang) {
    if (path.empty()) return Failed(Pick(kNoName, lang));
    // A symbolic link is followed, so the file it names is the one replaced.
    std::string target = path;
    struct stat info {};
    bool exists = ::lstat(path.c_str(), &info) == 0;
    if (exists && S_ISLNK(info.st_mode)) {
        char* resolved = ::realpath(path.c_str(), nullptr);
        if (resolved == nullptr) return Failed(errno == ENOENT ? Pick(kDanglingLink, lang) : ReasonFromErrno(errno, lang));
        target = resolved;
        std::free(resolved);
        exists = ::stat(target.c_str(), &info) == 0;
    }
    if (!exists && errno != ENOENT) return Failed(ReasonFromErrno(errno, lang));

    std::string reason;
    if (!exists) {
        return WriteReplacing(target, nullptr, content, reason, lang) == ReplaceOutcome::kDone ? Written()
                                                                                              : Failed(reason);
    }
    if (S_ISDIR(info.st_mode)) return Failed(Pick(kIsFolder, lang));
    if (!S_ISREG(info.st_mode)) return WriteToDevice(target, content, lang);
    // A file marked read-only is never replaced, even by a user whose rights
    // would allow it.
    if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return Failed(Pick(kReadOnlyFile, lang));
    if (::access(target.c_str(), W_OK) != 0)
        return Failed(errno == EACCES ? Pick(kMayNotChange, lang) : ReasonFromErrno(errno, lang));
    if (confirmReplace && !confirmReplace()) return {FileWriteResult::Status::kDeclined, {}};
    switch (WriteReplacing(target, &info, content, reason, lang)) {
        case ReplaceOutcome::kDone: return Written();
        case ReplaceOutcome::kFailed: return Failed(reason);
        case ReplaceOutcome::kRewriteInPlace: break;
    }
    return RewriteInPlace(target, content, lang);
}
