// The real platform windows behind the seam: message boxes and the file
// chooser, answered by timers that click their buttons like a user.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstring>
#include <functional>
#include <utility>
#include <vector>

#include "dialog/dialog_qt.h"
#include "dialog/platform.h"
#include "modal_window.h"

namespace {

using modal::ChooseName;
using modal::ClickButton;
using modal::WhenAnyOpen;
using modal::WhenOpen;

// The real windows, in English (the texts checked here are the English ones).
struct NoHooks : ::testing::Test {
    platform::PlatformHooks saved;
    void SetUp() override {
        saved = platform::SetPlatformHooks({});
        platform::SetLanguage(2);
    }
    void TearDown() override { platform::SetPlatformHooks(saved); }
};

}  // namespace

using RealMessageBox = NoHooks;
using RealFileChooser = NoHooks;

TEST_F(RealMessageBox, ShowsTextCaptionIconAndOneOkButtonWithoutOwner) {
    struct Case {
        unsigned style;
        QMessageBox::Icon icon;
    };
    for (Case c : {Case{platform::MB_OK, QMessageBox::NoIcon}, Case{platform::MB_ICONERROR, QMessageBox::Critical},
                   Case{platform::MB_ICONEXCLAMATION, QMessageBox::Warning},
                   Case{platform::MB_ICONINFORMATION, QMessageBox::Information},
                   Case{platform::MB_ICONQUESTION, QMessageBox::Question}}) {
        SCOPED_TRACE(c.style);
        bool seen = false;
        WhenOpen<QMessageBox>([&](QMessageBox* box) {
            seen = true;
            EXPECT_EQ(box->text(), QString::fromUtf8("Bit invalid \u2026 1"));
            EXPECT_EQ(box->windowTitle(), "Error");
            EXPECT_EQ(box->icon(), c.icon);
            EXPECT_EQ(box->parentWidget(), nullptr);
            EXPECT_EQ(box->windowModality(), Qt::ApplicationModal);
            EXPECT_EQ(box->buttons().size(), 1);
            ClickButton(box, QMessageBox::Ok);
        });
        EXPECT_EQ(platform::MessageBoxA(nullptr, "Bit invalid \x85 1", "Error", c.style), IDOK);
        EXPECT_TRUE(seen);
    }
}

TEST_F(RealMessageBox, YesNoReturnsTheButtonPressedAndEscapeIsOk) {
    WhenOpen<QMessageBox>([](QMessageBox* box) { ClickButton(box, QMessageBox::No); });
    EXPECT_EQ(platform::MessageBoxA(nullptr, "Create?", "Save", platform::MB_YESNO), platform::IDNO);
    WhenOpen<QMessageBox>([](QMessageBox* box) { ClickButton(box, QMessageBox::Yes); });
    EXPECT_EQ(platform::MessageBoxA(nullptr, "Create?", "Save", platform::MB_YESNO), platform::IDYES);
    WhenOpen<QMessageBox>([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); });
    EXPECT_EQ(platform::MessageBoxA(nullptr, "x", "Error", platform::MB_OK), IDOK);
}

TEST_F(RealMessageBox, HooksAnswerInsteadAndCanBeRestored) {
    std::string seen;
    platform::PlatformHooks hooks;
    hooks.messageBox = [&](std::string_view text, std::string_view caption, unsigned style) {
        seen = std::string(text) + "|" + std::string(caption) + "|" + std::to_string(style);
        return platform::IDNO;
    };
    platform::PlatformHooks previous = platform::SetPlatformHooks(hooks);
    EXPECT_FALSE(previous.messageBox);
    EXPECT_EQ(platform::MessageBoxA(nullptr, "t", "c", 0x30), platform::IDNO);
    EXPECT_EQ(seen, "t|c|48");
    platform::PlatformHooks mine = platform::SetPlatformHooks({});
    EXPECT_TRUE(mine.messageBox);
}

namespace {

struct Chooser {
    std::vector<char> buffer;
    platform::OPENFILENAMEA request;
    explicit Chooser(const QString& folder, unsigned size = 260) : buffer(size + 8, '\x7f') {
        buffer[0] = '\0';
        request.lpstrFilter = std::string("Text files (*.txt)\0*.txt\0All files (*.*)\0*.*\0\0", 46);
        request.nFilterIndex = 1;
        request.lpstrFile = buffer.data();
        request.nMaxFile = size;
        request.lpstrInitialDir = ToWindows1252(QDir::toNativeSeparators(folder));
        request.lpstrTitle = "Save the summary";
        request.Flags = platform::OFN_PATHMUSTEXIST | platform::OFN_CREATEPROMPT;
        request.lpstrDefExt = "txt";
    }
    bool guardIntact() const {
        for (std::size_t i = request.nMaxFile; i < buffer.size(); ++i)
            if (buffer[i] != '\x7f') return false;
        return true;
    }
};

}  // namespace

