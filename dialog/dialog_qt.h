// Toolkit side of the dialog layer: what tests and the platform layer need to
// see of the Qt widgets behind a dialog record.
#pragma once

#include <QIcon>
#include <QSize>
#include <QString>
#include <string>
#include <string_view>

#include "dialog/dialog.h"

class QWidget;

// An icon loaded from the program's resources (see platform::LoadIconResource).
struct IconResource {
    int resourceId = 0;
    QSize size;  // the size asked for
    QIcon icon;  // scalable: rendered from the vector source at every size
};

// Registers the program's images (icons, bitmap) with the resource system; idempotent.
void EnsureResources();

// The top-level window of a record, nullptr while it has none.
QWidget* DialogWindow(DIALOG& dlg);
// The widget of control `id`, nullptr when the record has no window or no such control.
QWidget* DialogControl(DIALOG& dlg, int id);

// Windows-1252 bytes <-> Unicode. A character without a Windows-1252 byte
// becomes '?' (one byte per character, so lengths count characters).
QString FromWindows1252(std::string_view bytes);
std::string ToWindows1252(QStringView text);
// Number of characters (code points) of a text.
int CodePointCount(QStringView text);
// Line breaks of a Windows text (CR LF, LF CR, lone CR or LF) as single '\n'.
QString DisplayLineBreaks(const QString& text);

// Horizontal room for text inside an edit, in pixels (what it can show without scrolling).
int EditTextRoom(QWidget* edit);
// Pixels needed to show `text` in `edit` without scrolling.
int EditTextNeed(QWidget* edit, const QString& text);

namespace platform_qt {
// Quit requested by PostQuitMessage and not yet consumed by the message loop.
bool QuitPending(int* code = nullptr);
void ClearQuit();
}  // namespace platform_qt
