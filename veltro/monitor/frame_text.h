#pragma once

#include <optional>
#include <string>
#include <vector>

#include "veltro/monitor/frame_entry.h"
#include "veltro/monitor/frame_names.h"

namespace veltro::monitor {

// One monitor line, decoded for the engineer; a column that the frame does
// not carry is empty.
struct FrameColumns {
    std::string time;         // 08:15:03.123
    std::string direction;    // "in" or "uit"
    std::string bytes;        // B2 44 45 43 41 64
    std::string mode;         // READ, WRITE, ... or what the malformed bytes are
    std::string function;     // 69 DA
    std::string index;        // 3 fc03
    std::string secondIndex;  // 2 blok
    std::string value;        // WRITE frames only
};

// The column titles, in order.
const std::vector<std::string>& frameColumnTitles();

FrameColumns describeFrame(const FrameEntry& entry, const FrameNames& names, int offsetMinutes);

// The bytes in hexadecimal, separated by blanks.
std::string hexText(std::span<const std::uint8_t> bytes);

// One line of a saved frame list: the columns separated by tabs.
std::string frameLine(const FrameColumns& columns);

}  // namespace veltro::monitor
