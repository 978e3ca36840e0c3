#pragma once

#include <string_view>

namespace common {

// Matches `name` against `pattern`, where '?' stands for any one character and
// '*' for any run of characters (also none); letters match without regard to
// case, as the directory searches of the controller framework do.
bool wildcardMatch(std::string_view pattern, std::string_view name);

}  // namespace common
