// What one keystroke in the main dialog's value field costs in each format of
// the list (and a custom width), against binary128, the costliest of the
// five formats with a radio; and how long the table of every encoding of each
// format of at most 8 bits takes to fill. Runs offscreen; prints CPU
// milliseconds.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <cstdio>
#include <string>

#include "app/controls.h"
#include "app/format_rows.h"
#include "app/format_select.h"
#include "app/startup.h"
#include "app/state.h"
#include "dialog/dialog_qt.h"
#include "dialog/encoding_table.h"
#include "dialog/platform.h"

#include "keystroke_cost.h"

constexpr int kFills = 20;  // openings of the table of encodings timed per format

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QWidget* mainWindow = StartMainDialog();
    if (mainWindow == nullptr) return 1;
    DIALOG& main = ORVANEGLOBALS::DLG_MAIN;
    auto* value = static_cast<QLineEdit*>(DialogControl(main, IDC_VALUE));

    // A value with many digits, as a pasted one: every format rounds it.
    const QString typed = QStringLiteral("1.2345678901234567890123456789012345678901");
    auto cost = [&](const ieee::FormatInfo& f) {
        if (!CHOOSE_FORMAT(main, f)) return -1.0;
        value->setText(typed);
        return PerKeystroke(value).total;
    };
    const double baseline = cost(*ieee::FormatFor(ieee::KIND_BINARY128));
    std::printf("keystroke in the value field, CPU ms (ratio to binary128)\n");
    std::printf("  %-12s %8.3f\n", "binary128", baseline);
    std::vector<const ieee::FormatInfo*> listed;
    for (const ieee::FormatInfo& f : ieee::AllFormats())
        if (!HasOwnRadio(f)) listed.push_back(&f);
    for (auto [e, m] : {std::pair{4, 3}, {15, 112}, {11, 100}})
        if (const ieee::FormatInfo* f = ieee::CustomFormat(e, m)) listed.push_back(f);
    for (const ieee::FormatInfo* f : listed) {
        const double ms = cost(*f);
        std::printf("  %-12s %8.3f  (%.2f)\n", f->name, ms, ms / baseline);
    }

    std::printf("table of every encoding opened and filled, CPU ms (goal: under 5)\n");
    for (const ieee::FormatInfo* f : listed) {
        if (f->bits > ENCODING_TABLE_MAX_BITS || !CHOOSE_FORMAT(main, *f)) continue;
        static_cast<QPushButton*>(DialogControl(main, IDC_ALT_TABLE))->click();
        Paint();
        double total = 0;
        int rows = 0;
        for (int n = 0; n < kFills; ++n) {
            // Each fill builds the window afresh: the opening click with its
            // every row, as the first opening for a format does.
            ENCODING_TABLE_CLOSE();
            const double start = CpuMs();
            static_cast<QPushButton*>(DialogControl(main, IDC_ALT_TABLE))->click();
            total += CpuMs() - start;
            rows = ENCODING_TABLE_REFILL();
        }
        ENCODING_TABLE_CLOSE();
        std::printf("  %-12s %4d rows %8.3f\n", f->name, rows, total / kFills);
    }
    ORVANE_SHUTDOWN();
    return 0;
}
