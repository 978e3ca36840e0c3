#pragma once

#include <cstdint>

#include "veltro/monitor/frame_entry.h"

namespace veltro::monitor {

// Takes every frame the monitor's intake delivers, in order, on the thread
// that drains it (a capture file's writer).
class FrameRecorder {
  public:
    virtual ~FrameRecorder() = default;
    virtual void take(const FrameEntry& entry) = 0;
    // `frames` entries were refused by the full intake before `timeMs`.
    virtual void lost(std::uint64_t frames, std::int64_t timeMs) = 0;
    // Called after every drain: time to write out what is buffered.
    virtual void tick(std::int64_t nowMs) = 0;
};

}  // namespace veltro::monitor
