// Message boxes: through the hooks when tests set them, otherwise a real
// modal box with the program's caption, text and icon.
#include <QApplication>
#include <QMessageBox>
#include <utility>

#include "dialog/dialog_qt.h"
#include "dialog/platform_internal.h"

namespace {

QMessageBox::Icon IconOf(unsigned style) {
    switch (style & 0xF0u) {
    case platform::MB_ICONERROR: return QMessageBox::Critical;
    case platform::MB_ICONQUESTION: return QMessageBox::Question;
    case platform::MB_ICONEXCLAMATION: return QMessageBox::Warning;
    case platform::MB_ICONINFORMATION: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

}  // namespace

namespace platform_qt {

platform::PlatformHooks& Hooks() {
    static platform::PlatformHooks hooks;
    return hooks;
}

int ShowBox(const QString& text, const QString& caption, unsigned style, QWidget* parent) {
    if (!qApp) return 0;
    // Without a parent the box opens over the window in front (a file chooser
    // asking whether to replace a file, or the main window), not wherever the
    // window system puts an ownerless window.
    if (parent == nullptr) parent = QApplication::activeModalWidget();
    if (parent == nullptr) parent = QApplication::activeWindow();
    QMessageBox box(IconOf(style), caption, DisplayLineBreaks(text), QMessageBox::NoButton, parent);
    box.setWindowModality(Qt::ApplicationModal);
    if ((style & 0x0Fu) == platform::MB_YESNO) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        return box.exec() == QMessageBox::Yes ? platform::IDYES : platform::IDNO;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    box.exec();
    return IDOK;
}

}  // namespace platform_qt

namespace platform {

int MessageBoxA(void*, std::string_view text, std::string_view caption, unsigned style) {
    if (platform_qt::Hooks().messageBox) {
        auto hook = platform_qt::Hooks().messageBox;  // a copy: the hook may replace the hooks
        return hook(text, caption, style);
    }
    return platform_qt::ShowBox(FromWindows1252(text), FromWindows1252(caption), style);
}

PlatformHooks SetPlatformHooks(PlatformHooks hooks) {
    std::swap(platform_qt::Hooks(), hooks);
    return hooks;
}

}  // namespace platform
