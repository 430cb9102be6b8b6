// Placeholder until this subject is built.
#include "numeric/ieee/bit_pattern.h"

namespace ieee {

std::string BitString(float) { return {}; }
std::string BitString(double) { return {}; }
std::string BitString(__float128) { return {}; }
float Binary32FromDigits(std::string_view) { return {}; }
double Binary64FromDigits(std::string_view) { return {}; }
__float128 Binary128FromDigits(std::string_view) { return {}; }
uint128 UnsignedFromDigits(std::string_view) { return {}; }
uint32_t Bits(float) { return {}; }
uint64_t Bits(double) { return {}; }
uint128 Bits(__float128) { return {}; }
float FloatFromBits(uint32_t) { return {}; }
double DoubleFromBits(uint64_t) { return {}; }
__float128 QuadFromBits(uint128) { return {}; }

}  // namespace ieee