TEST_F(RealFileChooser, NewFileIsConfirmedAndGetsTheDefaultExtension) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Chooser c(dir.path());
    bool checked = false;
    WhenOpen<QFileDialog>([&](QFileDialog* chooser) {
        EXPECT_EQ(chooser->windowTitle(), "Save the summary");
        EXPECT_EQ(QDir(chooser->directory()).canonicalPath(), QDir(dir.path()).canonicalPath());
        EXPECT_TRUE(chooser->selectedNameFilter().startsWith("Text files"));
        EXPECT_TRUE(chooser->testOption(QFileDialog::DontUseNativeDialog));
        checked = true;
        // "No" to the creation question returns to the chooser; then cancel.
        WhenOpen<QMessageBox>([&](QMessageBox* box) {
            EXPECT_TRUE(box->text().contains("summary.txt"));
            ClickButton(box, QMessageBox::No);
            WhenOpen<QFileDialog>([](QFileDialog* again) { again->reject(); });
        });
        ChooseName(chooser, "summary");
    });
    EXPECT_EQ(platform::GetOpenFileNameA(c.request), 0);
    EXPECT_TRUE(checked);

    WhenOpen<QFileDialog>([&](QFileDialog* chooser) {
        WhenOpen<QMessageBox>([](QMessageBox* box) { ClickButton(box, QMessageBox::Yes); });
        ChooseName(chooser, "summary");
    });
    ASSERT_NE(platform::GetOpenFileNameA(c.request), 0);
    EXPECT_EQ(QDir(QFileInfo(QString::fromLocal8Bit(c.buffer.data())).absolutePath()).canonicalPath(),
              QDir(dir.path()).canonicalPath());
    EXPECT_EQ(QFileInfo(QString::fromLocal8Bit(c.buffer.data())).fileName(), "summary.txt");
    EXPECT_FALSE(QFileInfo::exists(QString::fromLocal8Bit(c.buffer.data()))) << "the chooser only names the file";
    EXPECT_TRUE(c.guardIntact());
}

TEST_F(RealFileChooser, APathLongerThanTheBufferIsRefusedNotCut) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile existing(dir.filePath("a.txt"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    Chooser c(dir.path(), 8);
    bool refused = false;
    WhenOpen<QFileDialog>([&](QFileDialog* chooser) {
        WhenOpen<QMessageBox>([&](QMessageBox* box) {
            refused = box->text().contains("too long");
            ClickButton(box, QMessageBox::Ok);
            WhenOpen<QFileDialog>([](QFileDialog* again) { again->reject(); });
        });
        ChooseName(chooser, "a.txt");
    });
    EXPECT_EQ(platform::GetOpenFileNameA(c.request), 0);
    EXPECT_TRUE(refused);
    EXPECT_TRUE(c.guardIntact());
}

namespace {

// Names the chooser's view lists, once it has read the folder.
QStringList ListedNames(QFileDialog* chooser, int atLeast) {
    auto* view = chooser->findChild<QAbstractItemView*>("treeView");
    if (!view) return {};
    QStringList names;
    const bool loaded = QTest::qWaitFor(
        [&] {
            names.clear();
            const QModelIndex root = view->rootIndex();
            for (int row = 0; row < view->model()->rowCount(root); ++row)
                names << view->model()->index(row, 0, root).data().toString();
            return names.size() >= atLeast;
        },
        3000);
    EXPECT_TRUE(loaded) << names.join(u',').toStdString();
    names.sort();
    return names;
}

}  // namespace

// A name of blanks names no file: Open on the offered blank, blanks typed, or
// blanks before the extension leave the chooser open without a question.
TEST_F(RealFileChooser, ABlankNameKeepsTheChooserOpen) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::vector<std::pair<const char*, std::function<void(QFileDialog*)>>> cases = {
        {"Open on the offered blank",
         [](QFileDialog* chooser) {
             auto* name = chooser->findChild<QLineEdit*>("fileNameEdit");
             ASSERT_NE(name, nullptr);
             ASSERT_EQ(name->text(), " ");
             QAbstractButton* open = modal::AcceptButton(chooser);
             ASSERT_NE(open, nullptr);
             ASSERT_TRUE(open->isEnabled());
             QTest::mouseClick(open, Qt::LeftButton);
         }},
        {"blanks typed", [](QFileDialog* chooser) { ChooseName(chooser, "   "); }},
        {"blanks before the extension", [](QFileDialog* chooser) { ChooseName(chooser, "  .txt"); }},
    };
    for (const auto& [how, act] : cases) {
        SCOPED_TRACE(how);
        Chooser c(dir.path());
        std::strcpy(c.buffer.data(), " ");  // what "Save to File" offers
        bool stayed = false;
        int questions = 0;
        WhenOpen<QFileDialog>([&, act = act](QFileDialog* chooser) {
            // Looks at what is open once the name has been given.
            WhenAnyOpen([&, chooser](QWidget* open) {
                if (auto* box = qobject_cast<QMessageBox*>(open)) {
                    ++questions;
                    box->done(QMessageBox::No);
                    WhenOpen<QFileDialog>([](QFileDialog* again) { again->reject(); });
                    return;
                }
                stayed = open == chooser;
                chooser->reject();
            });
            act(chooser);
        });
        EXPECT_EQ(platform::GetOpenFileNameA(c.request), 0);
        EXPECT_TRUE(stayed);
        EXPECT_EQ(questions, 0);
    }
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

// "All files (*.*)" keeps its label and lists every file, also names without a
// dot; "Text files" lists only the .txt files.
TEST_F(RealFileChooser, AllFilesListsNamesWithoutADot) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const char* name : {"README", "notes.txt", "data.dat"}) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    Chooser c(dir.path());
    QStringList labels, textFiles, allFiles;
    WhenOpen<QFileDialog>([&](QFileDialog* chooser) {
        auto* types = chooser->findChild<QComboBox*>("fileTypeCombo");
        ASSERT_NE(types, nullptr);
        for (int i = 0; i < types->count(); ++i) labels << types->itemText(i);
        textFiles = ListedNames(chooser, 1);
        types->setFocus();
        QTest::keyClick(types, Qt::Key_Down);  // the user picks the next type
        allFiles = ListedNames(chooser, 3);
        chooser->reject();
    });
    EXPECT_EQ(platform::GetOpenFileNameA(c.request), 0);
    EXPECT_EQ(labels, QStringList({"Text files (*.txt)", "All files (*.*)"}));
    EXPECT_EQ(textFiles, QStringList({"notes.txt"}));
    EXPECT_EQ(allFiles, QStringList({"README", "data.dat", "notes.txt"}));
}

