// What the platform services over Qt share among themselves: the hooks that
// answer message boxes and the chooser in tests, the language of the
// platform's own windows, and the message box the chooser asks its questions
// with. Internal to dialog/.
#pragma once

#include <QLocale>
#include <QString>

#include "dialog/platform.h"

class QWidget;

namespace platform_qt {

// The hooks installed by SetPlatformHooks (empty: the real windows answer).
platform::PlatformHooks& Hooks();

// True while the platform's windows speak Romanian (the start), false for English.
bool Romanian();
// One of the platform layer's own texts, written in English, in the language chosen.
QString Tr(const char* text);
// The locale of sizes and dates shown in the language chosen.
QLocale LanguageLocale();

// A modal message box (style: MB_OK or MB_YESNO with an MB_ICON* flag) over
// `parent`; returns IDOK, IDYES or IDNO. Never passes through the hooks.
int ShowBox(const QString& text, const QString& caption, unsigned style, QWidget* parent = nullptr);

// The real file chooser, run modally; nonzero when a file was chosen.
int RealFileChooser(platform::OPENFILENAMEA& request);

}  // namespace platform_qt
