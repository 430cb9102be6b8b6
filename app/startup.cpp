// Start-up: builds the main and summary dialogs, wires every control to its
// routine, sets the start state, shows the main dialog and runs the loop.
#include "app/startup.h"

#include <QApplication>
#include <cstdio>
#include <memory>

#include "app/compare_link.h"
#include "app/controls.h"
#include "app/fixed_text.h"
#include "app/format_rows.h"
#include "app/format_select.h"
#include "app/operations_link.h"
#include "app/state.h"
#include "app/steps_link.h"
#include "dialog/compare_window.h"
#include "dialog/encoding_table.h"
#include "dialog/operations_window.h"
#include "dialog/platform.h"
#include "dialog/steps_window.h"
#include "numeric/classify.h"
#include "numeric/datum_report.h"
#include "numeric/decode.h"
#include "numeric/param_list.h"
#include "numeric/represent.h"
#include "numeric/stored_display.h"
#include "save/summary_file.h"
#include "text/bilingual.h"
#include "text/captions.h"
#include "text/help_dialogs.h"

namespace {

bool StartupFailed() {
    platform::MessageBoxA(nullptr, "Error initializing application Orvane", "Error", platform::MB_OK);
    return false;
}

std::vector<std::string>& StartArguments() {
    static std::vector<std::string> args;
    return args;
}

// A refused start argument: the message on stderr, in the start language.
bool BadArgument(const bilingual::Text& why, std::string_view argument) {
    std::string line = "orvane: ";
    line += bilingual::Pick(why, COMUN::LANG);
    if (!argument.empty()) line += " '" + std::string(argument) + "'";
    line += bilingual::Pick({"; pornire normala\n", "; normal start\n"}, COMUN::LANG);
    std::fputs(line.c_str(), stderr);
    return false;
}

}  // namespace

