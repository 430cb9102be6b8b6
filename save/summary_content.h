// The content of the summary file.
#pragma once

#include <string>

// The whole summary file in language `lang` (1 Romanian, 2 English): each of
// the seven summary texts, with CR LF line ends, each followed by a line of
// one blank.
std::string SummaryFileContent(int lang);
