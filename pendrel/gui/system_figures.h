#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace pendrel::gui {

// The machine's figures that the about box and the status line show.

// The memory that programs can still get, in bytes, if the system says.
std::optional<std::uint64_t> freeMemory();

// The file system that holds a directory: its free bytes and mount point.
struct DiskFigures {
    std::optional<std::uint64_t> freeBytes;
    std::string mountPoint;
};
DiskFigures diskFigures(const std::string& directory);

}  // namespace pendrel::gui
