// The four dialog layouts of the program.
#include "resources/layouts.h"

#include <set>
#include <string_view>

namespace layouts {
namespace {

using K = Kind;

// clang-format off
const ControlDef kMain[] = {
    {1052, "IDC_GROUP_DATA", K::GroupBox, "Data", 7, 18, 323, 86, 0, 0, nullptr, 0, 0},
    {1007, "IDC_VALUE", K::Edit, "", 21, 39, 171, 12, 0, 0, "Value X", 0, 0},
    {ID_STATIC, "IDC_STATIC", K::Static, "X", 107, 28, 8, 8, 0, 0, nullptr, 0, 0},
    {1054, "IDC_DATA_TYPE_CAPTION", K::Static, "Data Type   (click a format field) ", 200, 27, 122, 8, 0, 0, nullptr, 0, 0},
    {1036, "IDC_DATA_TYPE", K::Edit, "", 200, 39, 100, 12, READ_ONLY, 0, "Data type", 0, 0},
    {1050, "IDC_LANG_RO", K::RadioButton, "RO", 187, 7, 22, 10, 0, 1, nullptr, 0, 0},
    {1051, "IDC_LANG_EN", K::RadioButton, "EN", 219, 7, 21, 10, 0, 1, nullptr, 0, 0},
    {1043, "IDC_BINARY_NEIGHBOURS", K::CheckBox, "Binary X+ -", 21, 70, 48, 10, 0, 0, nullptr, 0, 0},
    {1040, "IDC_PARAM_CAPTION", K::Static, "Nearest > X; Significand: last 16 bits", 76, 70, 116, 10, 0, 0, nullptr, 0, 0},
    {1008, "IDC_PARAM_VALUE", K::Edit, "", 21, 83, 171, 12, READ_ONLY, 0, "Parameter value", 0, 0},
    {1057, "IDC_PARAM_LIST_CAPTION", K::Static, "Parameter  (Finite Numbers)", 200, 64, 101, 10, 0, 0, nullptr, 0, 0},
    {1044, "IDC_PARAM_LIST", K::ListBox, "", 200, 77, 91, 18, NOTIFY | VSCROLL, 0, "Parameter list", 0, 0},
    {1042, "IDC_HELP_INFO", K::PushButton, "?", 301, 75, 21, 20, ICON_BUTTON, 0, "Help: ULP and neighbours", 0, 0},
    {1055, "IDC_GROUP_FORMAT", K::GroupBox, "Format", 336, 18, 276, 86, 0, 0, nullptr, 0, 0},
    {1056, "IDC_FORMAT_CAPTION", K::Static, "Bits     (Name)", 357, 32, 52, 10, 0, 0, nullptr, 0, 0},
    {1011, "IDC_FORMAT_32", K::RadioButton, "32      (Binary32)", 347, 47, 67, 10, 0, 2, nullptr, 0, 0},
    {1012, "IDC_FORMAT_64", K::RadioButton, "64      (Binary64)", 347, 66, 67, 10, 0, 2, nullptr, 0, 0},
    {1013, "IDC_FORMAT_128", K::RadioButton, "128    (Binary128)", 347, 85, 67, 10, 0, 2, nullptr, 0, 0},
    {1053, "IDC_GROUP_REPRESENTATION", K::GroupBox, "FP Representation", 8, 108, 413, 286, 0, 0, nullptr, 0, 0},
    {1045, "IDC_ALL_FIELDS", K::RadioButton, "Toate campurile", 222, 121, 63, 11, 0, 3, nullptr, 0, 0},
    {1046, "IDC_CURRENT_FIELD", K::RadioButton, "Current Field  (click a field)", 294, 121, 123, 11, FLAT, 3, nullptr, 0, 0},
    {1029, "IDC_ZEROS", K::PushButton, "0's", 222, 143, 20, 14, 0, 0, nullptr, 0, 0},
    {1030, "IDC_ONES", K::PushButton, "1's", 269, 143, 20, 14, 0, 0, nullptr, 0, 0},
    {1031, "IDC_INVERT", K::PushButton, "0 <--> 1", 316, 143, 30, 14, 0, 0, nullptr, 0, 0},
    {1034, "IDC_HELP_SUMMARY", K::PushButton, "?", 390, 137, 21, 20, ICON_BUTTON, 0, "Help: summary of floating-point data", 0, 0},
    {1026, "IDC_SIGN_32", K::Edit, "", 25, 138, 10, 12, 0, 0, "binary32 sign bit", 0, 1},
    {1027, "IDC_EXPONENT_32", K::Edit, "", 35, 138, 38, 12, DIGITS_ONLY | STATIC_EDGE, 0, "binary32 exponent bits", 0, 8},
    {1028, "IDC_FRACTION_32", K::Edit, "", 73, 138, 97, 12, 0, 0, "binary32 fraction bits", 0, 23},
    {ID_STATIC, "IDC_STATIC", K::Static, "1", 27, 126, 8, 10, 0, 0, nullptr, 0, 0},
    {ID_STATIC, "IDC_STATIC", K::Static, "8", 51, 126, 8, 9, 0, 0, nullptr, 0, 0},
    {ID_STATIC, "IDC_STATIC", K::Static, "23", 111, 126, 10, 10, 0, 0, nullptr, 0, 0},
    {1032, "IDC_SIGN_64", K::Edit, "", 25, 180, 10, 12, 0, 0, "binary64 sign bit", 0, 1},
    {1033, "IDC_EXPONENT_64", K::Edit, "", 35, 180, 50, 12, DIGITS_ONLY | STATIC_EDGE, 0, "binary64 exponent bits", 0, 11},
    {1035, "IDC_FRACTION_64", K::Edit, "", 84, 180, 213, 12, 0, 0, "binary64 fraction bits", 0, 52},
    {ID_STATIC, "IDC_STATIC", K::Static, "1", 27, 168, 8, 10, 0, 0, nullptr, 0, 0},
    {ID_STATIC, "IDC_STATIC", K::Static, "11", 54, 168, 8, 10, 0, 0, nullptr, 0, 0},
    {ID_STATIC, "IDC_STATIC", K::Static, "52", 173, 169, 10, 10, 0, 0, nullptr, 0, 0},
    {ID_STATIC, "IDC_STATIC", K::Static, "msb", 35, 194, 14, 8, 0, 0, nullptr, 0, 0},
    {ID_STATIC, "IDC_STATIC", K::Static, "lsb", 73, 194, 10, 8, NO_WRAP, 0, nullptr, 0, 0},
    {ID_STATIC, "IDC_STATIC", K::Static, "msb", 85, 194, 14, 8, 0, 0, nullptr, 0, 0},
    {ID_STATIC, "IDC_STATIC", K::Static, "lsb", 288, 194, 10, 8, NO_WRAP, 0, nullptr, 0, 0},
    {1018, "IDC_FRACTION_128_LOW", K::Edit, "", 25, 226, 262, 12, 0, 0, "binary128 fraction bits, last 64", 0, 64},
    {ID_STATIC, "IDC_STATIC", K::Static, "-->", 14, 227, 9, 10, 0, 0, nullptr, 0, 0},
    {ID_STATIC, "IDC_STATIC", K::Static, "64", 173, 215, 11, 10, 0, 0, nullptr, 0, 0},
    {ID_STATIC, "IDC_STATIC", K::Static, "(112)", 270, 215, 18, 10, 0, 0, nullptr, 0, 0},
    {1014, "IDC_SIGN_128", K::Edit, "", 25, 258, 10, 12, 0, 0, "binary128 sign bit", 0, 1},
    {1015, "IDC_EXPONENT_128", K::Edit, "", 35, 258, 67, 12, DIGITS_ONLY | STATIC_EDGE, 0, "binary128 exponent bits", 0, 15},
    {1016, "IDC_FRACTION_128_HIGH", K::Edit, "", 102, 258, 199, 12, 0, 0, "binary128 fraction bits, first 48", 0, 48},
    {ID_STATIC, "IDC_STATIC", K::Static, "1", 27, 247, 8, 10, 0, 0, nullptr, 0, 0},
    {ID_STATIC, "IDC_STATIC", K::Static, "15", 65, 247, 9, 10, 0, 0, nullptr, 0, 0},
    {ID_STATIC, "IDC_STATIC", K::Static, "48", 173, 247, 10, 10, 0, 0, nullptr, 0, 0},
    {ID_STATIC, "IDC_STATIC", K::Static, "-->", 304, 259, 9, 10, 0, 0, nullptr, 0, 0},
    {1058, "IDC_CURSOR_POS_CAPTION", K::Static, "Cursor Position in Field\n(msb = 1)", 334, 180, 73, 18, 0, 0, nullptr, 0, 0},
    {1019, "IDC_CURSOR_POS", K::Edit, "", 334, 202, 17, 12, READ_ONLY, 0, "Cursor position in field", 0, 0},
    {1059, "IDC_CURSOR_POS_CAPTION2", K::Static, "Pozitie (Modificare /Actualizare)", 355, 200, 61, 17, 0, 0, nullptr, 0, 0},
    {1020, "IDC_FIELD_WIDTH", K::Edit, "", 334, 225, 17, 12, READ_ONLY, 0, "Field width", 0, 0},
    {1060, "IDC_FIELD_WIDTH_CAPTION", K::Static, "Field Width", 355, 226, 52, 10, 0, 0, nullptr, 0, 0},
    // The two 16-bit formats: their radios beside the other three, their rows
    // below the binary128 row (which moves the buttons under the group down).
    {1061, "IDC_FORMAT_16", K::RadioButton, "16      (Binary16)", 440, 47, 70, 10, 0, 2, nullptr, 0, 0},
    {1062, "IDC_FORMAT_BF16", K::RadioButton, "16      (bfloat16)", 440, 66, 70, 10, 0, 2, nullptr, 0, 0},
    {1069, "IDC_FORMAT_CAPTION2", K::Static, "Bits     (Name)", 450, 32, 52, 10, 0, 0, nullptr, 0, 0},
    {1063, "IDC_SIGN_16", K::Edit, "", 25, 292, 10, 12, 0, 0, "binary16 sign bit", 0, 1},
    {1064, "IDC_EXPONENT_16", K::Edit, "", 35, 292, 27, 12, DIGITS_ONLY | STATIC_EDGE, 0, "binary16 exponent bits", 0, 5},
    {1065, "IDC_FRACTION_16", K::Edit, "", 62, 292, 46, 12, 0, 0, "binary16 fraction bits", 0, 10},
    {ID_STATIC, "IDC_STATIC", K::Static, "1", 27, 280, 8, 10, 0, 0, nullptr, 0, 0},
    {ID_STATIC, "IDC_STATIC", K::Static, "5", 46, 280, 8, 10, 0, 0, nullptr, 0, 0},
    {ID_STATIC, "IDC_STATIC", K::Static, "10", 81, 280, 10, 10, 0, 0, nullptr, 0, 0},
    {ID_STATIC, "IDC_STATIC", K::Static, "binary16", 114, 293, 40, 10, NO_WRAP, 0, nullptr, 0, 0},
    {1066, "IDC_SIGN_BF16", K::Edit, "", 25, 322, 10, 12, 0, 0, "bfloat16 sign bit", 0, 1},
    {1067, "IDC_EXPONENT_BF16", K::Edit, "", 35, 322, 38, 12, DIGITS_ONLY | STATIC_EDGE, 0, "bfloat16 exponent bits", 0, 8},
    {1068, "IDC_FRACTION_BF16", K::Edit, "", 73, 322, 35, 12, 0, 0, "bfloat16 fraction bits", 0, 7},
    {ID_STATIC, "IDC_STATIC", K::Static, "1", 27, 310, 8, 10, 0, 0, nullptr, 0, 0},
    {ID_STATIC, "IDC_STATIC", K::Static, "8", 51, 310, 8, 9, 0, 0, nullptr, 0, 0},
    {ID_STATIC, "IDC_STATIC", K::Static, "7", 87, 310, 8, 10, 0, 0, nullptr, 0, 0},
    {ID_STATIC, "IDC_STATIC", K::Static, "bfloat16", 114, 323, 40, 10, NO_WRAP, 0, nullptr, 0, 0},
    // The stored value: exact value, conversion error, hexadecimal word,
    // shortest text, hex-float text and the one-ULP steps.
    {1070, "IDC_GROUP_STORED", K::GroupBox, "Valoarea stocata", 428, 108, 184, 236, 0, 0, nullptr, 0, 0},
    {1071, "IDC_EXACT_CAPTION", K::Static, "Valoarea exacta", 436, 119, 168, 9, 0, 0, nullptr, 0, 0},
    {1072, "IDC_EXACT_VALUE", K::TextBox, "", 436, 129, 168, 32, READ_ONLY, 0, "Exact value", 0, 0},
    {1073, "IDC_ERROR_CAPTION", K::Static, "Eroarea conversiei (tastat - stocat)", 436, 164, 168, 9, 0, 0, nullptr, 0, 0},
    {1074, "IDC_ERROR_VALUE", K::TextBox, "", 436, 174, 168, 22, READ_ONLY, 0, "Conversion error", 0, 0},
    {1075, "IDC_ERROR_ULP_CAPTION", K::Static, "In ULP", 436, 199, 80, 9, 0, 0, nullptr, 0, 0},
    {1076, "IDC_ERROR_ULP", K::Edit, "", 436, 209, 80, 12, READ_ONLY, 0, "Conversion error in ULP", 0, 0},
    {1077, "IDC_ERROR_REL_CAPTION", K::Static, "Eroarea relativa", 524, 199, 80, 9, 0, 0, nullptr, 0, 0},
    {1078, "IDC_ERROR_REL", K::Edit, "", 524, 209, 80, 12, READ_ONLY, 0, "Relative error", 0, 0},
    {1079, "IDC_HEX_CAPTION", K::Static, "Cuvant hexazecimal (editabil)", 436, 224, 168, 9, 0, 0, nullptr, 0, 0},
    {1080, "IDC_HEX", K::Edit, "", 436, 234, 168, 12, 0, 0, "Hexadecimal word", 0, 0},
    {1081, "IDC_SHORTEST_CAPTION", K::Static, "Cel mai scurt text exact la recitire", 436, 274, 168, 9, 0, 0, nullptr, 0, 0},
    {1082, "IDC_SHORTEST", K::Edit, "", 436, 284, 168, 12, READ_ONLY, 0, "Shortest round-trip text", 0, 0},
    {1083, "IDC_HEXFLOAT_CAPTION", K::Static, "Hex-float (%a)", 436, 299, 168, 9, 0, 0, nullptr, 0, 0},
    {1084, "IDC_HEXFLOAT", K::Edit, "", 436, 309, 168, 12, READ_ONLY, 0, "Hex-float text", 0, 0},
    {1085, "IDC_STEP_DOWN", K::PushButton, "X-  (Alt+Jos)", 436, 325, 54, 14, 0, 0, nullptr, 0, 0},
    {1086, "IDC_STEP_UP", K::PushButton, "X+  (Alt+Sus)", 493, 325, 54, 14, 0, 0, nullptr, 0, 0},
    {1150, "IDC_BYTES_CAPTION", K::Static, "Octetii in memorie", 436, 249, 100, 9, 0, 0, nullptr, 0, 0},
    {1152, "IDC_BIG_ENDIAN", K::CheckBox, "Ordine big-endian", 530, 248, 74, 10, 0, 0, nullptr, 0, 0},
    {1151, "IDC_BYTES", K::Edit, "", 436, 259, 168, 12, 0, 0, "Bytes in memory", 0, 0},
    {1153, "IDC_COPY_AS", K::PushButton, "Copiaza ca\x85", 550, 325, 54, 14, 0, 0, nullptr, 0, 0},
    // The format chosen from a list: its radio, the list and the custom
    // widths in the Format group, its row of bit edits (sign, exponent,
    // x87's integer bit, a fraction's first bits; its last 64 bits below)
    // at the foot of the FP Representation group, with the table of its
    // encodings.
    {1088, "IDC_FORMAT_ALT", K::RadioButton, "Alt format", 440, 85, 70, 10, 0, 2, nullptr, 0, 0},
    {1107, "IDC_ALT_LIST_CAPTION", K::Static, "Listed format", 520, 32, 84, 10, NO_WRAP, 0, nullptr, 0, 0},
    {1089, "IDC_ALT_LIST", K::ComboBox, "", 520, 44, 84, 14, 0, 0, "Other format", 0, 0},
    {1103, "IDC_ALT_EXPONENT_CAPTION", K::Static, "Exp.", 520, 62, 40, 9, NO_WRAP, 0, nullptr, 0, 0},
    {1090, "IDC_ALT_EXPONENT_BITS", K::SpinBox, "4", 520, 72, 38, 13, 0, 0, "Exponent bits", 0, 0},
    {1104, "IDC_ALT_FRACTION_CAPTION", K::Static, "Fract.", 566, 62, 40, 9, NO_WRAP, 0, nullptr, 0, 0},
    {1091, "IDC_ALT_FRACTION_BITS", K::SpinBox, "3", 566, 72, 38, 13, 0, 0, "Fraction bits", 0, 0},
    {ID_STATIC, "IDC_STATIC", K::Static, "1", 27, 344, 8, 10, 0, 0, nullptr, 0, 0},
    {1097, "IDC_ALT_EXPONENT_WIDTH", K::Static, "", 62, 344, 12, 10, NO_WRAP, 0, nullptr, 0, 0},
    {1098, "IDC_ALT_INTEGER_WIDTH", K::Static, "1", 104, 344, 8, 10, 0, 0, nullptr, 0, 0},
    {1099, "IDC_ALT_HIGH_WIDTH", K::Static, "", 200, 344, 12, 10, NO_WRAP, 0, nullptr, 0, 0},
    {1092, "IDC_SIGN_ALT", K::Edit, "", 25, 355, 10, 12, 0, 0, "sign bit", 0, 1},
    {1093, "IDC_EXPONENT_ALT", K::Edit, "", 35, 355, 67, 12, DIGITS_ONLY | STATIC_EDGE, 0, "exponent bits", 0, 15},
    {1094, "IDC_INTEGER_ALT", K::Edit, "", 102, 355, 10, 12, 0, 0, "integer bit", 0, 1},
    {1095, "IDC_FRACTION_ALT_HIGH", K::Edit, "", 112, 355, 199, 12, 0, 0, "fraction bits, first part", 0, 48},
    {1105, "IDC_ALT_HIGH_ARROW", K::Static, "-->", 314, 356, 9, 10, 0, 0, nullptr, 0, 0},
    {1101, "IDC_ALT_NAME", K::Static, "", 330, 356, 84, 10, NO_WRAP, 0, nullptr, 0, 0},
    {1100, "IDC_ALT_LOW_WIDTH", K::Static, "", 150, 369, 40, 9, NO_WRAP, 0, nullptr, 0, 0},
    {1106, "IDC_ALT_LOW_ARROW", K::Static, "-->", 14, 378, 9, 10, 0, 0, nullptr, 0, 0},
    {1096, "IDC_FRACTION_ALT_LOW", K::Edit, "", 25, 377, 262, 12, 0, 0, "fraction bits", 0, 64},
    {1102, "IDC_ALT_TABLE", K::PushButton, "Codari  (Alt+T)", 300, 375, 80, 15, 0, 0, nullptr, 0, 0},
    {1154, "IDC_COMPARE", K::PushButton, "Comparatie formate  (Alt+M)", 312, 407, 116, 15, 0, 0, nullptr, 0, 0},
    {1041, "IDC_ABOUT", K::PushButton, "DESPRE", 191, 406, 44, 16, TRANSPARENT, 0, nullptr, 0, 0},
    {1200, "IDC_STEPS", K::PushButton, "Cum a fost rotunjit  (Alt+W)", 62, 407, 126, 15, 0, 0, nullptr, 0, 0},
    {1087, "IDC_OPERATIONS", K::PushButton, "Operatii  (Alt+O)", 436, 407, 100, 15, 0, 0, nullptr, 0, 0},
    {30001, "IDC_EXIT", K::PushButton, "Exit", 567, 407, 45, 15, 0, 0, nullptr, 0, 0},
    {2, "IDCANCEL", K::PushButton, "CANCEL", 8, 407, 40, 15, HIDDEN, 0, nullptr, 0, 0},
};

const ControlDef kAbout[] = {
    {1, "IDOK", K::PushButton, "OK", 137, 80, 30, 12, DEFAULT_BUTTON | FLAT, 0, nullptr, 0, 0},
    {2, "IDCANCEL", K::PushButton, "Cancel", 7, 80, 32, 12, FLAT | HIDDEN, 0, nullptr, 0, 0},
    {1022, "IDC_ABOUT_HEADING", K::Static, "", 7, 7, 160, 36, SUNKEN_EDGE, 0, nullptr, 0, 0},
    {1023, "IDC_ABOUT_AUTHOR", K::Static, "", 7, 49, 160, 21, SUNKEN_EDGE, 0, nullptr, 0, 0},
    {ID_STATIC, "IDC_STATIC", K::IconPicture, "", 79, 77, 20, 20, CENTER_IMAGE, 0, "Program picture", 104, 0},
};

const ControlDef kInfo[] = {
    {1, "IDOK", K::PushButton, "OK", 109, 145, 28, 11, DEFAULT_BUTTON, 0, nullptr, 0, 0},
    {2, "IDCANCEL", K::PushButton, "Cancel", 8, 145, 34, 13, HIDDEN, 0, nullptr, 0, 0},
    {ID_STATIC, "IDC_STATIC", K::BitmapPicture, "", 13, 14, 118, 53, CENTER_IMAGE, 0,
     "Number line: X-, X and X+ with ulp(x-) and ulp(x)", 113, 0},
    {1049, "IDC_INFO_TEXT", K::Static, "", 38, 74, 68, 58, 0, 0, nullptr, 0, 0},
    {ID_STATIC, "IDC_STATIC", K::GroupBox, "ULP, X+, and  X-", 7, 3, 130, 137, 0, 0, nullptr, 0, 0},
};

const ControlDef kSummary[] = {
    {1, "IDOK", K::PushButton, "OK", 217, 300, 33, 12, DEFAULT_BUTTON, 0, nullptr, 0, 0},
    {2, "IDCANCEL", K::PushButton, "Cancel", 104, 300, 33, 12, HIDDEN, 0, nullptr, 0, 0},
    {1047, "IDC_SUMMARY_TEXT_1", K::Static, "Static", 22, 15, 220, 40, 0, 0, nullptr, 0, 0},
    {1048, "IDC_SUMMARY_TEXT_2", K::Static, "Static", 22, 64, 220, 26, 0, 0, nullptr, 0, 0},
    {1049, "IDC_SUMMARY_TEXT_3", K::Static, "Static", 22, 99, 220, 54, 0, 0, nullptr, 0, 0},
    {1050, "IDC_SUMMARY_TEXT_4", K::Static, "Static", 22, 160, 220, 27, 0, 0, nullptr, 0, 0},
    {1051, "IDC_SUMMARY_TEXT_5", K::Static, "Static", 22, 192, 220, 27, 0, 0, nullptr, 0, 0},
    {1052, "IDC_SUMMARY_TEXT_6", K::Static, "Static", 22, 225, 220, 39, 0, 0, nullptr, 0, 0},
    {1053, "IDC_SUMMARY_TEXT_7", K::Static, "Static", 22, 268, 220, 18, 0, 0, nullptr, 0, 0},
    {ID_STATIC, "IDC_STATIC", K::GroupBox, "", 10, 3, 240, 292, 0, 0, nullptr, 0, 0},
    {1041, "IDC_SAVE", K::PushButton, "Save to File", 9, 299, 39, 12, FLAT, 0, nullptr, 0, 0},
};

// Captions that name the displays beside them. What each bit field holds is
// told from the row table of the formats.
const AccessibleDef kMainAccessible[] = {
    {1036, 1054, nullptr},  // IDC_DATA_TYPE: IDC_DATA_TYPE_CAPTION
    {1008, 1040, nullptr},  // IDC_PARAM_VALUE: IDC_PARAM_CAPTION
    {1044, 1057, nullptr},  // IDC_PARAM_LIST: IDC_PARAM_LIST_CAPTION
    {1019, 1058, nullptr},  // IDC_CURSOR_POS: IDC_CURSOR_POS_CAPTION
    {1020, 1060, nullptr},  // IDC_FIELD_WIDTH: IDC_FIELD_WIDTH_CAPTION
    {1072, 1071, nullptr},  // IDC_EXACT_VALUE: IDC_EXACT_CAPTION
    {1074, 1073, nullptr},  // IDC_ERROR_VALUE: IDC_ERROR_CAPTION
    {1076, 1075, nullptr},  // IDC_ERROR_ULP: IDC_ERROR_ULP_CAPTION
    {1078, 1077, nullptr},  // IDC_ERROR_REL: IDC_ERROR_REL_CAPTION
    {1080, 1079, nullptr},  // IDC_HEX: IDC_HEX_CAPTION
    {1151, 1150, nullptr},  // IDC_BYTES: IDC_BYTES_CAPTION
    {1082, 1081, nullptr},  // IDC_SHORTEST: IDC_SHORTEST_CAPTION
    {1084, 1083, nullptr},  // IDC_HEXFLOAT: IDC_HEXFLOAT_CAPTION
    {1089, 1107, nullptr},  // IDC_ALT_LIST: IDC_ALT_LIST_CAPTION
    {1090, 1103, nullptr},  // IDC_ALT_EXPONENT_BITS: IDC_ALT_EXPONENT_CAPTION
    {1091, 1104, nullptr},  // IDC_ALT_FRACTION_BITS: IDC_ALT_FRACTION_CAPTION
};

// What the tables above tell a screen reader, in English and in Romanian.
struct Words {
    const char* english;
    const char* romanian;
};
const Words kRomanianWords[] = {
    {"Value X", "Valoarea X"},
    {"Data type", "Tip data"},
    {"Parameter value", "Valoarea parametrului"},
    {"Parameter list", "Lista parametrilor"},
    {"Help: ULP and neighbours", "Ajutor: ULP si vecini"},
    {"Help: summary of floating-point data", "Ajutor: rezumatul datelor in virgula flotanta"},
    {"Cursor position in field", "Pozitia cursorului in camp"},
    {"Field width", "Latimea campului"},
    {"Exact value", "Valoarea exacta"},
    {"Conversion error", "Eroarea conversiei"},
    {"Conversion error in ULP", "Eroarea conversiei in ULP"},
    {"Relative error", "Eroarea relativa"},
    {"Hexadecimal word", "Cuvant hexazecimal"},
    {"Shortest round-trip text", "Cel mai scurt text exact la recitire"},
    {"Hex-float text", "Textul hex-float"},
    {"Bytes in memory", "Octetii in memorie"},
    {"Program picture", "Imaginea programului"},
    {"Number line: X-, X and X+ with ulp(x-) and ulp(x)", "Axa numerelor: X-, X si X+ cu ulp(x-) si ulp(x)"},
    {"Other format", "Alt format"},
    {"sign bit", "bitul de semn"},
    {"exponent bits", "bitii exponentului"},
    {"integer bit", "bitul intreg"},
    {"fraction bits, first part", "bitii fractiei, prima parte"},
    {"fraction bits", "bitii fractiei"},
};

// The main dialog from top to bottom, group by group: the datum, the
// language, the formats, the bulk operations, the bit rows (binary128 from
// its sign to the last fraction bits), the caret displays, the stored value,
// the buttons.
const int kMainTabOrder[] = {
    1007, 1036, 1043, 1008, 1044, 1042,                    // value, class, neighbours, parameter, list, help
    1050, 1051,                                            // RO, EN
    1011, 1012, 1013, 1061, 1062, 1088, 1089, 1090, 1091,  // formats, the list and custom widths
    1045, 1046, 1029, 1030, 1031, 1034,                    // bulk scope, 0's, 1's, invert, summary help
    1026, 1027, 1028, 1032, 1033, 1035,                    // binary32, binary64 rows
    1014, 1015, 1016, 1018,                                // binary128 row
    1063, 1064, 1065, 1066, 1067, 1068,                    // binary16, bfloat16 rows
    1092, 1093, 1094, 1095, 1096, 1102,                    // the listed format's row, its encodings
    1019, 1020,                                            // caret position, field width
    1072, 1074, 1076, 1078, 1080, 1152, 1151, 1082, 1084,  // stored value
    1085, 1086, 1153,                                      // steps, Copy as
    1200, 1041, 1154, 1087, 30001,                         // How it was rounded, About, Compare formats, Operations, Exit
};

#define COUNT(a) (sizeof(a) / sizeof((a)[0]))
const LayoutDef kLayouts[] = {
    {101, "IDD_MAIN", "Orvane (Binary Format)", "MS Sans Serif", 8, false, 40, 40, 620, 430,
     MODELESS | APP_WINDOW | MINIMIZE_BOX, kMain, COUNT(kMain)},
    {103, "IDD_ABOUT", "About Program", "Times New Roman", 11, true, 0, 0, 174, 99,
     CENTERED, kAbout, COUNT(kAbout)},
    {109, "IDD_INFO", "Info", "Microsoft Sans Serif", 10, false, 0, 0, 144, 158,
     CENTERED, kInfo, COUNT(kInfo)},
    {111, "IDD_SUMMARY", "Floating-Point Data - Summary", "Microsoft Sans Serif", 10, false, 0, 0, 260, 318,
     MODELESS | CENTERED | MINIMIZE_BOX, kSummary, COUNT(kSummary)},
};
// clang-format on

std::set<int>& Withheld() {
    static std::set<int> ids;
    return ids;
}

}  // namespace

const LayoutDef* FindLayout(int id) {
    if (Withheld().count(id)) return nullptr;
    for (const LayoutDef& layout : kLayouts)
        if (layout.id == id) return &layout;
    return nullptr;
}

const AccessibleDef* FindAccessible(int layoutId, int id) {
    if (layoutId != 101) return nullptr;
    for (const AccessibleDef& def : kMainAccessible)
        if (def.id == id) return &def;
    return nullptr;
}

const char* AccessibleWords(const char* english, int lang) {
    if (!english || lang == 2) return english;
    for (const Words& words : kRomanianWords)
        if (std::string_view(words.english) == english) return words.romanian;
    return english;
}

TabOrder TabOrderOf(int layoutId) {
    if (layoutId == 101) return {kMainTabOrder, COUNT(kMainTabOrder)};
    return {nullptr, 0};
}

void WithholdLayout(int id, bool withheld) {
    if (withheld) Withheld().insert(id);
    else Withheld().erase(id);
}

}  // namespace layouts
