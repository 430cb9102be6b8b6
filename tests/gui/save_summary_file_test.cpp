// "Save to File" of the summary dialog, driven through the real buttons with
// the file chooser and the message boxes answered through the platform seam.
// The expected files are the 33 tabulated lines of each language, typed here
// as data.
#include <gtest/gtest.h>

#include <QApplication>
#include <QProcess>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "app/controls.h"
#include "app/state.h"
#include "dialog/dialog_qt.h"
#include "dialog/platform.h"
#include "file_bytes.h"
#include "harness.h"
#include "modal_window.h"
#include "save/summary_file.h"

namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kRomanianLines = {
    "Datele reprezentabile intr-un format in virgula flotanta (Date FP), sunt:",
    "- Numere Finite:",
    "1) Numere normale (normalizate)",
    "2) Numere subnormale (denormalizate)",
    "3) Zero cu semn",
    " ",
    "- Alte Date:",
    "4) Infinit cu semn",
    "5) Non-Numere (Not-a-Number)",
    " ",
    "Datele 1, 2, si 3, se reprezinta printr-o tripleta:  (S, E, sig)",
    "S = bitul de semn;",
    "E = exponentul (reprezentarii) ;",
    "sig = semnificand",
    "",
    "Valoare = (-1)^S * 2^E * sig",
    " ",
    "Codificare exponent \"E\":",
    "- Datele 2 and 3:  Camp exponent = 00 ... 0",
    "- Datele 4 and 5:  Camp exponent = 11 ... 1",
    " ",
    "- Numere normale:      E = Exponent_stocat - deplasare",
    "- Numere subnormale:   E = Emin",
    "- Zero cu semn:        E = Emin",
    " ",
    "Codificare semnificand \"sig\":",
    "- Numere normale:      sig = 1.b1b2 \x85 bP-1",
    "- Numere subnormale:   sig = 0.b1b2 \x85 bP-1",
    "- Zero cu semn:        sig = 0.0",
    " ",
    "- Infinit cu semn:  Camp semnificand  = 00 ... 0",
    "- Not-a-Number:     Camp semnificand diferit de: 00 ... 0",
    " ",
};

const std::vector<std::string> kEnglishLines = {
    "Data representable in a floating-point format (Floating-Point Data) are:",
    "- Finite Numbers:",
    "1) Normal numbers (normalized)",
    "2) Subnormal numbers (denormalized)",
    "3) Signed Zero",
    " ",
    "- Other Data:",
    "4) Signed Infinity",
    "5) Non-Numbers (Not-a-Number)",
    " ",
    "Data 1, 2, and 3, are represented by a triple:  (S, E, sig)",
    "S = sign bit;",
    "E = (representation) exponent;",
    "sig = significand",
    "",
    "Value =(-1)^S * 2^E * sig",
    " ",
    "Exponent encoding:",
    "- Data 2 and 3: Exponent field = 00 ... 0",
    "- Data 4 and 5: Exponent field = 11 ... 1",
    " ",
    "- Normal's exponent:      E = Stored exponent - bias",
    "- Subnormal's exponent:   E = Emin",
    "- Signed Zero's exponent: E = Emin",
    " ",
    "Significand encoding:",
    "- Normal's significand:       sig = 1.b1b2 \x85 bP-1",
    "- Subnormal's significand:    sig = 0.b1b2 \x85 bP-1",
    "- Signed Zero's significand:  sig = 0.0",
    " ",
    "- Signed Infinity:  Significand Field = 00 ... 0",
    "- Not-a-Number: Significand Field is not 00 ... 0",
    " ",
};

std::string Joined(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines) out += line + "\r\n";
    return out;
}

// Splits at CR LF; the text after the last CR LF is returned as a last entry.
std::vector<std::string> SplitCrLf(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t at = bytes.find("\r\n"); at != std::string::npos; at = bytes.find("\r\n", start)) {
        lines.push_back(bytes.substr(start, at - start));
        start = at + 2;
    }
    lines.push_back(bytes.substr(start));
    return lines;
}

class SaveSummary : public harness::AppTest {
protected:
    void SetUp() override {
        harness::AppTest::SetUp();
        folder_ = MakeScratchFolder("orvane-save-test");
        ASSERT_FALSE(folder_.empty());
    }
    void TearDown() override {
        RemoveScratchFolder(folder_);
        harness::AppTest::TearDown();
    }

