// What one keystroke in an operand of the Operations window costs, with every
// display it updates (the operands' patterns and values, the exact result,
// the rounded result and its exact value, the errors, the flags and the
// table of the five directions) and the repaint that follows, per format and
// operation. The operands' quotient and root have no finite decimal
// expansion, so division and square root show their 40-digit texts. Beside
// each format the baseline: a keystroke in the main dialog's value field.
// Runs offscreen; prints CPU milliseconds per keystroke.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <string>

#include "app/controls.h"
#include "app/format_rows.h"
#include "app/startup.h"
#include "app/state.h"
#include "dialog/dialog_qt.h"
#include "dialog/platform.h"
#include "numeric/operations_view.h"

#include "keystroke_cost.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QWidget* mainWindow = StartMainDialog();
    if (mainWindow == nullptr) return 1;
    DIALOG& main = ORVANEGLOBALS::DLG_MAIN;
    static_cast<QPushButton*>(DialogControl(main, IDC_OPERATIONS))->click();
    Paint();
    QWidget* window = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("IDD_OPERATIONS")) window = w;
    if (!window || !QTest::qWaitForWindowExposed(window)) return 1;
    // Large enough to show every display without scrolling, so that all of
    // them are painted.
    if (auto* scroll = window->findChild<QScrollArea*>()) window->resize(scroll->widget()->sizeHint() + QSize(40, 80));
    Paint();
    auto* format = window->findChild<QComboBox*>(QStringLiteral("format"));
    auto* operation = window->findChild<QComboBox*>(QStringLiteral("operation"));
    QLineEdit* operands[3] = {window->findChild<QLineEdit*>(QStringLiteral("operand_a")),
                              window->findChild<QLineEdit*>(QStringLiteral("operand_b")),
                              window->findChild<QLineEdit*>(QStringLiteral("operand_c"))};
    const char* texts[3] = {"2.7182818284590452353602874713527", "0.3", "-1.25e-3"};
    for (int k = 0; k < 3; ++k) operands[k]->setText(QString::fromLatin1(texts[k]));

    std::printf("CPU ms per keystroke: the update alone, and with the repaint; the main dialog's value field beside\n");
    std::printf("%-10s %-18s %9s %9s %13s %9s\n", "format", "operation", "update", "+ paint", "main update", "+ paint");
    double highest = 0, highestUpdate = 0;
    std::string highestName = "-";
    for (const ieee::FormatInfo& f : ieee::AllFormats()) {
        // The baseline: the main dialog in the same format, a digit typed into its value field.
        QTest::mouseClick(static_cast<QAbstractButton*>(DialogControl(main, RowOfKind(f.kind)->radio)), Qt::LeftButton,
                          {}, QPoint(4, 4));
        auto* value = static_cast<QLineEdit*>(DialogControl(main, IDC_VALUE));
        value->setText(QString::fromLatin1(texts[0]));
        mainWindow->activateWindow();
        const Cost baseline = PerKeystroke(value);

        window->activateWindow();
        format->setCurrentIndex(format->findData(f.kind));
        for (std::size_t k = 0; k < std::size(opsview::kAllOperations); ++k) {
            const std::string name = opsview::OperationName(opsview::kAllOperations[k], 2);
            // ORVANE_BENCH_ONLY="binary64 multiplication" times only the entries that contain it.
            const QByteArray only = qgetenv("ORVANE_BENCH_ONLY");
            if (!only.isEmpty() && (std::string(f.name) + " " + name).find(only.toStdString()) == std::string::npos)
                continue;
            operation->setCurrentIndex(static_cast<int>(k));
            // The last operand the operation takes gets the keystrokes.
            const int last = ieee::OperandCount(opsview::kAllOperations[k]) - 1;
            const Cost ms = PerKeystroke(operands[last]);
            std::printf("%-10s %-18s %9.3f %9.3f %13.3f %9.3f\n", f.name, name.substr(0, 18).c_str(), ms.update,
                        ms.total, baseline.update, baseline.total);
            highestUpdate = std::max(highestUpdate, ms.update);
            if (ms.total > highest) {
                highest = ms.total;
                highestName = std::string(f.name) + " " + name;
            }
        }
    }
    std::printf("highest: update %.3f ms, with the repaint %.3f ms (%s); goal: at most 1 ms\n", highestUpdate, highest,
                highestName.c_str());
    ORVANE_SHUTDOWN();
    return 0;
}
