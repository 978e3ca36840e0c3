// Free memory on Windows: the physical memory still available.
#include <windows.h>

#include "pendrel/platform/free_memory.h"

namespace pendrel::platform {

std::optional<std::uint64_t> freeMemory() {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof(status);
    if (!::GlobalMemoryStatusEx(&status)) {
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(status.ullAvailPhys);
}

}  // namespace pendrel::platform