    // The chooser answers with `path` and records the request it received.
    void AnswerChooserWith(const std::string& path) {
        harness::SetFileChooserAnswer([this, path](platform::OPENFILENAMEA& request) {
            requests_.push_back(request);
            offered_.push_back(request.lpstrFile ? std::string(request.lpstrFile) : std::string("<null>"));
            if (path.size() + 1 > request.nMaxFile) return 0;
            std::copy(path.begin(), path.end(), request.lpstrFile);
            request.lpstrFile[path.size()] = '\0';
            return 1;
        });
    }

    // Opens the summary dialog and clicks its "Save to File" button.
    void ClickSave() {
        if (harness::Window(COMUN::DLG_SUMMARY) == nullptr || !harness::Window(COMUN::DLG_SUMMARY)->isVisible())
            harness::Click(IDC_HELP_SUMMARY);
        ASSERT_NE(harness::Widget(COMUN::DLG_SUMMARY, IDC_SAVE), nullptr);
        harness::Click(COMUN::DLG_SUMMARY, IDC_SAVE);
        harness::ProcessEvents();
    }

    // Names in the folder other than those given (left-over temporary files).
    std::vector<std::string> OtherEntries(const std::vector<std::string>& expected) const {
        return ::OtherEntries(folder_, expected);
    }

    // Asserts that exactly one message box appeared: an error naming `path`.
    void ExpectOneErrorNaming(const std::string& path) {
        ASSERT_EQ(harness::Messages().size(), 1u);
        const harness::MessageRecord& m = harness::Messages()[0];
        EXPECT_EQ(m.caption, "Error");
        EXPECT_EQ(m.style & 0xF0u, platform::MB_ICONERROR);
        EXPECT_NE(m.text.find(path), std::string::npos) << m.text;
        for (const auto& message : harness::Messages()) EXPECT_NE(message.caption, "Saved to File");
    }

    fs::path folder_;
    std::vector<platform::OPENFILENAMEA> requests_;
    std::vector<std::string> offered_;
};

TEST_F(SaveSummary, RomanianFileMatchesTheTableByteForByte) {
    const std::string path = (folder_ / "summary.txt").string();
    AnswerChooserWith(path);
    ClickSave();

    const std::string bytes = ReadFile(path);
    EXPECT_EQ(bytes, Joined(kRomanianLines));
    ASSERT_EQ(harness::Messages().size(), 1u);
    EXPECT_EQ(harness::Messages()[0].text, path);
    EXPECT_EQ(harness::Messages()[0].caption, "Saved to File");
    EXPECT_EQ(harness::Messages()[0].style, platform::MB_OK | platform::MB_ICONINFORMATION);
    EXPECT_TRUE(OtherEntries({"summary.txt"}).empty());
}

TEST_F(SaveSummary, EnglishFileAfterSwitchingWithTheSummaryOpenInRomanian) {
    harness::Click(IDC_HELP_SUMMARY);
    harness::Click(IDC_LANG_EN);
    const std::string path = (folder_ / "summary-en.txt").string();
    AnswerChooserWith(path);
    ClickSave();
    EXPECT_EQ(ReadFile(path), Joined(kEnglishLines));
}

