#pragma once

#include <cstdarg>
#include <cstdio>
#include <string>

// The format checks follow the printf the program uses: MinGW's headers name
// the matching archetype (gnu_printf for its C99 printf), elsewhere it is printf.
#if defined(__MINGW_PRINTF_FORMAT)
#define COMMON_PRINTF_FORMAT __MINGW_PRINTF_FORMAT
#else
#define COMMON_PRINTF_FORMAT printf
#endif

namespace common {

// printf-style formatting into a string. The format must be a literal (the
// compiler checks its arguments), never text that came from input.
[[gnu::format(COMMON_PRINTF_FORMAT, 1, 2)]] std::string format(const char* fmt, ...);
[[gnu::format(COMMON_PRINTF_FORMAT, 1, 0)]] std::string vformat(const char* fmt,
                                                                std::va_list args);

}  // namespace common
