#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

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

// A column of the monitor: its title and its width in digits of the table's
// font (0: the last column, which takes the rest).
struct FrameColumn {
    std::string_view title;
    int widthDigits;
};
inline constexpr std::size_t kFrameColumnCount = 8;
// The columns in the order of FrameColumns' fields.
const std::array<FrameColumn, kFrameColumnCount>& frameColumns();
// The fields of `c` in column order.
std::array<const std::string*, kFrameColumnCount> columnFields(const FrameColumns& c);

FrameColumns describeFrame(const FrameEntry& entry, const FrameNames& names, int offsetMinutes);

// The bytes in hexadecimal, separated by blanks.
std::string hexText(std::span<const std::uint8_t> bytes);

// One line of a saved frame list: the columns separated by tabs.
std::string frameLine(const FrameColumns& columns);

}  // namespace veltro::monitor
