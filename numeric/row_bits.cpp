// The bit fields of one format's row as one pattern.
#include "numeric/row_bits.h"

#include <string>

#include "numeric/ieee/bit_pattern.h"

ieee::uint128 READ_ROW_PATTERN(DIALOG& dlg, const FormatRow& row) {
    ieee::uint128 pattern = 0;
    for (const FieldEdit& field : row.Fields()) {
        const auto width = static_cast<std::size_t>(field.width);
        std::string text(width, ' ');
        if (!DIALOG_GET_TEXT(dlg, field.id, text)) text.assign(width, ' ');
        text.resize(width, ' ');
        const ieee::uint128 mask = (ieee::uint128(1) << field.width) - 1;
        // The field's last bit stands this many bits above the pattern's last.
        const int shift = row.info->bits - field.first - field.width;
        pattern |= (ieee::UnsignedFromDigits(text) & mask) << shift;
    }
    return pattern & row.info->patternMask();
}

void WRITE_ROW_BITS(DIALOG& dlg, const FormatRow& row, std::string_view whole) {
    for (const FieldEdit& field : row.Fields())
        DIALOG_SET_TEXT(dlg, field.id,
                        whole.substr(static_cast<std::size_t>(field.first), static_cast<std::size_t>(field.width)));
}

void WRITE_ROW_PATTERN(DIALOG& dlg, const FormatRow& row, ieee::uint128 pattern) {
    WRITE_ROW_BITS(dlg, row, ieee::BitString(*row.info, pattern));
}
