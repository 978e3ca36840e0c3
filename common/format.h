#pragma once

#include <cstdarg>
#include <string>

namespace common {

// printf-style formatting into a string. The format must be a literal (the
// compiler checks its arguments), never text that came from input.
[[gnu::format(printf, 1, 2)]] std::string format(const char* fmt, ...);
[[gnu::format(printf, 1, 0)]] std::string vformat(const char* fmt, std::va_list args);

}  // namespace common
