// Placeholder until this subject is built.
#include "editing/cursor.h"

void SHOWCURSORPOSITION_FIELD(DIALOG&, int, int) {  }
