// The real platform windows behind the seam: message boxes and the file
// chooser, answered by timers that click their buttons like a user.
#include <gtest/gtest.h>

#include <QApplication>
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

#include "dialog/dialog_qt.h"
#include "dialog/platform.h"

namespace {

// Runs `act` on the next modal window of class T once it is open.
template <class T>
void WhenOpen(std::function<void(T*)> act, int attempt = 0) {
    QTimer::singleShot(attempt == 0 ? 0 : 20, [act, attempt] {
        auto* w = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!w || !w->isVisible()) {
            if (attempt < 100) WhenOpen<T>(act, attempt + 1);
            return;
        }
        act(w);
    });
}

void ClickButton(QMessageBox* box, QMessageBox::StandardButton which) {
    QAbstractButton* button = box->button(which);
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
}

struct NoHooks : ::testing::Test {
    platform::PlatformHooks saved;
    void SetUp() override { saved = platform::SetPlatformHooks({}); }
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

void ChooseName(QFileDialog* chooser, const QString& name) {
    auto* edit = chooser->findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(edit, nullptr);
    edit->setFocus();
    edit->clear();
    QTest::keyClicks(edit, name);
    QTest::keyClick(edit, Qt::Key_Return);
}

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

TEST(CurrentDirectory, ReportsTheFolderOrTheSizeItNeeds) {
    const std::string expected = ToWindows1252(QDir::toNativeSeparators(QDir::currentPath()));
    char small[2] = {'x', 'x'};
    EXPECT_EQ(platform::GetCurrentDirectoryA(2, small), expected.size() + 1);
    EXPECT_EQ(small[0], 'x') << "nothing written when it does not fit";
    std::vector<char> buf(expected.size() + 1, 'x');
    EXPECT_EQ(platform::GetCurrentDirectoryA(static_cast<unsigned>(buf.size()), buf.data()), expected.size());
    EXPECT_STREQ(buf.data(), expected.c_str());
}
