#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// The free memory that the about box shows; free_memory_posix.cpp and
// free_memory_win32.cpp ask the system.
namespace pendrel::platform {

// The memory that programs can still get, in bytes, if the system says.
std::optional<std::uint64_t> freeMemory();

// The same figure in the text of Linux's /proc/meminfo (its line
// "MemAvailable:  123456 kB"), if the text holds it.
std::optional<std::uint64_t> availableMemoryInMeminfo(std::string_view text);

}  // namespace pendrel::platform
