// The program's shared state, in its two groups: the application handles
// (ORVANEGLOBALS) and the working state (COMUN). Texts are fixed-length and
// blank-padded std::strings whose size() never changes.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "dialog/dialog.h"
#include "numeric/ieee/format_table.h"
#include "numeric/ieee/stored_value.h"

namespace ORVANEGLOBALS {
inline void* H_INSTANCE = nullptr;
inline DIALOG DLG_MAIN;
}  // namespace ORVANEGLOBALS

namespace COMUN {
inline DIALOG DLG_SUMMARY;
inline HICON H_ICON_SMALL = nullptr;
inline HICON H_ICON_INFO = nullptr;
inline HICON H_ICON_SUMMARY = nullptr;

inline int FORMAT_KIND = 4;
// The whole text of the value field, blank-padded to at least 42 characters.
inline std::string VALUE_CHAR(42, ' ');
// True while the value field holds text the user typed, which a step reads
// first; false once the program writes the field or replaces the datum.
inline bool VALUE_TYPED = false;
inline float X4 = 0.0f;
inline double X8 = 0.0;
inline __float128 X16 = 0;
inline std::string CX4(32, ' ');
inline std::string CX8(64, ' ');
inline std::string CX16(128, ' ');
// The current value in binary16 and bfloat16, as their 16-bit patterns, and
// their whole bit strings.
inline uint16_t X2 = 0;
inline uint16_t XBF16 = 0;
inline std::string CX2(16, ' ');
inline std::string CXBF16(16, ' ');
// The current value and the whole bit string of the format chosen from the
// list, whichever it is.
inline ieee::uint128 XALT = 0;
inline std::string CXALT;
inline std::string STR_0(64, '0');
inline std::string STR_1(64, '1');

inline bool IS_ZERO = false;
inline bool IS_SUBNORMAL = false;
inline bool IS_INFINITY = false;
inline bool IS_NAN = false;
inline bool IS_FINITE = false;
inline bool EXP_MAX_FINITE = false;
inline bool EXP_MIN_NORMAL = false;

// Class of the datum: [0] Romanian, [1] English, 30 characters each.
inline std::array<std::string, 2> DATATYPE{std::string(30, ' '), std::string(30, ' ')};
inline char INF_SIGN = '0';
inline char NAN_SIGN = '0';

inline int CURRENT_FIELD_WIDTH = 0;
inline int PARAM_INDEX = 0;
inline int LANG = 1;  // 1 Romanian, 2 English
inline bool LANG_RO = true;
inline bool ALL_FIELDS = true;

// The number last typed into the value field, exactly, with the format and
// pattern it was stored as: the conversion error is shown while the datum is
// still that pattern.
struct TypedOrigin {
    bool valid = false;
    int kind = 0;
    ieee::uint128 pattern = 0;
    ieee::TypedDecimal number;
};
inline TypedOrigin TYPED_NUMBER;
// The pattern the stored value group shows (valid = false while it is empty).
struct ShownPattern {
    bool valid = false;
    int kind = 0;
    ieee::uint128 pattern = 0;
};
inline ShownPattern STORED_SHOWN;
// The pattern whose class the flags and DATATYPE describe.
inline ShownPattern CLASSIFIED;
// The last hexadecimal word accepted from the user or written by the program.
inline std::string HEX_ACCEPTED;
// The same for the bytes box.
inline std::string BYTES_ACCEPTED;

// Summary texts: STATIC_2[item 0..6][language 0..1], 180 characters each.
inline std::array<std::array<std::string, 2>, 7> STATIC_2{};
inline std::array<int, 7> ID_STATIC_2{};
}  // namespace COMUN

// Restores every shared variable to its start value (used before each start-up).
void RESET_SHARED_STATE();

// The stored value of format `kind` (X4, X8, X16, X2, XBF16 or, for the
// format chosen from the list, XALT) as its bit
// pattern, and the whole bit string of the last typed value of that format
// (CX4 ...); 0 / nullptr for an unknown kind.
ieee::uint128 STORED_PATTERN(int kind);
void SET_STORED_PATTERN(int kind, ieee::uint128 bits);
std::string* WHOLE_BIT_STRING(int kind);
