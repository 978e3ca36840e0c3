#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <stop_token>
#include <thread>

#include "veltro/link/reconnect_policy.h"
#include "veltro/ports/line_watch.h"
#include "veltro/ports/steady_clock.h"

namespace veltro::link {

// Opens a lost line again on a thread of its own: a pause (ReconnectPolicy)
// on the clock, an attempt, and so on until an attempt succeeds and
// `restored` accepts it. `restored` may refuse (the line went away again
// before it could be taken): the attempts go on. A request that comes while
// a run is ending starts another run, so no loss goes unanswered.
class Reconnector {
  public:
    // True when the reopened line is taken as back.
    using Restored = std::function<bool()>;
    // The longest single wait, so that a stop is noticed quickly.
    static constexpr std::chrono::milliseconds kWaitSlice{50};

    Reconnector(LineReopen& line, SteadyClock& clock, Restored restored);
    ~Reconnector();  // stops and joins
    Reconnector(const Reconnector&) = delete;
    Reconnector& operator=(const Reconnector&) = delete;

    // The line was lost: start attempting (any thread; never waits long).
    void request();
    // Ends the attempts for good; later requests do nothing.
    void stop();

    int attempts() const { return m_attempts.load(); }
    bool running() const;

  private:
    void run(std::stop_token stop);
    bool pause(std::chrono::milliseconds length, const std::stop_token& stop);
    bool attemptUntilBack(const std::stop_token& stop);

    LineReopen& m_line;
    SteadyClock& m_clock;
    Restored m_restored;
    ReconnectPolicy m_policy;  // reconnecting thread only
    std::atomic<int> m_attempts{0};
    mutable std::mutex m_mutex;
    bool m_running = false;
    bool m_pending = false;
    bool m_stopped = false;
    std::jthread m_thread;
};

}  // namespace veltro::link
