// The Compare formats window's link to the main dialog.
#include "app/compare_link.h"

#include <algorithm>
#include <string>

#include "app/controls.h"
#include "app/format_select.h"
#include "app/format_rows.h"
#include "app/state.h"
#include "dialog/compare_window.h"
#include "numeric/represent.h"

namespace {

int Language() { return COMUN::LANG; }
int CurrentKind() { return COMUN::FORMAT_KIND; }

}  // namespace

void COMPARE_CLICK(DIALOG& dlg, int, int) {
    CompareHost host;
    host.currentKind = CurrentKind;
    host.valueControl = IDC_VALUE;
    host.chooseFormat = CHOOSE_FORMAT;
    host.language = Language;
    COMPARE_OPEN(host, dlg);
}

bool CHOOSE_FORMAT(int kind) {
    DIALOG& main = ORVANEGLOBALS::DLG_MAIN;
    const ieee::FormatInfo* f = ieee::FormatFor(kind);
    if (f == nullptr) return false;
    int length = 0;
    DIALOG_GET_INT(main, IDC_VALUE, length, INDEX_TEXTLENGTH);
    std::string text(static_cast<std::size_t>(std::max(length, 0)), ' ');
    DIALOG_GET_TEXT(main, IDC_VALUE, text);
    // Its radio, or the Alt format choice set to it; choosing resets the field.
    if (!CHOOSE_FORMAT(main, *f)) return false;
    // The number again, as if typed into the field of the new format.
    DIALOG_SET_TEXT(main, IDC_VALUE, text);
    SUB_REPRESENT(main, IDC_VALUE, EVENT_CHANGE);
    return true;
}
