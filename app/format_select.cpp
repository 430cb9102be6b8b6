// Format selection: which row of bit edits is live, and the format radios.
#include "app/format_select.h"

#include "app/controls.h"
#include "app/format_rows.h"
#include "app/state.h"
#include "numeric/stored_display.h"

void ENABLEBITEDITS(DIALOG& dlg, int, int) {
    for (const FormatRow& row : FormatRows())
        for (const FieldEdit& edit : row.Fields())
            DIALOG_SET_LOGICAL(dlg, edit.id, COMUN::FORMAT_KIND == row.kind, INDEX_ENABLE);
}

void FORMAT_CLICK(DIALOG& dlg, int id, int event) {
    using namespace COMUN;
    const FormatRow* row = RowOfControl(id);
    if (row == nullptr || row->radio != id) return;
    FORMAT_KIND = row->kind;
    ENABLEBITEDITS(dlg, id, event);
    for (const FieldEdit& edit : row->Fields()) {
        if (edit.width == 1) DIALOG_SET_TEXT(dlg, edit.id, "0");
        else DIALOG_SET_TEXT(dlg, edit.id, STR_0.substr(0, static_cast<std::size_t>(edit.width)));
    }
    DIALOG_SET_TEXT(dlg, IDC_VALUE, "0");
    VALUE_TYPED = false;
    DIALOG_SET_TEXT(dlg, IDC_PARAM_VALUE, "");
    DIALOG_SET_TEXT(dlg, IDC_PARAM_CAPTION, "");
    DIALOG_SET_LOGICAL(dlg, IDC_BINARY_NEIGHBOURS, false);
    DIALOG_SET_TEXT(dlg, IDC_DATA_TYPE, "");
    DIALOG_SET_TEXT(dlg, IDC_CURSOR_POS, "");
    CLEAR_STORED_VALUE(dlg);
}