TEST_F(SaveSummary, FileShapeInBothLanguages) {
    struct Case {
        int langButton;
        const std::vector<std::string>* lines;
        const char* name;
    };
    const Case cases[] = {{IDC_LANG_RO, &kRomanianLines, "ro.txt"}, {IDC_LANG_EN, &kEnglishLines, "en.txt"}};
    for (const Case& c : cases) {
        harness::Click(c.langButton);
        const std::string path = (folder_ / c.name).string();
        AnswerChooserWith(path);
        ClickSave();
        const std::string bytes = ReadFile(path);
        ASSERT_GE(bytes.size(), 2u) << c.name;
        EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n") << c.name;
        std::vector<std::string> lines = SplitCrLf(bytes);
        ASSERT_EQ(lines.back(), "") << c.name;  // nothing after the last line end
        lines.pop_back();
        ASSERT_EQ(lines.size(), 33u) << c.name;
        EXPECT_EQ(lines, *c.lines) << c.name;
        int singleBlank = 0;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const std::string& line = lines[i];
            EXPECT_EQ(line.find('\r'), std::string::npos) << c.name << " line " << i + 1;
            EXPECT_EQ(line.find('\n'), std::string::npos) << c.name << " line " << i + 1;
            if (line == " ") {
                ++singleBlank;
            } else if (!line.empty()) {
                EXPECT_NE(line.back(), ' ') << c.name << " line " << i + 1;
            }
            const bool ellipsis = line.find('\x85') != std::string::npos;
            EXPECT_EQ(ellipsis, i + 1 == 27 || i + 1 == 28) << c.name << " line " << i + 1;
        }
        EXPECT_EQ(singleBlank, 7) << c.name;
        EXPECT_EQ(lines[14], "") << c.name;  // line 15: the empty line inside item 3
    }
}

TEST_F(SaveSummary, ChooserRequestAndCancelWritesNothing) {
    harness::SetFileChooserAnswer([this](platform::OPENFILENAMEA& request) {
        requests_.push_back(request);
        offered_.push_back(std::string(request.lpstrFile));
        return 0;
    });
    ClickSave();

    ASSERT_EQ(requests_.size(), 1u);
    const platform::OPENFILENAMEA& r = requests_[0];
    EXPECT_EQ(r.lStructSize, 88u);
    EXPECT_EQ(r.hwndOwner, nullptr);
    using namespace std::string_literals;
    const std::string filters = "Text Files (*.txt)\0*.txt\0Data Files (*.dat)\0*.dat\0All files (*.*)\0*.*\0\0"s;
    EXPECT_EQ(r.lpstrFilter, filters);
    EXPECT_EQ(r.nFilterIndex, 1u);
    EXPECT_EQ(r.nMaxFile, 260u);
    EXPECT_EQ(offered_[0], " ");
    EXPECT_EQ(r.lpstrInitialDir, fs::current_path().string());
    EXPECT_EQ(r.lpstrTitle.substr(0, r.lpstrTitle.find_last_not_of(' ') + 1), "Saved Topic");
    EXPECT_EQ(r.Flags, platform::OFN_PATHMUSTEXIST | platform::OFN_CREATEPROMPT);
    EXPECT_EQ(r.Flags, 0x2800u);
    EXPECT_EQ(r.lpstrDefExt, "txt");

    EXPECT_TRUE(harness::Messages().empty());
    EXPECT_TRUE(OtherEntries({}).empty());
    // The summary dialog stays open and usable.
    ASSERT_NE(harness::Window(COMUN::DLG_SUMMARY), nullptr);
    EXPECT_TRUE(harness::Window(COMUN::DLG_SUMMARY)->isVisible());
}

TEST_F(SaveSummary, ExistingLongerFileIsReplacedOnlyAfterYes) {
    const fs::path path = folder_ / "old.txt";
    const std::string old = std::string(5000, 'x') + "\r\nend of the user's file\r\n";
    WriteFile(path, old);
    ::chmod(path.c_str(), 0640);

    // "No": the file stays as it was and nothing more is shown.
    harness::SetMessageAnswer(
        [](const harness::MessageRecord& m) { return (m.style & platform::MB_YESNO) ? platform::IDNO : 1; });
    AnswerChooserWith(path.string());
    ClickSave();
    ASSERT_EQ(harness::Messages().size(), 1u);
    EXPECT_EQ(harness::Messages()[0].style & 0x0Fu, platform::MB_YESNO);
    EXPECT_NE(harness::Messages()[0].style & 0xF0u, 0u);  // question or exclamation icon
    EXPECT_NE(harness::Messages()[0].text.find(path.string()), std::string::npos);
    EXPECT_EQ(ReadFile(path), old);
    EXPECT_TRUE(OtherEntries({"old.txt"}).empty());

    // "Yes": only the 33 new lines remain, the permissions are kept.
    harness::ClearMessages();
    harness::SetMessageAnswer(
        [](const harness::MessageRecord& m) { return (m.style & platform::MB_YESNO) ? platform::IDYES : 1; });
    ClickSave();
    EXPECT_EQ(ReadFile(path), Joined(kRomanianLines));
    ASSERT_EQ(harness::Messages().size(), 2u);
    EXPECT_EQ(harness::Messages()[1].caption, "Saved to File");
    EXPECT_EQ(harness::Messages()[1].text, path.string());
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_TRUE(OtherEntries({"old.txt"}).empty());
}

