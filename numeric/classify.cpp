// Placeholder until this subject is built.
#include "numeric/classify.h"

void RETRIEVEDATATYPE() {  }
