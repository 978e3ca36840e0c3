#pragma once

#include <string>
#include <string_view>

namespace pendrel {

// True when some line of `text` holds "#ifdef pc_omgeving" or
// "#ifndef pc_omgeving".
bool mentionsPcOmgeving(std::string_view text);

// The designer's own preprocessing of a source: "//" comments removed and the
// pc_omgeving sections kept or dropped by `pcOmgevingDefined`. Lines are read
// as pieces of at most 239 characters, as the original reader did; a carriage
// return before a line feed is dropped.
std::string preprocessSource(std::string_view text, bool pcOmgevingDefined);

}  // namespace pendrel
