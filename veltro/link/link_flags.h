#pragma once

#include <atomic>

#include "veltro/ports/frame_tap.h"

namespace veltro::link {

// Flags that route received bytes: written by the GUI thread, read by the
// reader thread for every read (paused) or every byte (dump open).
struct LinkFlags {
    std::atomic<bool> paused{false};    // a debug window is being switched
    std::atomic<bool> dumpOpen{false};  // bytes go to the dump receiver
    std::atomic<bool> trace{false};     // IP reader reports its receive counts
    FrameTapSlot tap;                   // a frame monitor or value log, when open
};

}  // namespace veltro::link
