// Free memory on Linux: /proc/meminfo says what programs can still get.
#include <fstream>
#include <sstream>

#include "pendrel/platform/free_memory.h"

namespace pendrel::platform {

std::optional<std::uint64_t> freeMemory() {
    std::ifstream meminfo("/proc/meminfo");
    std::ostringstream text;
    text << meminfo.rdbuf();
    return availableMemoryInMeminfo(text.str());
}

}  // namespace pendrel::platform
