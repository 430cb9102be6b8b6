// Placeholder until this subject is built.
#include "numeric/encode.h"

void ISINFINITY_OR_NAN() {  }
void SETEDITSFORINFINITY_NAN(DIALOG&, int, int) {  }
void BITSFROMVALUE(DIALOG&, int, int) {  }
int IFIELD(int) { return 0; }
int WIDTH(int32_t) { return 0; }
