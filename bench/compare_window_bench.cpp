// What the Compare formats window adds to a keystroke in the main dialog's
// value field: every row worked out again (the number read into each format,
// its scientific form, word, class and exact errors) and put on the table,
// then the repaint. The same keystrokes are timed with the window closed
// (the baseline) and open; the difference is the window's share. Runs
// offscreen; prints CPU milliseconds per keystroke.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <cstdio>

#include "app/controls.h"
#include "app/format_rows.h"
#include "app/startup.h"
#include "app/state.h"
#include "dialog/dialog_qt.h"
#include "dialog/platform.h"

#include "keystroke_cost.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QWidget* mainWindow = StartMainDialog();
    if (mainWindow == nullptr) return 1;
    DIALOG& main = ORVANEGLOBALS::DLG_MAIN;
    auto* value = static_cast<QLineEdit*>(DialogControl(main, IDC_VALUE));
    const char* texts[] = {"0.1000000000000000055511151231257827", "0x1.99999999999999999999999999ap-4", "-6.5e-4966"};

    std::printf("CPU ms per keystroke in the value field: window closed, open, and the difference\n");
    std::printf("%-10s %-36s %9s %9s %9s %9s\n", "format", "text", "closed", "open", "update", "+ paint");
    double highest = 0;
    for (const ieee::FormatInfo& f : ieee::AllFormats()) {
        const FormatRow* row = RowOfKind(f.kind);
        if (row == nullptr || row->radio == 0) continue;
        QTest::mouseClick(static_cast<QAbstractButton*>(DialogControl(main, row->radio)), Qt::LeftButton, {},
                          QPoint(4, 4));
        for (const char* text : texts) {
            QWidget* compare = nullptr;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->objectName() == QLatin1String("IDD_COMPARE")) compare = w;
            if (compare) compare->close();
            Paint();
            value->setText(QString::fromLatin1(text));
            mainWindow->activateWindow();
            const Cost closed = PerKeystroke(value);
            static_cast<QPushButton*>(DialogControl(main, IDC_COMPARE))->click();
            Paint();
            mainWindow->activateWindow();
            const Cost open = PerKeystroke(value);
            const double update = open.update - closed.update, total = open.total - closed.total;
            std::printf("%-10s %-36s %9.3f %9.3f %9.3f %9.3f\n", f.name, text, closed.total, open.total, update, total);
            highest = std::max(highest, update);
        }
    }
    std::printf("highest update of all rows: %.3f ms; goal: at most 2 ms\n", highest);
    ORVANE_SHUTDOWN();
    return 0;
}
