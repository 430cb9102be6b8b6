// The Operations window's link to the main dialog.
#include "app/operations_link.h"

#include "app/controls.h"
#include "app/format_rows.h"
#include "app/state.h"
#include "app/format_select.h"
#include "dialog/encoding_table.h"
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

const ieee::FormatInfo* ListedFormat() {
    const ieee::FormatInfo* f = AltRow().info;
    return f != nullptr && f->bits <= ENCODING_TABLE_MAX_BITS ? f : nullptr;
}

bool ListedIsCurrent() { return AltRow().info != nullptr && COMUN::FORMAT_KIND == AltRow().kind; }

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
    const ieee::FormatInfo* f = ieee::FormatFor(kind);
    if (f == nullptr || !CHOOSE_FORMAT(main, *f)) return;
    const FormatRow* row = RowOfKind(kind);
    if (row == nullptr) return;
    DIALOG_SET_TEXT(main, IDC_HEX, ieee::HexWord(*row->info, bits));
    HEX_EDITED(main, IDC_HEX, EVENT_CHANGE);
}

void ENCODINGS_CLICK(DIALOG& dlg, int, int) {
    EncodingTableHost host;
    host.format = ListedFormat;
    host.currentPattern = CurrentPattern;
    host.isCurrent = ListedIsCurrent;
    host.choose = SEND_TO_MAIN;
    host.language = Language;
    ENCODING_TABLE_OPEN(host, dlg);
}
