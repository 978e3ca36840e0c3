#include "common/format.h"

#include <cstdio>
#include <vector>

namespace common {

std::string vformat(const char* fmt, std::va_list args) {
    std::va_list measure;
    va_copy(measure, args);
    const int size = std::vsnprintf(nullptr, 0, fmt, measure);
    va_end(measure);
    if (size <= 0)
        return {};
    std::vector<char> buffer(static_cast<std::size_t>(size) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), fmt, args);
    return std::string(buffer.data(), static_cast<std::size_t>(size));
}

std::string format(const char* fmt, ...) {
    std::va_list args;
    va_start(args, fmt);
    std::string result = vformat(fmt, args);
    va_end(args);
    return result;
}

}  // namespace common
