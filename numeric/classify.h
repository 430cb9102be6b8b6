// Class of the current datum in both languages.
#pragma once

#include <string>
#include <string_view>

#include "dialog/dialog.h"

// Fills DATATYPE (Romanian, English; 30 characters each) from the class flags.
void RETRIEVEDATATYPE();
