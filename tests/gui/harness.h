// GUI test harness shared by all GUI tests: runs the real start-up offscreen,
// drives the real widgets with real key and mouse events, and answers message
// boxes and the file chooser through the platform seam so no test ever blocks.
#pragma once

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QString>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "dialog/dialog.h"
#include "dialog/platform.h"

namespace harness {

// One message box the program asked for.
struct MessageRecord {
    std::string text;
    std::string caption;
    unsigned style;
};

// Fixture: SetUp resets the shared state (RESET_SHARED_STATE), installs the
// message-box and file-chooser recorders, runs the real start-up
// (ORVANE_STARTUP(1)) offscreen and waits until the main window is shown and
// active. TearDown closes everything, releases the records (ORVANE_SHUTDOWN),
// restores the platform hooks and processes pending events.
class AppTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

QWidget* Widget(int id);               // control of the main dialog (DLG_MAIN)
QWidget* Widget(DIALOG& dlg, int id);  // control of another dialog (nullptr if its window is not open)
QWidget* Window(DIALOG& dlg);          // top-level window of a record (nullptr if not open)
QLineEdit* Edit(int id);               // edit of the main dialog
// What a control shows, as Windows-1252 bytes: edit or text box text, caption of a static,
// group box, button, radio or check box; for a list box its items joined by '\n'.
// Line breaks of a static come back as the program wrote them (CR LF ...) as
// long as the label shows exactly those lines.
std::string Text(int id);
std::string Text(DIALOG& dlg, int id);

// Real mouse click into a main-dialog edit (gives it the focus; the caret lands
// at the end of the text).
void ClickInto(int id);
void Type(int id, const QString& text);          // ClickInto(id) unless already focused, then real key clicks
void Key(int id, int qtKey, int modifiers = 0);  // one real key press on the control (an edit is focused first)
void Paste(int id, const QString& text);         // puts text on the clipboard and presses Ctrl+V in the edit
void Click(int id);                              // real mouse click on a button/radio/check box of the main dialog
void Click(DIALOG& dlg, int id);
void SelectListItem(int id, int item);  // real click on 1-based item of a list box
void ProcessEvents();                   // lets queued events (deferred callbacks) run

std::vector<MessageRecord>& Messages();  // message boxes shown since SetUp, in order
void ClearMessages();
// Called while a message box is "open" (inside the program's MessageBoxA call),
// before it returns IDOK (or the answer set by SetMessageAnswer).
void OnMessage(std::function<void(const MessageRecord&)> hook);
void SetMessageAnswer(std::function<int(const MessageRecord&)> answer);  // default: IDOK
// Answers the file chooser; default: cancel (returns 0). The hook receives the
// request and may write a path into request.lpstrFile (size request.nMaxFile)
// and return nonzero.
void SetFileChooserAnswer(std::function<int(platform::OPENFILENAMEA&)> answer);

// Extras.
bool Checked(int id);                        // radio or check box state (widget)
bool Enabled(int id);                        // widget enablement
std::vector<std::string> ListItems(int id);  // items of a main-dialog list box
int ListSelection(int id);                   // 1-based selected row, 0 = none
bool QuitPosted(int* code = nullptr);        // PostQuitMessage was called (and not yet consumed)
int FileChooserCalls();                      // file chooser requests since SetUp

}  // namespace harness
