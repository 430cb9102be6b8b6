// Format selection: which row of bit edits is live, and the format radios.
#include "app/format_select.h"

#include <algorithm>

#include "app/controls.h"
#include "app/state.h"

namespace {

struct BitEdit {
    int id;
    int kind;   // FORMAT_KIND of its row
    int width;  // bits of its field
};
constexpr BitEdit kBitEdits[] = {
    {IDC_SIGN_32, 4, 1},       {IDC_EXPONENT_32, 4, 8},       {IDC_FRACTION_32, 4, 23},
    {IDC_SIGN_64, 8, 1},       {IDC_EXPONENT_64, 8, 11},      {IDC_FRACTION_64, 8, 52},
    {IDC_SIGN_128, 16, 1},     {IDC_EXPONENT_128, 16, 15},    {IDC_FRACTION_128_HIGH, 16, 48},
    {IDC_FRACTION_128_LOW, 16, 64},
};

}  // namespace

void ENABLEBITEDITS(DIALOG& dlg, int, int) {
    for (const BitEdit& edit : kBitEdits)
        DIALOG_SET_LOGICAL(dlg, edit.id, COMUN::FORMAT_KIND == edit.kind, INDEX_ENABLE);
}

void FORMAT_CLICK(DIALOG& dlg, int id, int event) {
    using namespace COMUN;
    int kind = 0;
    switch (id) {
    case IDC_FORMAT_32: kind = 4; break;
    case IDC_FORMAT_64: kind = 8; break;
    case IDC_FORMAT_128: kind = 16; break;
    default: return;
    }
    FORMAT_KIND = kind;
    ENABLEBITEDITS(dlg, id, event);
    for (const BitEdit& edit : kBitEdits) {
        if (edit.kind != kind) continue;
        if (edit.width == 1)
            DIALOG_SET_TEXT(dlg, edit.id, "0");
        else
            DIALOG_SET_TEXT(dlg, edit.id, STR_0.substr(0, std::min<std::size_t>(static_cast<std::size_t>(edit.width), STR_0.size())));
    }
    DIALOG_SET_TEXT(dlg, IDC_VALUE, "0");
    DIALOG_SET_TEXT(dlg, IDC_PARAM_VALUE, "");
    DIALOG_SET_TEXT(dlg, IDC_PARAM_CAPTION, "");
    DIALOG_SET_LOGICAL(dlg, IDC_BINARY_NEIGHBOURS, false);
    DIALOG_SET_TEXT(dlg, IDC_DATA_TYPE, "");
    DIALOG_SET_TEXT(dlg, IDC_CURSOR_POS, "");
}
