#pragma once

#include <algorithm>
#include <chrono>
#include <stop_token>

namespace veltro {

// Steady time in milliseconds since an arbitrary start: never goes back and
// knows nothing of the date. Paced work asks now() and waits until a moment;
// a fake clock in tests jumps to that moment at once, so a whole paced run
// takes no real time and its moments can be checked exactly.
class SteadyClock {
  public:
    using Time = std::chrono::milliseconds;

    virtual ~SteadyClock() = default;
    virtual Time now() const = 0;
    // Returns once now() has reached `deadline`, at once when it has already.
    // A front-end's clock keeps its window painting meanwhile.
    virtual void waitUntil(Time deadline) = 0;

    void waitFor(std::chrono::milliseconds duration) { waitUntil(now() + duration); }

    // As waitUntil, but ends early once `stop` is requested: true when the
    // deadline was reached. This default waits in short slices; a clock that
    // can wake a waiter at once does so.
    virtual bool waitUntilOrStop(Time deadline, const std::stop_token& stop) {
        constexpr std::chrono::milliseconds kSlice{50};
        while (!stop.stop_requested()) {
            const Time current = now();
            if (current >= deadline)
                return true;
            waitUntil(std::min(deadline, current + kSlice));
        }
        return false;
    }
};

}  // namespace veltro
