#include "app/state.h"

void RESET_SHARED_STATE() {
    using namespace COMUN;
    ORVANEGLOBALS::H_INSTANCE = nullptr;
    ORVANEGLOBALS::DLG_MAIN = DIALOG{};
    DLG_SUMMARY = DIALOG{};
    H_ICON_SMALL = H_ICON_INFO = H_ICON_SUMMARY = nullptr;
    FORMAT_KIND = 4;
    VALUE_CHAR.assign(42, ' ');
    X4 = 0.0f;
    X8 = 0.0;
    X16 = 0;
    CX4.assign(32, ' ');
    CX8.assign(64, ' ');
    CX16.assign(128, ' ');
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
    for (auto& item : STATIC_2) item = {std::string(180, ' '), std::string(180, ' ')};
    ID_STATIC_2 = {};
}
