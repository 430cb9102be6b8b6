// The safe replacement of a file, called directly: where it writes in place,
// what it keeps, and what it reports. Permission cases run in a forked child
// as user nobody, so that folder and file permissions bind as for any user.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "save/safe_replace.h"

#include "file_bytes.h"

namespace {

namespace fs = std::filesystem;

// About 1.8 kB, like the summary file.
const std::string kNewContent = [] {
    std::string text;
    for (int line = 0; line < 60; ++line) text += "line " + std::to_string(line) + " of the new content\r\n";
    return text;
}();

bool RunsAsRoot() { return ::geteuid() == 0; }

// Runs `body` in a forked child, as user nobody when the tests run as root (so
// that folder and file permissions bind as they do for any user), and returns
// what it returned; a text starting with "child:" when the child failed.
std::string InChildAsUser(const std::function<std::string()>& body) {
    constexpr uid_t kNobody = 65534;
    int fds[2];
    if (::pipe(fds) != 0) return "child: no pipe";
    const pid_t pid = ::fork();
    if (pid < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        return "child: no fork";
    }
    if (pid == 0) {
        ::close(fds[0]);
        if (RunsAsRoot() && (::setgroups(0, nullptr) != 0 || ::setresgid(kNobody, kNobody, kNobody) != 0 ||
                             ::setresuid(kNobody, kNobody, kNobody) != 0))
            ::_exit(2);
        const std::string out = body();
        for (std::size_t done = 0; done < out.size();) {
            const ssize_t n = ::write(fds[1], out.data() + done, out.size() - done);
            if (n <= 0) ::_exit(3);
            done += static_cast<std::size_t>(n);
        }
        ::_exit(0);
    }
    ::close(fds[1]);
    std::string out;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        out.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fds[0]);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {}
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return "child: ended with status " + std::to_string(status);
    return out;
}

// The safe replacement, run as user nobody with a file-size
// limit; "written|", "failed|reason" or "declined|", with " asked" after the
// status when the replace question was asked (and answered yes).
std::string WriteAsUser(const fs::path& path, const std::string& content, rlim_t sizeLimit = RLIM_INFINITY) {
    return InChildAsUser([&] {
        if (sizeLimit != RLIM_INFINITY) {
            const struct rlimit limit { sizeLimit, sizeLimit };
            if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return std::string("child: no file-size limit");
        }
        bool asked = false;
        const FileWriteResult result = WriteUserFile(
            path.string(), content, [&] { return asked = true; }, 2);
        const char* status = result.status == FileWriteResult::Status::kWritten    ? "written"
                             : result.status == FileWriteResult::Status::kDeclined ? "declined"
                                                                                   : "failed";
        return std::string(status) + (asked ? " asked" : "") + "|" + result.reason;
    });
}

class SafeReplace : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = MakeScratchFolder("orvane-replace-test");
        ASSERT_FALSE(folder_.empty());
    }
    void TearDown() override { RemoveScratchFolder(folder_); }

    // A new folder inside the test folder with `mode`; the test folder itself
    // is opened to others, so that user nobody reaches it.
    fs::path LockedFolder(mode_t mode) {
        ::chmod(folder_.c_str(), 0755);
        const fs::path sub = folder_ / ("folder" + std::to_string(++folders_));
        fs::create_directory(sub);
        ::chmod(sub.c_str(), mode);
        return sub;
    }

    fs::path folder_;
    int folders_ = 0;
};

