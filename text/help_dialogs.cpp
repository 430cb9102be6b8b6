// Placeholder until this subject is built.
#include "text/help_dialogs.h"

void SUB_HELP(DIALOG&, int, int) {  }
void SUB_HELP2(DIALOG&, int, int) {  }
void SUB_ABOUT(DIALOG&, int, int) {  }
