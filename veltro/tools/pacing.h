#pragma once

#include <chrono>

#include "veltro/ports/steady_clock.h"

namespace veltro::tools {

// The pace of the tools' commands: after each command, wait until the speed
// interval has passed since the previous one. The three tools share one
// interval and one time of the last command.
class Pacing {
  public:
    using Interval = std::chrono::milliseconds;
    static constexpr Interval kDefaultInterval{1000};

    Interval interval() const { return m_interval; }
    void setInterval(Interval interval) { m_interval = interval; }

    // After a command (and for the extra wait before the gap times).
    void pace(SteadyClock& clock) {
        clock.waitUntil(m_lastCommand + m_interval);
        m_lastCommand = clock.now();
    }
    // The next pace() waits a full interval from now.
    void restart(const SteadyClock& clock) { m_lastCommand = clock.now(); }

  private:
    Interval m_interval = kDefaultInterval;
    SteadyClock::Time m_lastCommand{0};
};

}  // namespace veltro::tools
