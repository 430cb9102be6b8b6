// The orvane executable.
#include <QApplication>

#include "app/startup.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvane"));
    QApplication::setApplicationVersion(QStringLiteral("1.5"));
    // Ties the window to its desktop entry (menu entry, icon) on Wayland desktops.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.orvane.Orvane"));
    // The start arguments, after QApplication has taken its own options out.
    SET_START_ARGUMENTS(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc));
    return WinMain(nullptr, nullptr, "", 1);
}
