// Placeholder until this subject is built.
#include "numeric/represent.h"

void SUB_REPRESENT(DIALOG&, int, int) {  }
