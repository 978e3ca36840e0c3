#pragma once

#include <chrono>
#include <thread>

#include "veltro/ports/steady_clock.h"

namespace veltro::link {

// The machine's steady clock. Its wait blocks the calling thread, so it
// serves threads that may block (the link's writer), not a window's thread.
class MachineClock final : public SteadyClock {
  public:
    Time now() const override {
        return std::chrono::duration_cast<Time>(
            std::chrono::steady_clock::now().time_since_epoch());
    }
    void waitUntil(Time deadline) override {
        std::this_thread::sleep_until(std::chrono::steady_clock::time_point(deadline));
    }
};

}  // namespace veltro::link
