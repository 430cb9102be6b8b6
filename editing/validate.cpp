// Validation and repair of typed bits. A bit field may hold only '0', '1' and
// blanks, and no more characters than the field has bits. An offending
// character becomes '1', an overlong text is cut to the field width; each
// repair is made visible and announced by a message box.
#include "editing/validate.h"

#include <algorithm>

#include "app/controls.h"
#include "app/format_rows.h"
#include "app/state.h"
#include "dialog/platform.h"

namespace {

constexpr const char* kInvalidBitText = "Invalid input for bit !\n(It is being replaced by \"1\")";
constexpr const char* kExcessBitText = "1 Bit in Excess !\n(The last bit is being removed)";
constexpr const char* kErrorCaption = "Error";

void ShowInvalidBit() {
    platform::MessageBoxA(nullptr, kInvalidBitText, kErrorCaption, platform::MB_OK | platform::MB_ICONEXCLAMATION);
}

void ShowExcessBit() {
    platform::MessageBoxA(nullptr, kExcessBitText, kErrorCaption, platform::MB_OK | platform::MB_ICONERROR);
}

// One field: its control, its width n, and how many leading characters of
// the work text (n + 1 long) the character check examines (n, or n + 1 so
// that an invalid excess character is reported before it is cut).
void CheckField(DIALOG& dlg, const FieldEdit& field) {
    const auto n = static_cast<size_t>(field.width);
    const bool sign = field.first == 0;
    // The work text is one character longer than the field, so that one
    // excess character is seen by the character check.
    std::string work(n + 1, ' ');
    int length = 0;
    DIALOG_GET_INT(dlg, field.id, length, INDEX_TEXTLENGTH);
    DIALOG_GET_TEXT(dlg, field.id, work, INDEX_STATE);

    bool replaced = false;
    CHECK_BITEDIT(field.check, work, replaced);
    if (replaced) {
        DIALOG_SET_TEXT(dlg, field.id, std::string_view(work).substr(0, n), INDEX_STATE);
        DIALOG_FLUSH(dlg);
        ShowInvalidBit();
    }

    if (length > field.width) {
        if (sign) {
            DIALOG_GET_TEXT(dlg, field.id, work, INDEX_STATE);
            DIALOG_SET_TEXT(dlg, field.id, std::string_view(work).substr(0, n), INDEX_STATE);
            DIALOG_FLUSH(dlg);
            ShowExcessBit();
        } else {
            ShowExcessBit();
            DIALOG_GET_TEXT(dlg, field.id, work, INDEX_STATE);
            DIALOG_SET_TEXT(dlg, field.id, std::string_view(work).substr(0, n), INDEX_STATE);
        }
    }
}

void CheckRow(DIALOG& dlg, int id, int kind) {
    const FormatRow* row = RowOfKind(kind);
    if (row == nullptr) return;
    for (const FieldEdit& field : row->Fields()) {
        if (field.id == id) {
            CheckField(dlg, field);
            return;
        }
    }
}

}  // namespace

void CHECK_BITEDIT(int count, std::string& text, bool& replaced) {
    replaced = false;
    const size_t limit = std::min(static_cast<size_t>(std::max(count, 0)), text.size());
    for (size_t i = 0; i < limit; ++i) {
        const char c = text[i];
        if (c != '0' && c != '1' && c != ' ') {
            text[i] = '1';
            replaced = true;
        }
    }
}

void CHECK_BITEDITS_4(DIALOG& dlg, int id, int) { CheckRow(dlg, id, ieee::KIND_BINARY32); }

void CHECK_BITEDITS_8(DIALOG& dlg, int id, int) { CheckRow(dlg, id, ieee::KIND_BINARY64); }

void CHECK_BITEDITS_16(DIALOG& dlg, int id, int) { CheckRow(dlg, id, ieee::KIND_BINARY128); }

void CHECK_BITEDITS_ROW(int kind, DIALOG& dlg, int id, int) { CheckRow(dlg, id, kind); }
