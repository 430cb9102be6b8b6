// The rows of the main dialog, one per format: which radio chooses the
// format and which edits show its sign, exponent and fraction fields (the
// binary128 fraction is split over two edits). The format's parameters come
// from the numeric format table; this table only binds them to controls.
// The last row is the one of the format chosen from a list: its fields
// follow that format.
#pragma once

#include <span>
#include <string>

#include "numeric/ieee/format_table.h"

struct FieldEdit {
    int id;     // the edit's control id
    int first;  // 0-based position of its first bit in the whole bit string
    int width;  // bits of the field (characters of the edit)
    int check;  // leading characters the bit check examines: width, or width + 1 to see one excess character
};

struct FormatRow {
    int kind;   // FORMAT_KIND
    int radio;  // the format radio
    const ieee::FormatInfo* info;
    FieldEdit fields[5];  // sign, exponent, [integer bit,] fraction (long ones: high part, low part)
    int fieldCount;

    std::span<const FieldEdit> Fields() const { return {fields, static_cast<std::size_t>(fieldCount)}; }
    const FieldEdit& Sign() const { return fields[0]; }
    const FieldEdit& Exponent() const { return fields[1]; }
};

// Rows in the order the dialog shows them: binary32, binary64, binary128,
// binary16, bfloat16, then the row of the format chosen from the list.
std::span<const FormatRow> FormatRows();
// The row of a format kind, or nullptr.
const FormatRow* RowOfKind(int kind);
// The row whose radio or one of whose edits is control `id`, or nullptr.
const FormatRow* RowOfControl(int id);
// The edit `id` within its row, or nullptr.
const FieldEdit* FieldOfControl(int id);

// The row of the format chosen from the list, and the formats that list
// offers: every format of the table without a radio of its own.
const FormatRow& AltRow();
bool HasOwnRadio(const ieee::FormatInfo& f);
// Binds the list's row to format `f` (a format without its own radio): the
// fields' places and widths follow it.
void SET_ALT_FORMAT(const ieee::FormatInfo& f);

// What a screen reader is told of a field: its name and description in
// language `lang` ("binary32 sign bit", "binary32 sign, 1 bit").
std::string FieldName(const FormatRow& row, const FieldEdit& field, int lang);
std::string FieldDescription(const FormatRow& row, const FieldEdit& field, int lang);
