// Placeholder until this subject is built.
#include "app/format_select.h"

void ENABLEBITEDITS(DIALOG&, int, int) {  }
void FORMAT_CLICK(DIALOG&, int, int) {  }