bool ORVANE_STARTUP(int showMode) {
    using namespace COMUN;
    DIALOG& main = ORVANEGLOBALS::DLG_MAIN;

    // Icons: the small window icon and the faces of the two help buttons.
    H_ICON_SMALL = platform::LoadIconResource(IDI_SMALL, 0, 0);
    H_ICON_SUMMARY = platform::LoadIconResource(IDI_SUMMARY, 32, 32);
    H_ICON_INFO = platform::LoadIconResource(IDI_INFO, 32, 32);

    if (!DIALOG_INIT(IDD_MAIN, main)) return StartupFailed();
    DIALOG_SET_CALLBACK(main, IDD_MAIN, ORVANESUB);
    if (!DIALOG_INIT(IDD_SUMMARY, DLG_SUMMARY)) return StartupFailed();

    // Control callbacks, in this order.
    DIALOG_SET_CALLBACK(main, IDC_VALUE, SUB_REPRESENT, EVENT_CHANGE);
    // Every row of bit edits and its radio, from the row table (the list's
    // row bound to its first format).
    ALT_FORMATS_INIT(main);
    for (const FormatRow& row : FormatRows()) {
        for (const FieldEdit& field : row.Fields()) {
            DIALOG_SET_ACCESSIBLE_TEXT(main, field.id, FieldName(row, field, 1), FieldName(row, field, 2),
                                       FieldDescription(row, field, 1), FieldDescription(row, field, 2));
            DIALOG_SET_CALLBACK(main, field.id, SUB_REPRESENT, EVENT_CHANGE);
            DIALOG_SET_CALLBACK(main, field.id, RETRIEVEANDOUTPUTVALUE, EVENT_GAINFOCUS);
        }
        DIALOG_SET_CALLBACK(main, row.radio, SUB_REPRESENT, EVENT_CLICKED);
    }
    DIALOG_SET_CALLBACK(main, IDC_ABOUT, SUB_ABOUT, EVENT_CLICKED);
    DIALOG_SET_CALLBACK(main, IDC_HELP_INFO, SUB_HELP, EVENT_CLICKED);
    DIALOG_SET_CALLBACK(main, IDC_HELP_SUMMARY, SUB_HELP2, EVENT_CLICKED);
    DIALOG_SET_CALLBACK(main, IDC_PARAM_LIST, SUB_LIST, EVENT_SELCHANGE);
    for (int id : {IDC_ZEROS, IDC_ONES, IDC_INVERT}) DIALOG_SET_CALLBACK(main, id, SUB_REPRESENT, EVENT_CLICKED);
    DIALOG_SET_CALLBACK(DLG_SUMMARY, IDC_SAVE, SAVE_TO_FILE, EVENT_CLICKED);
    for (int id : {IDC_LANG_RO, IDC_LANG_EN}) DIALOG_SET_CALLBACK(main, id, SUB_REPRESENT, EVENT_CLICKED);
    // The stored value group takes a typed hexadecimal word and the one-ULP steps.
    DIALOG_SET_CALLBACK(main, IDC_HEX, HEX_EDITED, EVENT_CHANGE);
    for (int id : {IDC_STEP_DOWN, IDC_STEP_UP}) DIALOG_SET_CALLBACK(main, id, STEP_CLICK, EVENT_CLICKED);
    DIALOG_SET_SHORTCUT(main, IDC_STEP_DOWN, "Alt+Down");
    DIALOG_SET_SHORTCUT(main, IDC_STEP_UP, "Alt+Up");
    DIALOG_SET_CALLBACK(main, IDC_OPERATIONS, OPERATIONS_CLICK, EVENT_CLICKED);
    DIALOG_SET_SHORTCUT(main, IDC_OPERATIONS, "Alt+O");
    // The format chosen from the list: the list, the custom widths, the table of encodings.
    DIALOG_SET_CALLBACK(main, IDC_ALT_LIST, ALT_FORMAT_CHANGED, EVENT_SELCHANGE);
    for (int id : {IDC_ALT_EXPONENT_BITS, IDC_ALT_FRACTION_BITS})
        DIALOG_SET_CALLBACK(main, id, ALT_FORMAT_CHANGED, EVENT_CHANGE);
    DIALOG_SET_CALLBACK(main, IDC_ALT_TABLE, ENCODINGS_CLICK, EVENT_CLICKED);
    DIALOG_SET_SHORTCUT(main, IDC_ALT_TABLE, "Alt+T");
    DIALOG_SET_CALLBACK(main, IDC_COMPARE, COMPARE_CLICK, EVENT_CLICKED);
    DIALOG_SET_SHORTCUT(main, IDC_COMPARE, "Alt+M");
    // The bytes box, its order, and what the group's datum can be copied as
    // (the button, and a submenu of every display's context menu).
    DIALOG_SET_CALLBACK(main, IDC_BYTES, BYTES_EDITED, EVENT_CHANGE);
    DIALOG_SET_CALLBACK(main, IDC_BIG_ENDIAN, BYTE_ORDER_CLICK, EVENT_CLICKED);
    DIALOG_SET_CALLBACK(main, IDC_COPY_AS, COPY_AS_CLICK, EVENT_CLICKED);
    for (int id : {IDC_EXACT_VALUE, IDC_ERROR_VALUE, IDC_ERROR_ULP, IDC_ERROR_REL, IDC_HEX, IDC_BYTES, IDC_SHORTEST,
                   IDC_HEXFLOAT})
        DIALOG_SET_COPY_SUBMENU(main, id, COPY_AS_TITLE, STORED_COPY_ENTRIES);
    DIALOG_SET_CALLBACK(main, IDC_STEPS, STEPS_CLICK, EVENT_CLICKED);
    DIALOG_SET_SHORTCUT(main, IDC_STEPS, "Alt+W");

    // Format binary32, Romanian captions, bulk operations on all fields.
    DIALOG_SET_LOGICAL(main, IDC_FORMAT_32, true);
    FORMAT_KIND = 4;
    DIALOG_SET_LOGICAL(main, IDC_LANG_RO, true);
    LANG = 1;
    platform::SetLanguage(1);
    LANG_RO = true;
    SETTITLES(main, IDD_MAIN, EVENT_INIT);
    DIALOG_SET_LOGICAL(main, IDC_ALL_FIELDS, true);

    DIALOG_SET_TEXT(main, IDC_VALUE, "0");
    DIALOG_SET_TEXT(main, IDC_PARAM_CAPTION, "");
    ENABLEBITEDITS(main, IDD_MAIN, EVENT_INIT);
    DIALOG_SET_LOGICAL(main, IDC_BINARY_NEIGHBOURS, false);
    DIALOG_SET_LOGICAL(main, IDC_BINARY_NEIGHBOURS, false, INDEX_ENABLE);

    // A zero binary32 pattern; place-holder labels in the binary64 row; blanks in the binary128 row.
    DIALOG_SET_TEXT(main, IDC_SIGN_32, "0");
    DIALOG_SET_TEXT(main, IDC_EXPONENT_32, std::string(8, '0'));
    DIALOG_SET_TEXT(main, IDC_FRACTION_32, std::string(23, '0'));
    // The class flags describe the zero pattern just shown (X4 is 0), so a
    // language switch before the first decoding names it a signed zero
    // instead of a normal number.
    TAKE_CLASS(*ieee::FormatFor(ieee::KIND_BINARY32), 0);
    DIALOG_SET_TEXT(main, IDC_SIGN_64, "S");
    DIALOG_SET_TEXT(main, IDC_EXPONENT_64, "   Exponent");
    DIALOG_SET_TEXT(main, IDC_FRACTION_64, std::string(25, ' ') + "Semnificand (Fractia)");
    // Every other row holds blanks, as many as its fields have bits.
    for (const FormatRow& row : FormatRows()) {
        if (row.kind == ieee::KIND_BINARY32 || row.kind == ieee::KIND_BINARY64) continue;
        for (const FieldEdit& field : row.Fields()) {
            DIALOG_SET_TEXT(main, field.id, "");
            DIALOG_SET_INT(main, field.id, field.width, INDEX_TEXTLENGTH);
        }
    }

    // The parameter list: six items, none selected, disabled.
    for (const char* item :
         {"Exponent", "Semnificand", "ULP", "X+ = Nearest(x,+1.0)", "X- = Nearest(x,-1.0)", "Epsilon"})
        DIALOG_SET_TEXT(main, IDC_PARAM_LIST, RightTrim(Padded(item, 40)), INDEX_ADDSTRING);
    DIALOG_SET_INT(main, IDC_PARAM_LIST, 0, 1);
    DIALOG_SET_LOGICAL(main, IDC_PARAM_LIST, false, INDEX_ENABLE);

    // Field sources and the summary texts (the summary dialog stays hidden).
    STR_0.assign(64, '0');
    STR_1.assign(64, '1');
    INITIALIZE_STATIC_2();
    SHOW_SUMMARY_TEXTS(DLG_SUMMARY);

    if (!DIALOG_SHOW_MODELESS(main, showMode)) return StartupFailed();
    return true;
}

