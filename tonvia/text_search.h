#pragma once

#include <string_view>

namespace tonvia {

// True when `text` holds "STRUCT " followed, after blanks and TABs, by `tag`.
bool containsStructOf(std::string_view text, std::string_view tag);

// True when "STOP" stands at the start of `text` or right behind a comma, a
// blank or a TAB: the end of the detector table.
bool containsStopMark(std::string_view text);

}  // namespace tonvia
