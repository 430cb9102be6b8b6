// Placeholder until the toolkit layer is built.
#include "dialog/platform.h"

namespace platform {
int MessageBoxA(void*, std::string_view, std::string_view, unsigned) { return 0; }
int GetOpenFileNameA(OPENFILENAMEA&) { return 0; }
unsigned GetCurrentDirectoryA(unsigned, char*) { return 0; }
PlatformHooks SetPlatformHooks(PlatformHooks) { return {}; }
HICON LoadIconResource(int, int, int) { return {}; }
int RunMessageLoop() { return 0; }
void PostQuitMessage(int) {  }
}
