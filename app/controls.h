// Dialog layout ids and control ids of every dialog.
#pragma once

// Layouts.
constexpr int IDD_MAIN = 101;
constexpr int IDD_ABOUT = 103;
constexpr int IDD_INFO = 109;
constexpr int IDD_SUMMARY = 111;

// Images.
constexpr int IDI_ABOUT = 104;    // About dialog picture, 64 x 64
constexpr int IDI_SUMMARY = 109;  // "FP ?" icon of IDC_HELP_SUMMARY
constexpr int IDI_INFO = 110;     // "ulp ?" icon of IDC_HELP_INFO
constexpr int IDI_SMALL = 112;    // main window's small icon
constexpr int IDB_ULP = 113;      // Info dialog bitmap, 132 x 50

// Main dialog.
constexpr int IDC_VALUE = 1007;
constexpr int IDC_PARAM_VALUE = 1008;
constexpr int IDC_FORMAT_32 = 1011;
constexpr int IDC_FORMAT_64 = 1012;
constexpr int IDC_FORMAT_128 = 1013;
constexpr int IDC_SIGN_128 = 1014;
constexpr int IDC_EXPONENT_128 = 1015;
constexpr int IDC_FRACTION_128_HIGH = 1016;
constexpr int IDC_FRACTION_128_LOW = 1018;
constexpr int IDC_CURSOR_POS = 1019;
constexpr int IDC_FIELD_WIDTH = 1020;
constexpr int IDC_SIGN_32 = 1026;
constexpr int IDC_EXPONENT_32 = 1027;
constexpr int IDC_FRACTION_32 = 1028;
constexpr int IDC_ZEROS = 1029;
constexpr int IDC_ONES = 1030;
constexpr int IDC_INVERT = 1031;
constexpr int IDC_SIGN_64 = 1032;
constexpr int IDC_EXPONENT_64 = 1033;
constexpr int IDC_HELP_SUMMARY = 1034;
constexpr int IDC_FRACTION_64 = 1035;
constexpr int IDC_DATA_TYPE = 1036;
constexpr int IDC_PARAM_CAPTION = 1040;
constexpr int IDC_ABOUT = 1041;
constexpr int IDC_HELP_INFO = 1042;
constexpr int IDC_BINARY_NEIGHBOURS = 1043;
constexpr int IDC_PARAM_LIST = 1044;
constexpr int IDC_ALL_FIELDS = 1045;
constexpr int IDC_CURRENT_FIELD = 1046;
constexpr int IDC_LANG_RO = 1050;
constexpr int IDC_LANG_EN = 1051;
constexpr int IDC_GROUP_DATA = 1052;
constexpr int IDC_GROUP_REPRESENTATION = 1053;
constexpr int IDC_DATA_TYPE_CAPTION = 1054;
constexpr int IDC_GROUP_FORMAT = 1055;
constexpr int IDC_FORMAT_CAPTION = 1056;
constexpr int IDC_PARAM_LIST_CAPTION = 1057;
constexpr int IDC_CURSOR_POS_CAPTION = 1058;
constexpr int IDC_CURSOR_POS_CAPTION2 = 1059;
constexpr int IDC_FIELD_WIDTH_CAPTION = 1060;
constexpr int IDC_EXIT = 30001;

// Main dialog: the two 16-bit formats.
constexpr int IDC_FORMAT_16 = 1061;
constexpr int IDC_FORMAT_BF16 = 1062;
constexpr int IDC_SIGN_16 = 1063;
constexpr int IDC_EXPONENT_16 = 1064;
constexpr int IDC_FRACTION_16 = 1065;
constexpr int IDC_SIGN_BF16 = 1066;
constexpr int IDC_EXPONENT_BF16 = 1067;
constexpr int IDC_FRACTION_BF16 = 1068;
constexpr int IDC_FORMAT_CAPTION2 = 1069;

