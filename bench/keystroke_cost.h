// The CPU cost of keystrokes typed into a line edit of a window on screen,
// shared by the benchmarks of the windows that follow a field.
#pragma once

#include <QLineEdit>
#include <QTest>

#include "app/startup.h"
#include "app/state.h"
#include "dialog/dialog_qt.h"
#include "dialog/platform.h"
#include "cpu_time.h"

// Starts the program as a user sees it (message boxes answered OK) once the
// application object exists; the main dialog's window, shown and exposed, or
// nullptr.
inline QWidget* StartMainDialog() {
    platform::PlatformHooks hooks;
    hooks.messageBox = [](std::string_view, std::string_view, unsigned) { return IDOK; };
    platform::SetPlatformHooks(hooks);
    RESET_SHARED_STATE();
    if (!ORVANE_STARTUP(1)) return nullptr;
    QWidget* window = DialogWindow(ORVANEGLOBALS::DLG_MAIN);
    window->activateWindow();
    return QTest::qWaitForWindowExposed(window) ? window : nullptr;
}

inline constexpr int kKeystrokes = 40;  // each a digit typed and taken back: two keystrokes

// CPU milliseconds per keystroke in `edit`, which ends in a digit: a '7'
// typed after it, then taken back with Backspace, the window painted after
// each. `update` is the keystroke with every text worked out and put on the
// widgets, `total` adds the painting.
struct Cost {
    double update = 0;
    double total = 0;
};
inline Cost PerKeystroke(QLineEdit* edit) {
    edit->setFocus(Qt::OtherFocusReason);
    edit->end(false);
    Paint();
    // A few keystrokes first, so that glyphs and layouts met for the first
    // time are not counted.
    for (int n = 0; n < 4; ++n) {
        QTest::keyClick(edit, n % 2 == 0 ? Qt::Key_7 : Qt::Key_Backspace);
        Paint();
    }
    Cost cost;
    for (int n = 0; n < 2 * kKeystrokes; ++n) {
        const double start = CpuMs();
        QTest::keyClick(edit, n % 2 == 0 ? Qt::Key_7 : Qt::Key_Backspace);
        const double typed = CpuMs();
        Paint();
        cost.update += typed - start;
        cost.total += CpuMs() - start;
    }
    cost.update /= 2.0 * kKeystrokes;
    cost.total /= 2.0 * kKeystrokes;
    return cost;
}
