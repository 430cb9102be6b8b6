// Placeholder until this subject is built.
#include "numeric/param_list.h"

void SUB_LIST(DIALOG&, int, int) {  }
void SUB_EXPONENT(DIALOG&, int, int) {  }
void SUB_FRACTION(DIALOG&, int, int) {  }
