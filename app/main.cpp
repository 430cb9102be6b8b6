// The orvane executable.
#include <QApplication>

#include "app/startup.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvane"));
    QApplication::setApplicationVersion(QStringLiteral("1.5"));
    // Ties the window to its desktop entry (menu entry, icon) on Wayland desktops.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.orvane.Orvane"));
    return WinMain(nullptr, nullptr, "", 1);
}
