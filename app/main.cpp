#include "app/startup.h"

int main() { return WinMain(nullptr, nullptr, "", 1); }
