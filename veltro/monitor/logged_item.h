#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "veltro/monitor/frame_entry.h"
#include "veltro/monitor/frame_names.h"
#include "veltro/ports/controller_record.h"
#include "veltro/screens/debug_screen.h"

namespace veltro::monitor {

// An item whose values are logged or plotted, as the log names it.
struct LoggedItem {
    std::string window;    // the file name of its debug window
    std::string label;     // the fixed text before it on its row
    std::string macro;     // the macro of its function code
    std::string element;   // its first element and block, named where known
    std::int32_t key = 0;  // the item index key of its record
};

// The items `items` (all of the window's defined items when empty) of
// `screen`, in item order.
std::vector<LoggedItem> loggedItems(const DebugScreen& screen, const std::vector<int>& items,
                                    const FrameNames& names);

// The item index key under which a report finds its item.
std::int32_t reportKey(const ControllerRecord& record);

// The record of a value the controller reported: a whole received WRITE frame.
std::optional<ControllerRecord> reportedValue(const FrameEntry& entry);

}  // namespace veltro::monitor
