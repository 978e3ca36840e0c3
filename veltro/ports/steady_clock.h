#pragma once

#include <chrono>

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
};

}  // namespace veltro
