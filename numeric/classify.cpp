// Class of the current datum, named in both caption languages.
#include "numeric/classify.h"

#include <cstddef>

#include "app/fixed_text.h"
#include "app/state.h"
#include "numeric/class_text.h"
#include "numeric/ieee/pattern_class.h"

namespace {

void SetDataType(const ieee::FormatInfo& f, ieee::uint128 pattern) {
    for (int lang : {1, 2})
        COMUN::DATATYPE[static_cast<std::size_t>(lang - 1)] = Padded(ClassText(f, pattern, lang), 30);
}

}  // namespace

void TAKE_CLASS(const ieee::FormatInfo& f, ieee::uint128 pattern) {
    using namespace COMUN;
    const ieee::ClassInfo info = ieee::ClassOf(f, pattern);
    IS_ZERO = info.kind == ieee::PatternClass::Zero;
    IS_SUBNORMAL = info.kind == ieee::PatternClass::Subnormal;
    IS_INFINITY = info.kind == ieee::PatternClass::Infinity;
    IS_NAN = info.kind == ieee::PatternClass::NaN;
    IS_FINITE = ieee::IsFinite(info.kind);
    // Which end of the exponent range the stored exponent stands at (the
    // parameter list names Emin and Emax by them).
    const int stored = ieee::StoredExponent(f, pattern);
    EXP_MAX_FINITE = stored >= f.maxStored() - 1;
    EXP_MIN_NORMAL = stored <= 1;
    CLASSIFIED = {true, f.kind, pattern & f.patternMask()};
    SetDataType(f, pattern);
}

void RETRIEVEDATATYPE() {
    using namespace COMUN;
    // The class last worked out stands until another pattern is classified
    // (a format change or a typed keyword does not classify anything).
    const ieee::FormatInfo* format = ieee::FormatFor(CLASSIFIED.valid ? CLASSIFIED.kind : FORMAT_KIND);
    if (format == nullptr) return;
    SetDataType(*format, CLASSIFIED.valid ? CLASSIFIED.pattern : STORED_PATTERN(FORMAT_KIND));
}