// The chooser's answer is Windows-1252 text ('?' for a character without a
// byte); FileSystemPath turns exactly that answer back into the real path.
// Other texts, and any text after a hook answered, convert byte by byte.
TEST_F(RealFileChooser, TheAnswerMapsBackToTheRealPath) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = dir.filePath(QString::fromUtf8("\u0414\u043e\u043a\u0443\u043c\u0435\u043d\u0442\u044b"));
    ASSERT_TRUE(QDir().mkpath(folder));
    Chooser c(dir.path());
    WhenOpen<QFileDialog>([](QFileDialog* chooser) {
        ChooseName(chooser, QString::fromUtf8("\u0414\u043e\u043a\u0443\u043c\u0435\u043d\u0442\u044b"));  // opens it
        WhenOpen<QMessageBox>([](QMessageBox* box) { ClickButton(box, QMessageBox::Yes); });
        ChooseName(chooser, QString::fromUtf8("\u0437\u0430\u043c\u0435\u0442\u043a\u0438 caf\u00e9"));
    });
    ASSERT_NE(platform::GetOpenFileNameA(c.request), 0);
    const std::string answer(c.buffer.data());
    EXPECT_NE(answer.find("/" + std::string(9, '?') + "/" + std::string(7, '?') + " caf\xE9.txt"), std::string::npos)
        << answer;
    const QFileInfo real(QString::fromStdString(platform::FileSystemPath(answer)));
    EXPECT_EQ(real.dir().canonicalPath(), QDir(folder).canonicalPath());
    EXPECT_EQ(real.fileName(), QString::fromUtf8("\u0437\u0430\u043c\u0435\u0442\u043a\u0438 caf\u00e9.txt"));
    EXPECT_EQ(ToWindows1252(real.filePath()), answer);

    EXPECT_EQ(platform::FileSystemPath("/tmp/caf\xE9 \x80"), "/tmp/caf\xC3\xA9 \xE2\x82\xAC");
    platform::PlatformHooks hooks;
    hooks.openFileName = [](platform::OPENFILENAMEA&) { return 0; };
    platform::SetPlatformHooks(hooks);
    platform::OPENFILENAMEA request;
    platform::GetOpenFileNameA(request);
    EXPECT_NE(platform::FileSystemPath(answer), real.filePath().toStdString()) << "only the last answer maps back";
}

TEST(CurrentDirectory, ReportsTheFolderOrTheSizeItNeeds) {
    const std::string expected = ToWindows1252(QDir::toNativeSeparators(QDir::currentPath()));
    char small[2] = {'x', 'x'};
    EXPECT_EQ(platform::GetCurrentDirectoryA(2, small), expected.size() + 1);
    EXPECT_EQ(small[0], 'x') << "nothing written when it does not fit";
    std::vector<char> buf(expected.size() + 1, 'x');
    EXPECT_EQ(platform::GetCurrentDirectoryA(static_cast<unsigned>(buf.size()), buf.data()), expected.size());
    EXPECT_STREQ(buf.data(), expected.c_str());
}
