#pragma once

#include <optional>
#include <vector>

#include "veltro/monitor/frame_names.h"
#include "veltro/screens/debug_screen.h"

class QWidget;

namespace veltro::gui {

// "Items kiezen": the defined items of a debug window in a list, the given
// ones chosen at the start. The chosen items in item order, or nothing when
// the engineer cancels or chooses none.
std::optional<std::vector<int>> chooseItems(const DebugScreen& screen,
                                            const monitor::FrameNames& names,
                                            const std::vector<int>& preset, QWidget* parent);

}  // namespace veltro::gui
