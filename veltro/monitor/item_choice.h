#pragma once

#include <string>
#include <vector>

#include "veltro/monitor/logged_item.h"
#include "veltro/screens/debug_screen.h"

namespace veltro::monitor {

// How the item chooser and the trend's legend name an item: its label, then
// its macro and element ("Groen  (VG_TIJD fc02)"), or only the label when it
// says that much already ("DVWD SG02_1").
std::string choiceText(const LoggedItem& item);

// The items a trend opened without asking plots: those of `screen` with the
// field numbers `fields`, or its first three number items when none are given.
std::vector<int> trendItems(const DebugScreen& screen, const std::vector<int>& fields);

}  // namespace veltro::monitor
