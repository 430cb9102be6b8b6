// The CPU cost of keystrokes typed into a line edit of a window on screen,
// shared by the benchmarks of the windows that follow a field.
#pragma once

#include <QLineEdit>
#include <QTest>

#include "cpu_time.h"

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
