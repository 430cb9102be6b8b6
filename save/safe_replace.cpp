// Safe replacement of a file: through a complete temporary file renamed over
// it where possible, otherwise in place with the old bytes put back on failure.
#include "save/safe_replace.h"

#include <cerrno>
#include <csignal>
#include <cstddef>
#include <cstdlib>
#include <string>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "save/failure_texts.h"

using namespace save_text;

namespace {

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
    struct sigaction pipe_ {
    }, fileSize_{};
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

// True when the file behind `fd` holds exactly `bytes` (read back from disk).
bool HoldsExactly(int fd, std::string_view bytes) {
    struct stat info {};
    if (::fstat(fd, &info) != 0 || info.st_size != static_cast<off_t>(bytes.size())) return false;
    char chunk[65536];
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ::pread(fd, chunk, sizeof chunk, static_cast<off_t>(done));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        const auto size = static_cast<std::size_t>(got);
        if (size > bytes.size() - done || bytes.compare(done, size, chunk, size) != 0) return false;
        done += size;
    }
    return true;
}

// Rewrites an existing regular file in place, keeping its owner, group,
// permissions and links. The old bytes are read first and written back if
// the new content cannot be written completely. Writing them back may stop
// where the new content stopped (at a file-size limit, say) and still leave
// every old byte in place, so what the file holds afterwards is read back
// before the report says whether its old content was put back.
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
        return Failed(S_ISDIR(info.st_mode) ? bilingual::PickString(kIsFolder, lang) : ReasonFromErrno(EBUSY, lang));
    }
    if (info.st_size > kLargestKeptFile) {
        ::close(fd);
        return Failed(bilingual::PickString(kTooLargeToKeep, lang));
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
            return Failed(bilingual::PickString(kTooLargeToKeep, lang));
        }
    }

    IgnoreWriteSignals guard;
    bool ok = WriteAll(fd, content, 0) && ::ftruncate(fd, static_cast<off_t>(content.size())) == 0 && Flush(fd);
    const int error = errno;
    bool restored = true;
    if (!ok) {
        restored = WriteAll(fd, old, 0) && ::ftruncate(fd, static_cast<off_t>(old.size())) == 0 && Flush(fd);
        if (!restored) restored = HoldsExactly(fd, old) && Flush(fd);
    }
    if (::close(fd) != 0 && ok) return Failed(ReasonFromErrno(errno, lang));
    if (ok) return Written();
    std::string reason = ReasonFromErrno(error, lang);
    if (!restored) reason += bilingual::PickString(kNotRestored, lang);
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
        temporary = folder + "/.orvane-save-" + std::to_string(::getpid()) + "-" + std::to_string(++counter) + ".tmp";
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

// What writing to a path comes to, found before anything is written.
struct Examined {
    enum class Kind { kNew, kReplace, kDevice, kRefused };
    Kind kind = Kind::kRefused;
    std::string target;   // the file a link names, or the path itself
    struct stat info {};  // kReplace: the existing file's status
    std::string reason;   // kRefused: why
};

Examined Examine(const std::string& path, int lang) {
    Examined found;
    const auto refuse = [&found](std::string reason) {
        found.kind = Examined::Kind::kRefused;
        found.reason = std::move(reason);
        return found;
    };
    if (path.empty()) return refuse(bilingual::PickString(kNoName, lang));
    // A symbolic link is followed, so the file it names is the one replaced.
    found.target = path;
    bool exists = ::lstat(path.c_str(), &found.info) == 0;
    if (exists && S_ISLNK(found.info.st_mode)) {
        char* resolved = ::realpath(path.c_str(), nullptr);
        if (resolved == nullptr)
            return refuse(errno == ENOENT ? bilingual::PickString(kDanglingLink, lang) : ReasonFromErrno(errno, lang));
        found.target = resolved;
        std::free(resolved);
        exists = ::stat(found.target.c_str(), &found.info) == 0;
    }
    if (!exists && errno != ENOENT) return refuse(ReasonFromErrno(errno, lang));
    if (!exists) {
        found.kind = Examined::Kind::kNew;
        return found;
    }
    if (S_ISDIR(found.info.st_mode)) return refuse(bilingual::PickString(kIsFolder, lang));
    if (!S_ISREG(found.info.st_mode)) {
        found.kind = Examined::Kind::kDevice;
        return found;
    }
    // A file marked read-only is never replaced, even by a user whose rights
    // would allow it.
    if ((found.info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return refuse(bilingual::PickString(kReadOnlyFile, lang));
    if (::access(found.target.c_str(), W_OK) != 0)
        return refuse(errno == EACCES ? bilingual::PickString(kMayNotChange, lang) : ReasonFromErrno(errno, lang));
    found.kind = Examined::Kind::kReplace;
    return found;
}

}  // namespace

bool ReplaceNeedsConfirmation(const std::string& path) { return Examine(path, 2).kind == Examined::Kind::kReplace; }

FileWriteResult WriteUserFile(const std::string& path, std::string_view content,
                              const std::function<bool()>& confirmReplace, int lang) {
    const Examined found = Examine(path, lang);
    std::string reason;
    switch (found.kind) {
    case Examined::Kind::kRefused: return Failed(found.reason);
    case Examined::Kind::kDevice: return WriteToDevice(found.target, content, lang);
    case Examined::Kind::kNew:
        return WriteReplacing(found.target, nullptr, content, reason, lang) == ReplaceOutcome::kDone ? Written()
                                                                                                     : Failed(reason);
    case Examined::Kind::kReplace: break;
    }
    if (confirmReplace && !confirmReplace()) return {FileWriteResult::Status::kDeclined, {}};
    switch (WriteReplacing(found.target, &found.info, content, reason, lang)) {
    case ReplaceOutcome::kDone: return Written();
    case ReplaceOutcome::kFailed: return Failed(reason);
    case ReplaceOutcome::kRewriteInPlace: break;
    }
    return RewriteInPlace(found.target, content, lang);
}
