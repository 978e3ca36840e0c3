#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace pendrel::gui {

// The file system that holds a directory, as the about box and the status
// line show it: its free bytes and mount point.
struct DiskFigures {
    std::optional<std::uint64_t> freeBytes;
    std::string mountPoint;
};
DiskFigures diskFigures(const std::string& directory);

}  // namespace pendrel::gui
