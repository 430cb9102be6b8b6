#include "app/state.h"

#include "app/format_rows.h"
#include "numeric/ieee/bit_pattern.h"

void RESET_SHARED_STATE() {
    using namespace COMUN;
    ORVANEGLOBALS::H_INSTANCE = nullptr;
    ORVANEGLOBALS::DLG_MAIN = DIALOG{};
    DLG_SUMMARY = DIALOG{};
    H_ICON_SMALL = H_ICON_INFO = H_ICON_SUMMARY = nullptr;
    FORMAT_KIND = 4;
    VALUE_CHAR.assign(42, ' ');
    VALUE_TYPED = false;
    X4 = 0.0f;
    X8 = 0.0;
    X16 = 0;
    CX4.assign(32, ' ');
    CX8.assign(64, ' ');
    CX16.assign(128, ' ');
    X2 = XBF16 = 0;
    CX2.assign(16, ' ');
    CXBF16.assign(16, ' ');
    XALT = 0;
    CXALT.clear();
    STR_0.assign(64, '0');
    STR_1.assign(64, '1');
    IS_ZERO = IS_SUBNORMAL = IS_INFINITY = IS_NAN = IS_FINITE = false;
    EXP_MAX_FINITE = EXP_MIN_NORMAL = false;
    DATATYPE = {std::string(30, ' '), std::string(30, ' ')};
    INF_SIGN = NAN_SIGN = '0';
    CURRENT_FIELD_WIDTH = 0;
    PARAM_INDEX = 0;
    LANG = 1;
    LANG_RO = true;
    ALL_FIELDS = true;
    TYPED_NUMBER = {};
    STORED_SHOWN = {};
    CLASSIFIED = {};
    HEX_ACCEPTED.clear();
    BYTES_ACCEPTED.clear();
    for (auto& item : STATIC_2) item = {std::string(180, ' '), std::string(180, ' ')};
    ID_STATIC_2 = {};
}

ieee::uint128 STORED_PATTERN(int kind) {
    using namespace COMUN;
    switch (kind) {
    case ieee::KIND_BINARY32: return ieee::Bits(X4);
    case ieee::KIND_BINARY64: return ieee::Bits(X8);
    case ieee::KIND_BINARY128: return ieee::Bits(X16);
    case ieee::KIND_BINARY16: return X2;
    case ieee::KIND_BFLOAT16: return XBF16;
    default: return AltRow().info != nullptr && kind == AltRow().kind ? XALT & AltRow().info->patternMask() : 0;
    }
}

void SET_STORED_PATTERN(int kind, ieee::uint128 bits) {
    using namespace COMUN;
    switch (kind) {
    case ieee::KIND_BINARY32: X4 = ieee::FloatFromBits(static_cast<uint32_t>(bits)); break;
    case ieee::KIND_BINARY64: X8 = ieee::DoubleFromBits(static_cast<uint64_t>(bits)); break;
    case ieee::KIND_BINARY128: X16 = ieee::QuadFromBits(bits); break;
    case ieee::KIND_BINARY16: X2 = static_cast<uint16_t>(bits); break;
    case ieee::KIND_BFLOAT16: XBF16 = static_cast<uint16_t>(bits); break;
    default:
        if (AltRow().info != nullptr && kind == AltRow().kind) XALT = bits & AltRow().info->patternMask();
        break;
    }
}

std::string* WHOLE_BIT_STRING(int kind) {
    using namespace COMUN;
    switch (kind) {
    case ieee::KIND_BINARY32: return &CX4;
    case ieee::KIND_BINARY64: return &CX8;
    case ieee::KIND_BINARY128: return &CX16;
    case ieee::KIND_BINARY16: return &CX2;
    case ieee::KIND_BFLOAT16: return &CXBF16;
    default: return AltRow().info != nullptr && kind == AltRow().kind ? &CXALT : nullptr;
    }
}
