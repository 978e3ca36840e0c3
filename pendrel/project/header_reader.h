#pragma once

#include <string>
#include <string_view>

#include "pendrel/project/project_data.h"

namespace pendrel {

// Readers of the (preprocessed) definition header, by the designer's own rules.

// False (the application has blocks) when a "#define"/"#DEFINE" line naming
// NUMBK carries a number greater than 0 as its third token.
bool headerHasNoBlocks(std::string_view header);

// The lists of auxiliary functions, counters and other input and output
// signals, and the counts NUMEP and NUMEGGP (capped), into `data`.
void readHeaderLists(std::string_view header, ProjectData& data);

// The signal group names: the #define names beginning with "SG" and two
// digits after the token NUMBK, up to NUMSG or 48 names. On failure the text
// of the warning, filled with `headerName`; empty on success.
std::string readSignalGroupNames(std::string_view header, std::string_view headerName,
                                 ProjectData& data);

}  // namespace pendrel