// Main dialog: the stored value group.
constexpr int IDC_GROUP_STORED = 1070;
constexpr int IDC_EXACT_CAPTION = 1071;
constexpr int IDC_EXACT_VALUE = 1072;
constexpr int IDC_ERROR_CAPTION = 1073;
constexpr int IDC_ERROR_VALUE = 1074;
constexpr int IDC_ERROR_ULP_CAPTION = 1075;
constexpr int IDC_ERROR_ULP = 1076;
constexpr int IDC_ERROR_REL_CAPTION = 1077;
constexpr int IDC_ERROR_REL = 1078;
constexpr int IDC_HEX_CAPTION = 1079;
constexpr int IDC_HEX = 1080;
constexpr int IDC_SHORTEST_CAPTION = 1081;
constexpr int IDC_SHORTEST = 1082;
constexpr int IDC_HEXFLOAT_CAPTION = 1083;
constexpr int IDC_HEXFLOAT = 1084;
constexpr int IDC_STEP_DOWN = 1085;
constexpr int IDC_STEP_UP = 1086;
// Main dialog: opens the Operations window.
constexpr int IDC_OPERATIONS = 1087;
// Main dialog: the format chosen from a list (and custom widths), its row of
// bit edits and the table of its encodings.
constexpr int IDC_FORMAT_ALT = 1088;
constexpr int IDC_ALT_LIST = 1089;
constexpr int IDC_ALT_EXPONENT_BITS = 1090;
constexpr int IDC_ALT_FRACTION_BITS = 1091;
constexpr int IDC_SIGN_ALT = 1092;
constexpr int IDC_EXPONENT_ALT = 1093;
constexpr int IDC_INTEGER_ALT = 1094;
constexpr int IDC_FRACTION_ALT_HIGH = 1095;
constexpr int IDC_FRACTION_ALT_LOW = 1096;
constexpr int IDC_ALT_EXPONENT_WIDTH = 1097;
constexpr int IDC_ALT_INTEGER_WIDTH = 1098;
constexpr int IDC_ALT_HIGH_WIDTH = 1099;
constexpr int IDC_ALT_LOW_WIDTH = 1100;
constexpr int IDC_ALT_NAME = 1101;
constexpr int IDC_ALT_TABLE = 1102;
constexpr int IDC_ALT_EXPONENT_CAPTION = 1103;
constexpr int IDC_ALT_FRACTION_CAPTION = 1104;
constexpr int IDC_ALT_HIGH_ARROW = 1105;
constexpr int IDC_ALT_LOW_ARROW = 1106;
constexpr int IDC_ALT_LIST_CAPTION = 1107;
// Main dialog: the stored pattern's bytes in memory order, their order, the
// Copy as menu, and the button that opens the Compare formats window.
constexpr int IDC_BYTES_CAPTION = 1150;
constexpr int IDC_BYTES = 1151;
constexpr int IDC_BIG_ENDIAN = 1152;
constexpr int IDC_COPY_AS = 1153;
constexpr int IDC_COMPARE = 1154;
constexpr int IDC_STEPS = 1200;  // "How it was rounded"

// About dialog.
constexpr int IDC_ABOUT_HEADING = 1022;
constexpr int IDC_ABOUT_AUTHOR = 1023;

// Info dialog.
constexpr int IDC_INFO_TEXT = 1049;

// Summary dialog.
constexpr int IDC_SUMMARY_TEXT_1 = 1047;
constexpr int IDC_SUMMARY_TEXT_2 = 1048;
constexpr int IDC_SUMMARY_TEXT_3 = 1049;
constexpr int IDC_SUMMARY_TEXT_4 = 1050;
constexpr int IDC_SUMMARY_TEXT_5 = 1051;
constexpr int IDC_SUMMARY_TEXT_6 = 1052;
constexpr int IDC_SUMMARY_TEXT_7 = 1053;
constexpr int IDC_SAVE = 1041;
