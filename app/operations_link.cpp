// The Operations window's link to the main dialog.
#include "app/operations_link.h"

#include "app/controls.h"
#include "app/format_rows.h"
#include "app/state.h"
#include "dialog/operations_window.h"
#include "numeric/ieee/stored_value.h"
#include "numeric/represent.h"
#include "numeric/row_bits.h"
#include "numeric/stored_display.h"

namespace {

int CurrentKind() { return COMUN::FORMAT_KIND; }

// The pattern the bit fields of the current format hold, read as every
// display of the main dialog reads them.
ieee::uint128 CurrentPattern() {
    const FormatRow* row = RowOfKind(COMUN::FORMAT_KIND);
    return row ? READ_ROW_PATTERN(ORVANEGLOBALS::DLG_MAIN, *row) : 0;
}

int Language() { return COMUN::LANG; }

}  // namespace

void OPERATIONS_CLICK(DIALOG& dlg, int, int) {
    OperationsHost host;
    host.currentKind = CurrentKind;
    host.currentPattern = CurrentPattern;
    host.sendPattern = SEND_TO_MAIN;
    host.language = Language;
    OPERATIONS_OPEN(host, dlg);
}

void SEND_TO_MAIN(int kind, ieee::uint128 bits) {
    DIALOG& main = ORVANEGLOBALS::DLG_MAIN;
    const FormatRow* row = RowOfKind(kind);
    if (row == nullptr) return;
    if (COMUN::FORMAT_KIND != kind) {
        DIALOG_SET_LOGICAL(main, row->radio, true);
        SUB_REPRESENT(main, row->radio, EVENT_CLICKED);
    }
    DIALOG_SET_TEXT(main, IDC_HEX, ieee::HexWord(*row->info, bits));
    HEX_EDITED(main, IDC_HEX, EVENT_CHANGE);
}
