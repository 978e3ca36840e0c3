#pragma once

#include <chrono>
#include <functional>

namespace veltro {

// One-shot timers (the poll cycle's). The front-end fires them on the
// user-interface thread; tests fire them when they choose.
class OneShotTimers {
  public:
    using TimerId = int;
    static constexpr TimerId kNoTimer = -1;

    virtual ~OneShotTimers() = default;
    // kNoTimer when the timer cannot be started.
    virtual TimerId start(std::chrono::milliseconds delay, std::function<void()> callback) = 0;
    virtual void cancel(TimerId id) = 0;
};

}  // namespace veltro
