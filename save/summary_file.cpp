// Placeholder until this subject is built.
#include "save/summary_file.h"

void SAVE_TO_FILE(DIALOG&, int, int) {  }
void GETFILE(std::string&, int&, std::string_view) {  }
void SELECTFILE(std::string_view, std::string_view, std::string_view, int, std::string_view, std::string&, int&) {  }
