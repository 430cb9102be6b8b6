// Placeholder until this subject is built.
#include "numeric/ieee/decimal_reader.h"

namespace ieee {

ReadStatus ReadFreeForm(std::string_view, float&) { return {}; }
ReadStatus ReadFreeForm(std::string_view, double&) { return {}; }
ReadStatus ReadFreeForm(std::string_view, __float128&) { return {}; }

}  // namespace ieee
