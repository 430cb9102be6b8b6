// Placeholder until this subject is built.
#include "numeric/decode.h"

void GETEDITSANDRETRIEVEREAL(DIALOG&, int, int) {  }
void ISNONNUMBER(int, int, std::string_view, std::string_view) {  }
bool ALLBITS_ZERO(int, std::string_view) { return false; }
bool ALLBITS_ONE(int, std::string_view) { return false; }
bool ALLZERO_EXCEPT_LAST(int, std::string_view) { return false; }
bool ALLONE_EXCEPT_LAST(int, std::string_view) { return false; }
void OUTPUTVALUE(DIALOG&, int, int) {  }
void RETRIEVEANDOUTPUTVALUE(DIALOG&, int, int) {  }