TEST_F(SaveSummary, DeviceThatIsFullFailsCleanly) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full on this system";
    AnswerChooserWith("/dev/full");
    ClickSave();
    ExpectOneErrorNaming("/dev/full");
    // The program keeps running: a second save to a good file works.
    harness::ClearMessages();
    const std::string good = (folder_ / "after.txt").string();
    AnswerChooserWith(good);
    ClickSave();
    EXPECT_EQ(ReadFile(good), Joined(kRomanianLines));
    ASSERT_EQ(harness::Messages().size(), 1u);
    EXPECT_EQ(harness::Messages()[0].caption, "Saved to File");
}

TEST_F(SaveSummary, ReadOnlyFileIsNeverReplaced) {
    const fs::path path = folder_ / "protected.txt";
    const std::string old = "keep me\r\n";
    WriteFile(path, old);
    ::chmod(path.c_str(), 0444);
    AnswerChooserWith(path.string());
    ClickSave();
    ExpectOneErrorNaming(path.string());
    EXPECT_EQ(ReadFile(path), old);
    EXPECT_TRUE(OtherEntries({"protected.txt"}).empty());
}

TEST_F(SaveSummary, MissingFolderAndFolderNameFail) {
    const std::string missing = (folder_ / "no-such-folder" / "summary.txt").string();
    AnswerChooserWith(missing);
    ClickSave();
    ExpectOneErrorNaming(missing);
    EXPECT_FALSE(fs::exists(folder_ / "no-such-folder"));

    harness::ClearMessages();
    fs::create_directory(folder_ / "sub");
    WriteFile(folder_ / "sub" / "inside.txt", "x");
    AnswerChooserWith((folder_ / "sub").string());
    ClickSave();
    ExpectOneErrorNaming((folder_ / "sub").string());
    EXPECT_EQ(ReadFile(folder_ / "sub" / "inside.txt"), "x");
}

TEST_F(SaveSummary, SymbolicLinkReplacesTheFileItNames) {
    const fs::path target = folder_ / "real.txt";
    const fs::path link = folder_ / "link.txt";
    WriteFile(target, "old");
    fs::create_symlink(target, link);
    harness::SetMessageAnswer(
        [](const harness::MessageRecord& m) { return (m.style & platform::MB_YESNO) ? platform::IDYES : 1; });
    AnswerChooserWith(link.string());
    ClickSave();
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadFile(target), Joined(kRomanianLines));
    ASSERT_FALSE(harness::Messages().empty());
    EXPECT_EQ(harness::Messages().back().caption, "Saved to File");
    EXPECT_EQ(harness::Messages().back().text, link.string());
}

}  // namespace

namespace {

// The chooser hands over the path in Windows-1252, like every text of the
// program; the file appears under the same name in the file system (UTF-8).
TEST_F(SaveSummary, NonAsciiNameIsTheFileTheUserChose) {
    const std::string windowsPath = folder_.string() + "/caf\xE9 \x80.txt";
    const fs::path unicodePath = folder_ / fs::path(u8"caf\u00E9 \u20AC.txt");
    AnswerChooserWith(windowsPath);
    ClickSave();
    ASSERT_TRUE(fs::exists(unicodePath));
    EXPECT_EQ(ReadFile(unicodePath), Joined(kRomanianLines));
    ASSERT_EQ(harness::Messages().size(), 1u);
    EXPECT_EQ(harness::Messages()[0].text, windowsPath);
    EXPECT_EQ(harness::Messages()[0].caption, "Saved to File");

    // Saving again to the same name finds the existing file and asks first.
    harness::ClearMessages();
    harness::SetMessageAnswer(
        [](const harness::MessageRecord& m) { return (m.style & platform::MB_YESNO) ? platform::IDNO : 1; });
    ClickSave();
    ASSERT_EQ(harness::Messages().size(), 1u);
    EXPECT_EQ(harness::Messages()[0].style & 0x0Fu, platform::MB_YESNO);
    EXPECT_TRUE(OtherEntries({unicodePath.filename().string()}).empty());
}

}  // namespace

