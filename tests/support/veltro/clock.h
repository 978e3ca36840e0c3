#pragma once

#include <atomic>
#include <chrono>
#include <mutex>
#include <vector>

#include "veltro/ports/steady_clock.h"

namespace test_support {

// A clock that moves only when told to, or when waited on: a wait jumps to
// its deadline at once and is recorded, so a paced run takes no real time.
// Safe to share between a test and one worker thread.
class FakeClock final : public veltro::SteadyClock {
  public:
    Time now() const override { return Time(m_now.load()); }
    void waitUntil(Time deadline) override {
        {
            std::lock_guard lock(m_mutex);
            m_waits.push_back(deadline);
        }
        advanceTo(deadline);
    }

    void advance(std::chrono::milliseconds step) { m_now.fetch_add(step.count()); }
    void advanceTo(Time moment) {
        Time::rep current = m_now.load();
        while (current < moment.count() && !m_now.compare_exchange_weak(current, moment.count())) {
        }
    }
    std::vector<Time> waits() const {
        std::lock_guard lock(m_mutex);
        return m_waits;
    }

  private:
    std::atomic<Time::rep> m_now{1000};
    mutable std::mutex m_mutex;
    std::vector<Time> m_waits;
};

}  // namespace test_support
