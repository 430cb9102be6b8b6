// Validation and repair of typed bits. A bit field may hold only '0', '1' and
// blanks, and no more characters than the field has bits. An offending
// character becomes '1', an overlong text is cut to the field width; each
// repair is made visible and announced by a message box.
#include "editing/validate.h"

#include <algorithm>

#include "app/controls.h"
#include "app/state.h"
#include "dialog/platform.h"

namespace {

constexpr const char* kInvalidBitText = "Invalid input for bit !\n(It is being replaced by \"1\")";
constexpr const char* kExcessBitText = "1 Bit in Excess !\n(The last bit is being removed)";
constexpr const char* kErrorCaption = "Error";

// One field: its control, width n, and how many leading characters of the
// work text (n + 1 long) the character check examines.
struct FieldCheck {
    int id;
    int n;
    int m;
    bool sign;
};

constexpr FieldCheck kFields4[] = {
    {IDC_SIGN_32, 1, 1, true},
    {IDC_EXPONENT_32, 8, 9, false},
    {IDC_FRACTION_32, 23, 24, false},
};
constexpr FieldCheck kFields8[] = {
    {IDC_SIGN_64, 1, 1, true},
    {IDC_EXPONENT_64, 11, 11, false},
    {IDC_FRACTION_64, 52, 53, false},
};
constexpr FieldCheck kFields16[] = {
    {IDC_SIGN_128, 1, 1, true},
    {IDC_EXPONENT_128, 15, 15, false},
    {IDC_FRACTION_128_HIGH, 48, 49, false},
    {IDC_FRACTION_128_LOW, 64, 64, false},
};

void ShowInvalidBit() {
    platform::MessageBoxA(nullptr, kInvalidBitText, kErrorCaption,
                          platform::MB_OK | platform::MB_ICONEXCLAMATION);
}

void ShowExcessBit() {
    platform::MessageBoxA(nullptr, kExcessBitText, kErrorCaption,
                          platform::MB_OK | platform::MB_ICONERROR);
}

void CheckField(DIALOG& dlg, const FieldCheck& field) {
    // The work text is one character longer than the field, so that one
    // excess character is seen by the character check.
    std::string work(static_cast<size_t>(field.n) + 1, ' ');
    int length = 0;
    DIALOG_GET_INT(dlg, field.id, length, INDEX_TEXTLENGTH);
    DIALOG_GET_TEXT(dlg, field.id, work, INDEX_STATE);

    bool replaced = false;
    CHECK_BITEDIT(field.m, work, replaced);
    if (replaced) {
        DIALOG_SET_TEXT(dlg, field.id, std::string_view(work).substr(0, field.n), INDEX_STATE);
        DIALOG_FLUSH(dlg);
        ShowInvalidBit();
    }

    if (length > field.n) {
        if (field.sign) {
            DIALOG_GET_TEXT(dlg, field.id, work, INDEX_STATE);
            DIALOG_SET_TEXT(dlg, field.id, std::string_view(work).substr(0, field.n), INDEX_STATE);
            DIALOG_FLUSH(dlg);
            ShowExcessBit();
        } else {
            ShowExcessBit();
            DIALOG_GET_TEXT(dlg, field.id, work, INDEX_STATE);
            DIALOG_SET_TEXT(dlg, field.id, std::string_view(work).substr(0, field.n), INDEX_STATE);
        }
    }
}

template <size_t N>
void CheckGroup(DIALOG& dlg, int id, const FieldCheck (&fields)[N]) {
    for (const FieldCheck& field : fields) {
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

void CHECK_BITEDITS_4(DIALOG& dlg, int id, int) { CheckGroup(dlg, id, kFields4); }

void CHECK_BITEDITS_8(DIALOG& dlg, int id, int) { CheckGroup(dlg, id, kFields8); }

void CHECK_BITEDITS_16(DIALOG& dlg, int id, int) { CheckGroup(dlg, id, kFields16); }
