// Takes a picture of the real main window for the README and the docs: the
// program starts offscreen, replays a few user actions and saves the window
// as a PNG. Set QT_SCALE_FACTOR for a high-density picture.
//
//   orvane_screenshot out.png [click:<id>] [type:<id>:<text>] [lang:en] ...
// (<id>: a main dialog control's number, or a widget's object name)
// Every other window the actions leave open is saved beside it as out-1.png ...
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QWidget>
#include <cstdio>

#include "app/startup.h"
#include "app/state.h"
#include "dialog/dialog_qt.h"
#include "dialog/platform.h"

namespace {

void Settle() {
    for (int i = 0; i < 10; ++i) QCoreApplication::processEvents();
}

// A control of the main dialog by its id, or a widget of any open window by
// its object name (the Operations window's "operand_a", say).
QWidget* Control(const QString& key) {
    bool number = false;
    const int id = key.toInt(&number);
    if (number) return DialogControl(ORVANEGLOBALS::DLG_MAIN, id);
    for (QWidget* window : QApplication::topLevelWidgets())
        if (QWidget* w = window->findChild<QWidget*>(key)) return w;
    return nullptr;
}

bool Replay(const QString& action) {
    const QStringList parts = action.split(u':');
    QWidget* w = parts.size() >= 2 ? Control(parts[1]) : nullptr;
    if (!w) return false;
    if (parts[0] == QLatin1String("click")) {
        QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, w->rect().center());
    } else if (parts[0] == QLatin1String("type") && parts.size() >= 3) {
        auto* edit = qobject_cast<QLineEdit*>(w);
        if (!edit) return false;
        QTest::mouseClick(edit, Qt::LeftButton, Qt::NoModifier, edit->rect().center());
        edit->selectAll();
        QTest::keyClicks(edit, parts.mid(2).join(u':'));
    } else {
        return false;
    }
    Settle();
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s out.png [click:<id>] [type:<id>:<text>] ...\n", argv[0]);
        return 2;
    }
    QApplication app(argc, argv);
    // Messages are answered at once (and reported), so a replay never waits for a click.
    platform::PlatformHooks hooks;
    hooks.messageBox = [](std::string_view text, std::string_view caption, unsigned) {
        std::fprintf(stderr, "message \"%.*s\": %.*s\n", static_cast<int>(caption.size()), caption.data(),
                     static_cast<int>(text.size()), text.data());
        return IDOK;
    };
    platform::SetPlatformHooks(hooks);
    if (!ORVANE_STARTUP(1)) return 1;
    Settle();
    int status = 0;
    for (int i = 2; i < argc; ++i) {
        if (!Replay(QString::fromLocal8Bit(argv[i]))) {
            std::fprintf(stderr, "cannot replay %s\n", argv[i]);
            status = 2;
        }
    }
    QWidget* window = DialogWindow(ORVANEGLOBALS::DLG_MAIN);
    if (status == 0 && !(window && window->grab().save(QString::fromLocal8Bit(argv[1])))) status = 1;
    // Other windows the actions opened (the Operations window, say) beside it:
    // out-1.png, out-2.png ...
    int n = 0;
    for (QWidget* other : QApplication::topLevelWidgets()) {
        if (status != 0 || other == window || !other->isVisible()) continue;
        QString name = QString::fromLocal8Bit(argv[1]);
        name.insert(name.lastIndexOf(u'.') < 0 ? name.size() : name.lastIndexOf(u'.'), u'-' + QString::number(++n));
        if (!other->grab().save(name)) status = 1;
    }
    ORVANE_SHUTDOWN();
    return status;
}
