// The program's message loop and its end by PostQuitMessage.
#include <QApplication>
#include <QEventLoop>

#include "dialog/dialog_qt.h"
#include "dialog/platform.h"

namespace {

bool g_quitPending = false;
int g_quitCode = 0;
// The program's message loop while it runs. Ending it through its own loop,
// not QCoreApplication::exit, leaves later modal loops (and tests) working.
QEventLoop* g_loop = nullptr;

}  // namespace

namespace platform_qt {
bool QuitPending(int* code) {
    if (code && g_quitPending) *code = g_quitCode;
    return g_quitPending;
}
void ClearQuit() {
    g_quitPending = false;
    g_quitCode = 0;
}
}  // namespace platform_qt

namespace platform {

int RunMessageLoop() {
    if (!g_quitPending && qApp && !g_loop) {
        QApplication::setQuitOnLastWindowClosed(false);
        QEventLoop loop;
        g_loop = &loop;
        loop.exec();
        g_loop = nullptr;
    }
    const int code = g_quitCode;
    platform_qt::ClearQuit();
    return code;
}

void PostQuitMessage(int code) {
    g_quitPending = true;
    g_quitCode = code;
    if (g_loop) g_loop->exit(code);
}

}  // namespace platform
