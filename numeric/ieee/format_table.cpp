// Parameters of binary32, binary64 and binary128, indexed by storage size.
#include "numeric/ieee/format_table.h"

namespace ieee {

namespace {

constexpr FormatInfo kBinary32{4, 32, 8, 23, 24, 127, -126, 127, 8, 15, 2, 'E', 7, 14};
constexpr FormatInfo kBinary64{8, 64, 11, 52, 53, 1023, -1022, 1023, 17, 25, 2, 'D', 15, 22};
constexpr FormatInfo kBinary128{16, 128, 15, 112, 113, 16383, -16382, 16383, 34, 42, 3, 'D', 33, 41};

}  // namespace

const FormatInfo* FormatFor(int formatKind) {
    switch (formatKind) {
    case 4: return &kBinary32;
    case 8: return &kBinary64;
    case 16: return &kBinary128;
    default: return nullptr;
    }
}

}  // namespace ieee