void ORVANE_SHUTDOWN() {
    STEPS_CLOSE();
    OPERATIONS_CLOSE();
    ENCODING_TABLE_CLOSE();
    COMPARE_CLOSE();
    DIALOG_UNINIT(ORVANEGLOBALS::DLG_MAIN);
    DIALOG_UNINIT(COMUN::DLG_SUMMARY);
}

int WinMain(void* instance, void*, const char*, int showMode) {
    ORVANEGLOBALS::H_INSTANCE = instance;
    std::unique_ptr<QApplication> ownApp;
    if (!QCoreApplication::instance()) {
        static int argc = 1;
        static char name[] = "orvane";
        static char* argv[] = {name, nullptr};
        ownApp = std::make_unique<QApplication>(argc, argv);
    }
    QApplication::setQuitOnLastWindowClosed(false);
    if (!ORVANE_STARTUP(showMode)) return 0;
    if (!StartArguments().empty()) APPLY_START_ARGUMENTS(StartArguments());
    const int code = platform::RunMessageLoop();
    ORVANE_SHUTDOWN();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return code;
}

void ORVANESUB(DIALOG& dlg, int, int event) {
    if (event == EVENT_DESTROY) {
        platform::PostQuitMessage(0);
    } else if (event == EVENT_INIT) {
        DIALOG_SET_WINDOW_ICON(dlg, COMUN::H_ICON_SMALL);
        DIALOG_SET_BUTTON_IMAGE(dlg, IDC_HELP_INFO, COMUN::H_ICON_INFO);
        DIALOG_SET_BUTTON_IMAGE(dlg, IDC_HELP_SUMMARY, COMUN::H_ICON_SUMMARY);
    }
}

void SET_START_ARGUMENTS(std::vector<std::string> args) { StartArguments() = std::move(args); }

bool APPLY_START_ARGUMENTS(const std::vector<std::string>& args) {
    DIALOG& main = ORVANEGLOBALS::DLG_MAIN;
    const FormatRow* row = RowOfKind(COMUN::FORMAT_KIND);
    const std::string* value = nullptr;
    bool optionsEnded = false;
    for (std::size_t k = 0; k < args.size(); ++k) {
        const std::string& a = args[k];
        if (!optionsEnded && a == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && (a == "--format" || a.rfind("--format=", 0) == 0)) {
            if (a == "--format" && k + 1 == args.size())
                return BadArgument({"--format cere un format", "--format needs a format"}, "");
            const std::string name = a == "--format" ? args[++k] : a.substr(9);
            const ieee::FormatInfo* f = ieee::FormatByName(name);
            row = f != nullptr ? RowOfKind(f->kind) : nullptr;
            if (row == nullptr) return BadArgument({"format necunoscut", "unknown format"}, name);
        } else if (!optionsEnded && a.size() > 1 && a[0] == '-' && a[1] == '-') {
            return BadArgument({"optiune necunoscuta", "unknown option"}, a);
        } else if (value != nullptr) {
            return BadArgument({"o singura valoare, nu si", "one value only, not also"}, a);
        } else {
            value = &a;
        }
    }
    if (row == nullptr) return false;
    report::ValueRead read;
    if (value != nullptr) {
        read = report::ReadValue(*row->info, *value);
        if (!read.ok) return BadArgument({read.whyRo, read.whyEn}, *value);
    }
    // Everything is valid: the format is clicked and the value entered.
    if (row->kind != COMUN::FORMAT_KIND || value != nullptr) {
        for (const FormatRow& other : FormatRows()) DIALOG_SET_LOGICAL(main, other.radio, other.radio == row->radio);
        SUB_REPRESENT(main, row->radio, EVENT_CLICKED);
    }
    if (value == nullptr) return true;
    if (read.hexForm) {
        DIALOG_SET_TEXT(main, IDC_HEX, ieee::HexWord(*row->info, read.bits));
        HEX_EDITED(main, IDC_HEX, EVENT_CHANGE);
    } else {
        DIALOG_SET_TEXT(main, IDC_VALUE, *value);
        SUB_REPRESENT(main, IDC_VALUE, EVENT_CHANGE);
        if (READ_VALUE_FIELD(main, IDC_VALUE, EVENT_CHANGE)) {
            GETEDITSANDRETRIEVEREAL(main, IDC_VALUE, EVENT_CHANGE);
            SHOW_STORED_VALUE(main);
        }
    }
    return true;
}
