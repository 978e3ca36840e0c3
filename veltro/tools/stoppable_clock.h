#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

#include "veltro/ports/steady_clock.h"

namespace veltro::tools {

// The machine's steady clock for a run on a worker thread: a wait ends at
// its moment, or at once when the user asks the run to stop, so that a stop
// never waits out a pacing interval of two seconds.
class StoppableClock final : public SteadyClock {
  public:
    Time now() const override {
        return std::chrono::duration_cast<Time>(
            std::chrono::steady_clock::now().time_since_epoch());
    }
    void waitUntil(Time deadline) override {
        std::unique_lock lock(m_mutex);
        m_wake.wait_until(lock, std::chrono::steady_clock::time_point(deadline),
                          [this] { return m_stop.load(std::memory_order_acquire); });
    }

    // Any thread.
    void requestStop() {
        {
            std::lock_guard lock(m_mutex);
            m_stop.store(true, std::memory_order_release);
        }
        m_wake.notify_all();
    }
    bool stopRequested() const { return m_stop.load(std::memory_order_acquire); }
    // Before the next run.
    void clearStop() { m_stop.store(false, std::memory_order_release); }

  private:
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::atomic<bool> m_stop{false};
};

}  // namespace veltro::tools
