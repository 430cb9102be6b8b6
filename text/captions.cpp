// Placeholder until this subject is built.
#include "text/captions.h"

void SETTITLES(DIALOG&, int, int) {  }
void INITIALIZE_STATIC_2() {  }
void SHOW_SUMMARY_TEXTS(DIALOG&) {  }
void LANGUAGE_SWITCH(DIALOG&, int, int) {  }
