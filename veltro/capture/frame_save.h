#pragma once

#include <optional>
#include <string>

#include "veltro/capture/capture_format.h"
#include "veltro/monitor/frame_history.h"
#include "veltro/monitor/frame_view.h"

namespace veltro::capture {

// The frame monitor's "Opslaan...": the rows it shows as a capture file, so
// that what was saved can be replayed. The file is replaced whole (through a
// temporary file), never left half written; `header.beginMs` is used only
// when there is no row. The error text, if any.
std::optional<std::string> saveFramesAsCapture(const std::string& path,
                                               const monitor::FrameView& view,
                                               const monitor::FrameHistory& history,
                                               const CaptureHeader& header);

}  // namespace veltro::capture
