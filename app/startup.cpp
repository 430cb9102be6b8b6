// Placeholder until this subject is built.
#include "app/startup.h"

bool ORVANE_STARTUP(int) { return false; }
void ORVANE_SHUTDOWN() {  }
int WinMain(void*, void*, const char*, int) { return 0; }
void ORVANESUB(DIALOG&, int, int) {  }