namespace {

// A pipe nobody reads from must not hang the program.
TEST_F(SaveSummary, PipeWithoutReaderFailsAtOnce) {
    const fs::path pipe = folder_ / "pipe";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    AnswerChooserWith(pipe.string());
    ClickSave();
    ExpectOneErrorNaming(pipe.string());
    EXPECT_TRUE(fs::is_fifo(pipe));
}

}  // namespace

namespace {

// In a folder whose name has no Windows-1252 form (the program's texts show
// it as '?'), and for a typed name with such characters, the real chooser and
// the save write the file under its real name; the message shows the
// Windows-1252 form.
TEST_F(SaveSummary, NamesOutsideWindows1252AreSavedUnderTheirRealName) {
    struct Case {
        std::string folder;  // UTF-8
        QString typed;
        std::string file;  // UTF-8
    };
    const Case cases[] = {
        {"\xD0\x94\xD0\xBE\xD0\xBA\xD1\x83\xD0\xBC\xD0\xB5\xD0\xBD\xD1\x82\xD1\x8B", "notes", "notes.txt"},
        {"plain", QString::fromUtf8("\u0437\u0430\u043c\u0435\u0442\u043a\u0438"),
         "\xD0\xB7\xD0\xB0\xD0\xBC\xD0\xB5\xD1\x82\xD0\xBA\xD0\xB8.txt"},
    };
    struct Restore {
        fs::path folder = fs::current_path();
        platform::PlatformHooks hooks = platform::SetPlatformHooks({});
        ~Restore() {
            fs::current_path(folder);
            platform::SetPlatformHooks(hooks);
        }
    } restore;
    platform::PlatformHooks realChooser = restore.hooks;  // message boxes still recorded
    realChooser.openFileName = nullptr;
    platform::SetPlatformHooks(realChooser);

    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        fs::create_directory(folder_ / c.folder);
        fs::current_path(folder_ / c.folder);  // the chooser starts in the current folder
        const fs::path file = fs::current_path() / c.file;
        harness::ClearMessages();
        modal::WhenOpen<QFileDialog>([&](QFileDialog* chooser) {
            modal::WhenOpen<QMessageBox>([](QMessageBox* box) { modal::ClickButton(box, QMessageBox::Yes); });
            modal::ChooseName(chooser, c.typed);
        });
        ClickSave();
        EXPECT_EQ(ReadFile(file), Joined(kRomanianLines));
        ASSERT_EQ(harness::Messages().size(), 1u);
        EXPECT_EQ(harness::Messages()[0].caption, "Saved to File");
        EXPECT_EQ(harness::Messages()[0].text, ToWindows1252(QString::fromStdString(file.string())));
        EXPECT_NE(harness::Messages()[0].text.find('?'), std::string::npos);
    }
}

// The replace question and the failure report follow the language chosen.
TEST_F(SaveSummary, QuestionAndFailureInTheChosenLanguage) {
    struct Case {
        int button;
        const char* question;
        const char* failure;
        const char* reason;
    };
    const Case cases[] = {
        {IDC_LANG_RO, "\nAcest fisier exista deja.\nDoriti sa il inlocuiti?", "Fisierul nu a putut fi salvat:\n",
         "Fisierul este doar pentru citire."},
        {IDC_LANG_EN, "\nThis file already exists.\nDo you want to replace it?", "The file could not be saved:\n",
         "The file is read-only."},
    };
    const fs::path existing = folder_ / "existing.txt";
    const fs::path readOnly = folder_ / "read-only.txt";
    WriteFile(existing, "old");
    WriteFile(readOnly, "old");
    ::chmod(readOnly.c_str(), 0444);
    harness::SetMessageAnswer(
        [](const harness::MessageRecord& m) { return (m.style & platform::MB_YESNO) ? platform::IDNO : 1; });
    for (const Case& c : cases) {
        harness::Click(c.button);
        harness::ClearMessages();
        AnswerChooserWith(existing.string());
        ClickSave();
        AnswerChooserWith(readOnly.string());
        ClickSave();
        ASSERT_EQ(harness::Messages().size(), 2u);
        EXPECT_EQ(harness::Messages()[0].text, existing.string() + c.question);
        EXPECT_EQ(harness::Messages()[0].caption, "Saved Topic");
        EXPECT_EQ(harness::Messages()[1].text, c.failure + readOnly.string() + "\n\n" + c.reason);
        EXPECT_EQ(harness::Messages()[1].caption, "Error");
    }
    EXPECT_EQ(ReadFile(existing), "old");
}

}  // namespace

