// The bit fields of one format's row as one whole bit string.
#include "numeric/row_bits.h"

std::string READ_ROW_BITS(DIALOG& dlg, const FormatRow& row) {
    std::string whole;
    for (const FieldEdit& field : row.Fields()) {
        const auto width = static_cast<std::size_t>(field.width);
        std::string text(width, ' ');
        if (!DIALOG_GET_TEXT(dlg, field.id, text)) text.assign(width, ' ');
        text.resize(width, ' ');
        whole += text;
    }
    return whole;
}

void WRITE_ROW_BITS(DIALOG& dlg, const FormatRow& row, std::string_view whole) {
    for (const FieldEdit& field : row.Fields())
        DIALOG_SET_TEXT(dlg, field.id,
                        whole.substr(static_cast<std::size_t>(field.first), static_cast<std::size_t>(field.width)));
}
