#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <stop_token>
#include <thread>

#include "veltro/link/reconnect_policy.h"
#include "veltro/ports/line_watch.h"
#include "veltro/ports/steady_clock.h"

namespace veltro::link {

// Opens a lost line again, on one thread that lives as long as the worker and
// sleeps on a condition until it is asked. Each request is a series of
// attempts: a pause (ReconnectPolicy) on the clock, one reopen, and so on
// until a reopened line is taken. `taken` may refuse one (the line went again
// before it could be taken): the attempts go on.
class ReconnectWorker {
  public:
    // True when the link takes the reopened line as back.
    using Taken = std::function<bool()>;

    ReconnectWorker(LineReopen& line, SteadyClock& clock, Taken taken);
    ~ReconnectWorker();  // stops and joins; hold no lock the work takes
    ReconnectWorker(const ReconnectWorker&) = delete;
    ReconnectWorker& operator=(const ReconnectWorker&) = delete;

    // The line was lost: attempt until it is back (any thread; never waits
    // for an attempt).
    void request();
    // Ends the attempts for good and joins the thread; later requests do nothing.
    void stop();

    int attempts() const { return m_attempts.load(); }

  private:
    void run(const std::stop_token& stop);
    bool waitForWork();
    void attemptUntilTaken(const std::stop_token& stop);

    LineReopen& m_line;
    SteadyClock& m_clock;
    Taken m_taken;
    ReconnectPolicy m_policy;  // worker thread only
    std::atomic<int> m_attempts{0};
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_asked = false;
    bool m_stopping = false;
    std::jthread m_thread;  // last: started once the rest is there
};

}  // namespace veltro::link
