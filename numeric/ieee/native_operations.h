// A speed path for long runs of one operation on binary32 or binary64
// patterns: the processor's own arithmetic in the chosen direction, its
// exception flags read after each operation. Used only where the hardware
// does exactly what Compute does: a direction the processor has (not ties
// to away), tininess detected after rounding (as SSE does), no NaN operand
// and no NaN result (Compute decides those patterns). Everything else is
// left to Compute, which the caller runs when Run returns false.
#pragma once

#include "numeric/ieee/format_table.h"
#include "numeric/ieee/operations.h"
#include "numeric/ieee/rounding.h"

namespace ieee {

class NativeOperations {
public:
    // Sets the processor's rounding direction for the object's life when the
    // path applies; the old direction comes back with the destructor.
    NativeOperations(Operation op, const FormatInfo& f, Rounding rounding, Tininess tininess,
                     const FormatInfo* target = nullptr);
    ~NativeOperations();
    NativeOperations(const NativeOperations&) = delete;
    NativeOperations& operator=(const NativeOperations&) = delete;

    // The operation has a native path here.
    bool Usable() const { return run_ != nullptr; }
    // The result of the operation on the first OperandCount(op) operands, with
    // its flags; false when Compute must give it.
    bool Run(const uint128* operands, uint128& bits, Flags& flags) const {
        return run_ != nullptr && run_(operands, bits, flags);
    }

    // The caller's own direction back while Compute runs, and the
    // operation's direction again after it.
    void Pause() const;
    void Resume() const;

private:
    using Function = bool (*)(const uint128*, uint128&, Flags&);
    Function run_ = nullptr;
    int savedRounding_ = 0;
    int mode_ = 0;
};

}  // namespace ieee
