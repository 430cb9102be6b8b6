// Class of the current datum, named in both caption languages.
#include "numeric/classify.h"

#include "app/fixed_text.h"
#include "app/state.h"
#include "numeric/ieee/format_table.h"

void RETRIEVEDATATYPE() {
    using namespace COMUN;
    std::string romanian;
    std::string english;
    if (IS_ZERO) {
        romanian = "Zero cu semn";
        english = "Signed Zero";
    } else if (IS_SUBNORMAL) {
        romanian = "Numar denormalizat";
        english = "Denormalized Number";
    } else if (IS_INFINITY) {
        romanian = "Infinit cu semn";
        english = "Signed Infinity";
    } else if (IS_NAN) {
        romanian = "Non-Numar";
        english = "Not-a-Number";
    } else {
        // The kind as the class name shows it: the storage size of binary32,
        // binary64 and binary128, the 16-bit formats' own labels.
        const ieee::FormatInfo* format = ieee::FormatFor(FORMAT_KIND);
        const std::string kind = format != nullptr ? format->classLabel : std::to_string(FORMAT_KIND);
        romanian = "Numar normalizat: Real(" + kind + ")";
        english = "Normalized Number: Real(" + kind + ")";
    }
    DATATYPE[0] = Padded(romanian, 30);
    DATATYPE[1] = Padded(english, 30);
}
