#pragma once

#include <chrono>
#include <functional>

namespace veltro::link {

// One-shot timers, so that the poll cycle can be driven by a fake in tests.
// The front-end fires them on the GUI thread.
class OneShotTimers {
  public:
    using TimerId = int;
    static constexpr TimerId kNoTimer = -1;

    virtual ~OneShotTimers() = default;
    // kNoTimer when the timer cannot be started.
    virtual TimerId start(std::chrono::milliseconds delay, std::function<void()> callback) = 0;
    virtual void cancel(TimerId id) = 0;
};

}  // namespace veltro::link
