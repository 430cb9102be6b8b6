// Placeholder until this subject is built.
#include "editing/bulk_ops.h"

void FLIP_BITS(int, std::string_view, std::string&) {  }
void GETEDITANDFLIPBITS(DIALOG&, int, int) {  }
void GETANDFLIPBITS_CURRENTFIELD(DIALOG&, int, int) {  }
void BULK_BUTTON(DIALOG&, int, int) {  }
