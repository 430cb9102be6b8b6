// The "How it was rounded" window's link to the main dialog.
#include "app/steps_link.h"

#include <algorithm>

#include "app/controls.h"
#include "app/state.h"
#include "dialog/steps_window.h"
#include "numeric/ieee/format_table.h"
#include "numeric/rounding_steps_view.h"
#include "numeric/stored_display.h"

namespace {

// The lines for the datum of the main dialog's format: the value field's
// text is explained while the datum is the number read from it.
std::vector<std::string> ConversionLines(int lang) {
    using namespace COMUN;
    const ieee::FormatInfo* f = ieee::FormatFor(FORMAT_KIND);
    if (f == nullptr) return {};
    DIALOG& main = ORVANEGLOBALS::DLG_MAIN;
    int length = 0;
    if (!DIALOG_GET_INT(main, IDC_VALUE, length, INDEX_TEXTLENGTH)) length = 0;
    std::string text(static_cast<size_t>(std::max(length, 0)), ' ');
    if (!DIALOG_GET_TEXT(main, IDC_VALUE, text)) text.clear();
    const bool fromTyped = TYPED_NUMBER.valid && STORED_SHOWN.valid && TYPED_NUMBER.kind == FORMAT_KIND &&
                           STORED_SHOWN.kind == FORMAT_KIND && TYPED_NUMBER.pattern == STORED_SHOWN.pattern;
    const ieee::uint128 stored = STORED_SHOWN.valid && STORED_SHOWN.kind == FORMAT_KIND ? STORED_SHOWN.pattern : 0;
    return stepsview::ConversionLines(*f, fromTyped ? &TYPED_NUMBER.number : nullptr, text, stored, lang);
}

void DatumChanged() { STEPS_REFRESH(StepsSource::Conversion); }

}  // namespace

void STEPS_CLICK(DIALOG& dlg, int, int) {
    SET_DATUM_LISTENER(DatumChanged);
    StepsHost host;
    host.lines = ConversionLines;
    host.language = [] { return COMUN::LANG; };
    STEPS_OPEN(host, dlg);
}
