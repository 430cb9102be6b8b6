// The processor's own binary32 and binary64 arithmetic with its exception
// flags. Compiled with -frounding-math, so the compiler neither folds nor
// moves an operation across a change of the rounding direction; the empty
// asm statements pin each operation between the clearing and the reading of
// the flags.
#include "numeric/ieee/native_operations.h"

#include <bit>
#include <cfenv>
#include <cmath>
#include <cstdint>

namespace ieee {

namespace {

// x86 SSE arithmetic: one rounding per operation, tininess detected after
// rounding, underflow raised only for an inexact tiny result.
// The fused multiply-add is the processor's own instruction, where it has
// one (rounded once, flags its own), never a library's emulation.
#if defined(__SSE2_MATH__) && (defined(__x86_64__) || defined(__i386__))
constexpr bool kHardware = true;
__attribute__((target("fma"))) float FusedHardware(float a, float b, float c) { return __builtin_fmaf(a, b, c); }
__attribute__((target("fma"))) double FusedHardware(double a, double b, double c) { return __builtin_fma(a, b, c); }
bool HasFusedHardware() { return __builtin_cpu_supports("fma"); }
#else
constexpr bool kHardware = false;
template <class T>
T FusedHardware(T a, T, T) {
    return a;
}
bool HasFusedHardware() { return false; }
#endif

template <class T>
using WordOf = std::conditional_t<sizeof(T) == 4, uint32_t, uint64_t>;

template <class T>
T ValueOf(uint128 bits) {
    return std::bit_cast<T>(static_cast<WordOf<T>>(bits));
}

Flags FlagsOf(int raised) {
    Flags flags;
    flags.invalid = (raised & FE_INVALID) != 0;
    flags.divideByZero = (raised & FE_DIVBYZERO) != 0;
    flags.overflow = (raised & FE_OVERFLOW) != 0;
    flags.underflow = (raised & FE_UNDERFLOW) != 0;
    flags.inexact = (raised & FE_INEXACT) != 0;
    return flags;
}

template <class T, class R, Operation op>
bool Native(const uint128* operands, uint128& bits, Flags& flags) {
    constexpr int count =
        op == Operation::FusedMultiplyAdd                                                                   ? 3
        : op == Operation::SquareRoot || op == Operation::RoundToIntegral || op == Operation::ConvertFormat ? 1
                                                                                                            : 2;
    T a = ValueOf<T>(operands[0]);
    T b = count > 1 ? ValueOf<T>(operands[1]) : T(0);
    T c = count > 2 ? ValueOf<T>(operands[2]) : T(0);
    // NaN operands: Compute chooses the payload of the result.
    if (std::isnan(a) || std::isnan(b) || std::isnan(c)) return false;
    std::feclearexcept(FE_ALL_EXCEPT);
    asm volatile("" : "+x"(a), "+x"(b), "+x"(c));
    R r;
    if constexpr (op == Operation::Add) r = a + b;
    else if constexpr (op == Operation::Subtract) r = a - b;
    else if constexpr (op == Operation::Multiply) r = a * b;
    else if constexpr (op == Operation::Divide) r = a / b;
    else if constexpr (op == Operation::SquareRoot) r = std::sqrt(a);
    else if constexpr (op == Operation::FusedMultiplyAdd) r = FusedHardware(a, b, c);
    else if constexpr (op == Operation::RoundToIntegral) r = std::nearbyint(a);
    else r = static_cast<R>(a);  // ConvertFormat
    asm volatile("" : "+x"(r));
    const int raised = std::fetestexcept(FE_ALL_EXCEPT);
    // An invalid operation's NaN: Compute gives the format's own default NaN.
    if (std::isnan(r)) return false;
    bits = std::bit_cast<WordOf<R>>(r);
    flags = FlagsOf(raised);
    return true;
}

template <class T>
bool (*PickFor(Operation op, const FormatInfo* target))(const uint128*, uint128&, Flags&) {
    switch (op) {
    case Operation::Add: return Native<T, T, Operation::Add>;
    case Operation::Subtract: return Native<T, T, Operation::Subtract>;
    case Operation::Multiply: return Native<T, T, Operation::Multiply>;
    case Operation::Divide: return Native<T, T, Operation::Divide>;
    case Operation::SquareRoot: return Native<T, T, Operation::SquareRoot>;
    case Operation::FusedMultiplyAdd: return HasFusedHardware() ? Native<T, T, Operation::FusedMultiplyAdd> : nullptr;
    case Operation::RoundToIntegral: return Native<T, T, Operation::RoundToIntegral>;
    case Operation::ConvertFormat:
        if (target == nullptr) return nullptr;
        if (sizeof(T) == 8 && target->kind == KIND_BINARY32) return Native<T, float, Operation::ConvertFormat>;
        if (sizeof(T) == 4 && target->kind == KIND_BINARY64) return Native<T, double, Operation::ConvertFormat>;
        return nullptr;
    default: return nullptr;  // remainder and the comparisons stay with Compute
    }
}

int HardwareRounding(Rounding rounding) {
    switch (rounding) {
    case Rounding::TiesToEven: return FE_TONEAREST;
    case Rounding::TowardPositive: return FE_UPWARD;
    case Rounding::TowardNegative: return FE_DOWNWARD;
    case Rounding::TowardZero: return FE_TOWARDZERO;
    case Rounding::TiesToAway: break;
    }
    return -1;
}

}  // namespace

NativeOperations::NativeOperations(Operation op, const FormatInfo& f, Rounding rounding, Tininess tininess,
                                   const FormatInfo* target) {
    const int mode = HardwareRounding(rounding);
    if (!kHardware || mode < 0 || tininess != Tininess::AfterRounding) return;
    if (f.kind == KIND_BINARY32) run_ = PickFor<float>(op, target);
    else if (f.kind == KIND_BINARY64) run_ = PickFor<double>(op, target);
    if (run_ == nullptr) return;
    savedRounding_ = std::fegetround();
    mode_ = mode;
    if (std::fesetround(mode) != 0) run_ = nullptr;
}

void NativeOperations::Pause() const {
    if (run_ != nullptr) std::fesetround(savedRounding_);
}

void NativeOperations::Resume() const {
    if (run_ != nullptr) std::fesetround(mode_);
}

NativeOperations::~NativeOperations() {
    if (run_ != nullptr) std::fesetround(savedRounding_);
}

}  // namespace ieee