namespace {

// The real chooser, with message boxes still answered through the hooks;
// the current folder and the hooks come back at the end.
struct RealChooser {
    fs::path folder = fs::current_path();
    platform::PlatformHooks hooks = platform::SetPlatformHooks({});
    RealChooser() {
        platform::PlatformHooks real = hooks;
        real.openFileName = nullptr;
        platform::SetPlatformHooks(real);
    }
    ~RealChooser() {
        fs::current_path(folder);
        platform::SetPlatformHooks(hooks);
    }
};

// The replace question is asked while the chooser is still open: No returns
// to it (where a new name is then chosen), Yes lets it close; either way the
// save does not ask again.
TEST_F(SaveSummary, ReplaceIsAskedWhileTheChooserIsOpen) {
    RealChooser real;
    fs::current_path(folder_);  // the chooser starts in the current folder
    const fs::path existing = folder_ / "existing.txt";
    struct Case {
        int answer;
        fs::path saved;
    };
    const Case cases[] = {{platform::IDNO, folder_ / "fresh.txt"}, {platform::IDYES, existing}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        WriteFile(existing, "old");
        fs::remove(folder_ / "fresh.txt");
        harness::ClearMessages();
        int questions = 0;
        bool chooserOpen = false;
        harness::SetMessageAnswer([&](const harness::MessageRecord& m) {
            if ((m.style & 0x0Fu) != platform::MB_YESNO) return 1;
            ++questions;
            QWidget* modal = QApplication::activeModalWidget();
            chooserOpen = qobject_cast<QFileDialog*>(modal) != nullptr && modal->isVisible();
            if (c.answer == platform::IDNO)
                modal::WhenOpen<QFileDialog>([](QFileDialog* chooser) {
                    modal::WhenOpen<QMessageBox>([](QMessageBox* box) { modal::ClickButton(box, QMessageBox::Yes); });
                    modal::ChooseName(chooser, QStringLiteral("fresh"));
                });
            return c.answer;
        });
        modal::WhenOpen<QFileDialog>([](QFileDialog* chooser) { modal::ChooseName(chooser, "existing.txt"); });
        ClickSave();
        EXPECT_EQ(questions, 1);
        EXPECT_TRUE(chooserOpen);
        EXPECT_EQ(ReadFile(c.saved), Joined(kRomanianLines));
        if (c.saved != existing) {
            EXPECT_EQ(ReadFile(existing), "old");
        }
        ASSERT_FALSE(harness::Messages().empty());
        EXPECT_EQ(harness::Messages().back().caption, "Saved to File");
        EXPECT_EQ(harness::Messages().back().text, c.saved.string());
    }
}

// Saving through the real chooser writes no file of the program's own: the
// chooser's state is never stored in the user's settings. The save above runs
// in a child process whose home and settings folders are new and empty.
TEST_F(SaveSummary, SavingThroughTheChooserWritesNoSettings) {
    const fs::path home = folder_ / "home";
    fs::create_directories(home / "config");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), QString::fromStdString(home.string()));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), QString::fromStdString((home / "config").string()));
    QProcess child;
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=SaveSummary.ReplaceIsAskedWhileTheChooserIsOpen")});
    ASSERT_TRUE(child.waitForFinished(120000));
    const std::string output = child.readAll().toStdString();
    ASSERT_EQ(child.exitStatus(), QProcess::NormalExit) << output;
    ASSERT_EQ(child.exitCode(), 0) << output;
    ASSERT_NE(output.find("[  PASSED  ] 1 test"), std::string::npos) << output;
    std::vector<std::string> written;
    for (const auto& entry : fs::recursive_directory_iterator(home))
        if (!entry.is_directory()) written.push_back(entry.path().string());
    EXPECT_TRUE(written.empty()) << written.front();
}

}  // namespace