// In a folder without write permission no temporary file can be made. A file
// the user may write is then rewritten in place; when that write fails
// part-way (here at a file-size limit) its old bytes are put back. A file the
// user may not write, and a new file, are refused. Runs as user nobody.
TEST_F(SafeReplace, FolderWithoutWritePermissionKeepsTheOldFile) {
    struct Case {
        const char* what;
        const char* name;
        mode_t fileMode;  // 0: no such file
        rlim_t sizeLimit;
        bool needsRoot;  // the file must belong to someone else
        const char* expected;
        std::string old = "old content\r\nsecond line\r\n";
    };
    const Case cases[] = {
        {"the rewrite fails part-way", "old.txt", 0666, 100, false,
         "failed asked|The file would exceed the largest size allowed."},
        // The limit lies inside the old file: neither the new content nor the
        // old one can be written whole, yet the bytes written back leave the
        // file as it was, so the report does not claim it damaged.
        {"the limit lies inside the old file", "large.txt", 0666, 500, false,
         "failed asked|The file would exceed the largest size allowed.", std::string(5000, 'x')},
        {"a file the user may not write", "theirs.txt", 0644, RLIM_INFINITY, true,
         "failed|You may not change this file (permission denied)."},
        {"a new file", "new.txt", 0, RLIM_INFINITY, false, "failed|Permission denied."},
    };
    const fs::path sub = LockedFolder(0555);
    for (const Case& c : cases) {
        if (c.needsRoot && !RunsAsRoot()) continue;
        SCOPED_TRACE(c.what);
        const fs::path path = sub / c.name;
        if (c.fileMode != 0) {
            ::chmod(sub.c_str(), 0755);
            WriteFile(path, c.old);
            ::chmod(path.c_str(), c.fileMode);
            ::chmod(sub.c_str(), 0555);
        }
        EXPECT_EQ(WriteAsUser(path, kNewContent, c.sizeLimit), c.expected);
        if (c.fileMode != 0) EXPECT_EQ(ReadFile(path), c.old);
        else EXPECT_FALSE(fs::exists(path));
    }
    EXPECT_TRUE(OtherEntries(sub, {"old.txt", "large.txt", "theirs.txt"}).empty());
}

// A writable file that cannot be replaced without changing it is rewritten in
// place: in a folder without write permission, and (for a file of another
// owner, which a replacement would take from them) in a writable or sticky
// folder. Owner, group, permissions and the file itself stay. Runs as user nobody.
TEST_F(SafeReplace, WritableFileIsRewrittenInPlaceWhereItCannotBeReplaced) {
    struct Case {
        const char* what;
        mode_t folderMode;
        bool needsRoot;
    };
    const Case cases[] = {
        {"folder without write permission", 0555, false},
        {"file of another owner in a writable folder", 0777, true},
        {"file of another owner in a sticky folder", 01777, true},
    };
    for (const Case& c : cases) {
        if (c.needsRoot && !RunsAsRoot()) continue;
        SCOPED_TRACE(c.what);
        const fs::path sub = LockedFolder(0755);
        const fs::path path = sub / "old.txt";
        WriteFile(path, std::string(5000, 'x'));
        ::chmod(path.c_str(), 0666);
        ::chmod(sub.c_str(), c.folderMode);
        struct stat before {
        }, after{};
        ASSERT_EQ(::stat(path.c_str(), &before), 0);

        EXPECT_EQ(WriteAsUser(path, kNewContent), "written asked|");
        EXPECT_EQ(ReadFile(path), kNewContent);
        ASSERT_EQ(::stat(path.c_str(), &after), 0);
        EXPECT_EQ(after.st_ino, before.st_ino) << "rewritten in place";
        EXPECT_EQ(after.st_uid, before.st_uid);
        EXPECT_EQ(after.st_gid, before.st_gid);
        EXPECT_EQ(after.st_mode & 07777, 0666u);
        EXPECT_TRUE(OtherEntries(sub, {"old.txt"}).empty());
    }
}

// The question before a replacement is due exactly where the writer would ask it.
TEST_F(SafeReplace, ReplaceNeedsConfirmationOnlyForAnExistingWritableFile) {
    WriteFile(folder_ / "plain.txt", "x");
    WriteFile(folder_ / "read-only.txt", "x");
    ::chmod((folder_ / "read-only.txt").c_str(), 0444);
    fs::create_directory(folder_ / "folder");
    fs::create_symlink(folder_ / "plain.txt", folder_ / "link.txt");
    fs::create_symlink(folder_ / "missing.txt", folder_ / "dangling.txt");
    struct Case {
        fs::path path;
        bool asks;
    };
    const Case cases[] = {
        {folder_ / "plain.txt", true}, {folder_ / "link.txt", true},
        {folder_ / "new.txt", false},  {folder_ / "read-only.txt", false},
        {folder_ / "folder", false},   {folder_ / "dangling.txt", false},
        {"/dev/null", false},          {"", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReplaceNeedsConfirmation(c.path.string()), c.asks) << c.path;
        bool asked = false;
        WriteUserFile(
            c.path.string(), "",
            [&] {
                asked = true;
                return false;
            },
            2);
        EXPECT_EQ(asked, c.asks) << c.path;
    }
}

}  // namespace
