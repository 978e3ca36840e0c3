#include <sstream>
#include <string>

#include "pendrel/platform/free_memory.h"

namespace pendrel::platform {

std::optional<std::uint64_t> availableMemoryInMeminfo(std::string_view text) {
    std::istringstream lines{std::string(text)};
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string key;
        std::uint64_t kilobytes = 0;
        std::string unit;
        if (fields >> key >> kilobytes >> unit && key == "MemAvailable:" && unit == "kB") {
            return kilobytes * 1024;
        }
    }
    return std::nullopt;
}

}  // namespace pendrel::platform
