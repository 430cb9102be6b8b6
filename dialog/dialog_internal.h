// Internal parts of the dialog layer shared by its files: the record with its
// model of every control, and the routines of each subject (Windows-1252
// texts, event dispatch, model <-> widgets, caption fitting, window
// building, repainting).
#pragma once

#include <QFont>
#include <QPointer>
#include <QWidget>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "dialog/dialog_qt.h"
#include "resources/layouts.h"

namespace dialog_qt {

// What of a control the program changed while a callback runs and the
// screen does not show yet.
enum : unsigned {
    PendingText = 1u << 0,
    PendingCaret = 1u << 1,
    PendingEnable = 1u << 2,
};

using layouts::ControlDef;
using layouts::Kind;
using layouts::LayoutDef;

class OrvaneDialog;

struct ControlState {
    const ControlDef* def = nullptr;
    std::string text;  // Windows-1252
    bool checked = false;
    bool enabled = true;
    std::vector<std::string> items;
    int selection = 0;  // 1-based, 0 = none
    int caret = 0;      // characters before the caret
    HICON image = nullptr;
    std::string shortcut;  // push buttons: the key sequence that presses them
    bool visible = true;
    int minimum = 0;  // spin boxes: the bounds of the value
    int maximum = 99;
    bool ownAccessible = false;     // the program gave the next two in place of the layout's
    std::string accessibleName[2];  // [0] Romanian, [1] English
    std::string accessibleDesc[2];
    unsigned pending = 0;  // changes set by the program and not yet on screen (Pending...)
    QPointer<QWidget> widget;
    std::map<int, DialogCallback> callbacks;  // event kind -> routine
};

}  // namespace dialog_qt

// A dialog record: its layout, its model of every control, and its window
// while it has one.
struct DialogImpl {
    const dialog_qt::LayoutDef* layout = nullptr;
    DIALOG* record = nullptr;
    std::vector<dialog_qt::ControlState> controls;
    DialogCallback dialogCallback = nullptr;
    std::string title;
    HICON windowIcon = nullptr;
    QPointer<dialog_qt::OrvaneDialog> window;
    DialogImpl* owner = nullptr;
    bool modalRunning = false;
    int result = 0;
    bool pending = false;  // some control has pending changes
};

namespace dialog_qt {

// ---- Windows-1252 texts (windows1252.cpp)
// Text up to the first NUL, without trailing blanks.
std::string_view Trimmed(std::string_view text);

// ---- Records and the event dispatch (dispatch.cpp)
extern std::vector<DialogImpl*> g_live;     // every record built and not yet released
extern int g_programChange;                 // > 0 while the program itself changes widgets
extern std::vector<DialogImpl*> g_running;  // records whose callbacks run, innermost last

// Marks a program change for its lifetime: widget signals it raises are no user events.
struct ProgramChange {
    ProgramChange() { ++g_programChange; }
    ~ProgramChange() { --g_programChange; }
    ProgramChange(const ProgramChange&) = delete;
    ProgramChange& operator=(const ProgramChange&) = delete;
};

bool Alive(const DialogImpl* impl);
// The record behind a DIALOG, or nullptr.
DialogImpl* ImplOf(DIALOG& dlg);
ControlState* Find(DialogImpl* impl, int id);
DialogCallback CallbackFor(DialogImpl* impl, int id, int event);
// Runs a callback now (and, once the outermost one returns, those queued meanwhile).
void Invoke(DialogImpl* impl, int id, int event);
// A user event: runs its callback now, or after the running callbacks return.
void Dispatch(DialogImpl* impl, int id, int event);
// The window of the innermost running callback that has one (the owner of a new window).
QWidget* CurrentOwnerWindow();
DialogImpl* CurrentOwner();

// ---- Model <-> widgets (control_model.cpp)
// List boxes and drop-down lists hold items and a selection alike.
inline bool HasItems(const ControlState& c) { return c.def->kind == Kind::ListBox || c.def->kind == Kind::ComboBox; }
void PullFromWidget(ControlState& c);
void ApplyIcon(ControlState& c);
// Puts the model's text on the widget; false when it showed that text already.
bool PushText(ControlState& c);
void PushItems(ControlState& c);
// A spin box's value: its model text read as a whole number, clamped into its bounds.
int SpinValue(const ControlState& c);
void PushSelection(ControlState& c);
void PushCheck(ControlState& c);
// Checking a radio unchecks the other radios of its group.
void UncheckGroup(DialogImpl* impl, const ControlState& checked);

// ---- Fonts, dialog units and captions that must fit (caption_fit.cpp)
class OrvaneEdit;
QFont DialogFont(const LayoutDef& layout);
struct BaseUnits {
    int x = 4;
    int y = 8;
    int px(int du) const { return (du * x + 2) / 4; }
    int py(int du) const { return (du * y + 4) / 8; }
};
BaseUnits UnitsOf(const QFont& font);
void FitBitEdit(OrvaneEdit* edit, int digits);
// Fits every caption of a window afresh from the layout's rectangles (see caption_fit.cpp).
void FitCaptions(QWidget* window);

// ---- Windows (window_builder.cpp)
// Gives push button `c` its keyboard shortcut in its window (replacing an earlier one).
void ApplyShortcut(ControlState& c);
bool CreateWindow(DialogImpl* impl, QWidget* parent);
void DestroyWindow(DialogImpl* impl, bool notify);
void CloseDialog(DialogImpl* impl, int code);
void CancelRequested(DialogImpl* impl);
void SetInitialFocus(QWidget* window);
void RaiseAndActivate(QWidget* window);

// ---- Assistive technology (accessibility.cpp)
// Radios are told as radio buttons, displays as read-only texts; installed
// once, before the first window.
void InstallAccessibility();
// Name (from the caption beside it) and description of one control, in the
// language set by DIALOG_SET_ACCESSIBLE_LANGUAGE.
void ApplyAccessibleText(DialogImpl* impl, ControlState& c);
// The caption `captionId` changed: the controls it names follow it.
void CaptionChanged(DialogImpl* impl, int captionId);
// The layout's tab order, where it has one.
void ApplyTabOrder(DialogImpl* impl);

// ---- Pending changes and repainting (repaint.cpp)
// The program changed `what` of control c. While a callback runs the change
// waits (a get returns it as set) until the callback returns or a flush;
// otherwise it goes to the widget at once.
void Changed(DialogImpl* impl, ControlState& c, unsigned what);
// Puts the pending changes of one record, or of every record, on its widgets
// (only what differs from what they show); no painting.
void ApplyPending(DialogImpl* impl);
void ApplyAllPending();
// A flush now: the pending changes go to the widgets and the controls
// changed since the last paint are painted now, nothing else.
void Flush(DialogImpl* impl);
// DIALOG_FLUSH: a flush now, or, inside a callback, the pending changes go to
// the widgets and are painted when a modal window opens or the callback ends.
void RequestFlush(DialogImpl* impl);
// Flushes every record with a window (a modal window is about to block them).
void FlushAll();

}  // namespace dialog_qt

namespace dialog_qt {
// ---- Assistive technology, per control (accessibility.cpp)
// Once its window is built: a list keeps a current entry only while it has
// the focus, and a display (read-only edit, text box) gets the read-only
// interface even if a tool asked for one before it was read-only.
void PrepareAccessible(ControlState& c);
}  // namespace dialog_qt
