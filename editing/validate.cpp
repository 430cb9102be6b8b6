// Placeholder until this subject is built.
#include "editing/validate.h"

void CHECK_BITEDIT(int, std::string&, bool&) {  }
void CHECK_BITEDITS_4(DIALOG&, int, int) {  }
void CHECK_BITEDITS_8(DIALOG&, int, int) {  }
void CHECK_BITEDITS_16(DIALOG&, int, int) {  }
