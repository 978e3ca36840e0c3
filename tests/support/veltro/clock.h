#pragma once

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <stop_token>
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

// A clock that a thread under test waits on until the test moves it: the
// worker parks in waitUntilOrStop, the test sees the parked deadline
// (nextSleep), checks what it wants, then lets it go (advanceTo). Every
// step of the worker is the test's, whatever the machine's load.
class SteppedClock final : public veltro::SteadyClock {
  public:
    Time now() const override {
        std::lock_guard lock(m_mutex);
        return m_now;
    }
    void waitUntil(Time deadline) override { waitUntilOrStop(deadline, std::stop_token()); }
    bool waitUntilOrStop(Time deadline, const std::stop_token& stop) override {
        // The stop is looked at every few milliseconds rather than through a
        // stop callback, which MinGW's library was seen to hang in.
        std::unique_lock lock(m_mutex);
        m_sleeping = deadline;
        ++m_sleeps;
        m_changed.notify_all();
        while (m_now < deadline && !stop.stop_requested())
            m_changed.wait_for(lock, std::chrono::milliseconds(5));
        m_sleeping.reset();
        m_changed.notify_all();
        return m_now >= deadline;
    }

    // The deadline of the next wait of the thread under test: waits (at most
    // `limit`, a guard against a hang, never met by a working worker) until a
    // thread sleeps for the `count`-th time in all. Nothing when it never does.
    std::optional<Time> nextSleep(int count,
                                  std::chrono::milliseconds limit = std::chrono::seconds(60)) {
        std::unique_lock lock(m_mutex);
        m_changed.wait_for(lock, limit, [&] { return m_sleeps >= count && m_sleeping; });
        if (m_sleeps < count)
            return std::nullopt;
        return m_sleeping;
    }
    void advanceTo(Time moment) {
        {
            std::lock_guard lock(m_mutex);
            m_now = std::max(m_now, moment);
        }
        m_changed.notify_all();
    }
    int sleeps() const {
        std::lock_guard lock(m_mutex);
        return m_sleeps;
    }

  private:
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    Time m_now{1000};
    std::optional<Time> m_sleeping;
    int m_sleeps = 0;
};

}  // namespace test_support
