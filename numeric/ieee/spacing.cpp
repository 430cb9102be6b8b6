// Placeholder until this subject is built.
#include "numeric/ieee/spacing.h"

namespace ieee {

float ULP4(const float&) { return {}; }
double ULP8(const double&) { return {}; }
__float128 ULP16(const __float128&) { return {}; }
float NEAR4(const float&) { return {}; }
float NEAR_4(const float&) { return {}; }
double NEAR8(const double&) { return {}; }
double NEAR_8(const double&) { return {}; }
__float128 NEAR16(const __float128&) { return {}; }
__float128 NEAR_16(const __float128&) { return {}; }
int RepresentationExponent(int, std::string_view, bool) { return 0; }

}  // namespace ieee
