// Class of the current datum, named in both caption languages.
#include "numeric/classify.h"

#include <algorithm>
#include <cstddef>
#include <string>

#include "app/fixed_text.h"
#include "app/state.h"
#include "numeric/class_text.h"
#include "numeric/ieee/pattern_class.h"

namespace {

void SetDataType(const ieee::FormatInfo& f, ieee::uint128 pattern) {
    // 30 characters, as the five formats' class names always fit; the longer
    // names of an explicit leading bit's encodings are kept whole.
    for (int lang : {1, 2}) {
        const std::string text = ClassText(f, pattern, lang);
        COMUN::DATATYPE[static_cast<std::size_t>(lang - 1)] = Padded(text, std::max<std::size_t>(30, text.size()));
    }
}

}  // namespace

void TAKE_CLASS(const ieee::FormatInfo& f, ieee::uint128 pattern) {
    using namespace COMUN;
    const ieee::ClassInfo info = ieee::ClassOf(f, pattern);
    using ieee::PatternClass;
    // An explicit leading bit's own encodings count with the class they
    // resemble: a pseudo-denormal with the subnormals (its exponent is Emin),
    // a pseudo-infinity and a pseudo-NaN with the values that are no numbers.
    IS_ZERO = info.kind == PatternClass::Zero;
    IS_SUBNORMAL = info.kind == PatternClass::Subnormal || info.kind == PatternClass::PseudoDenormal;
    IS_INFINITY = info.kind == PatternClass::Infinity || info.kind == PatternClass::PseudoInfinity;
    IS_NAN = info.kind == PatternClass::NaN || info.kind == PatternClass::PseudoNaN;
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
