// Placeholder until this subject is built.
#include "numeric/ieee/format_table.h"

namespace ieee {

const FormatInfo* FormatFor(int) { return nullptr; }

}  // namespace ieee
