#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>

#include "veltro/ports/one_shot_timers.h"
#include "veltro/ports/ui_dispatcher.h"

namespace veltro::headless {

// The "user-interface thread" of a program without windows: the thread that
// calls run() carries out the posted work in order and fires the one-shot
// timers when they are due. Posting and timers may come from any thread.
class HeadlessLoop final : public UiDispatcher, public OneShotTimers {
  public:
    using Clock = std::chrono::steady_clock;
    // The longest sleep, so that `done` is looked at often enough.
    static constexpr std::chrono::milliseconds kLongestSleep{50};

    void post(std::function<void()> work) override;
    TimerId start(std::chrono::milliseconds delay, std::function<void()> callback) override;
    void cancel(TimerId id) override;

    // Runs work and timers until `done` says so or `until` has passed.
    void run(const std::function<bool()>& done, Clock::time_point until);
    // Runs what is posted now, and what that posts (an orderly end).
    void drain();

  private:
    bool runOne(std::unique_lock<std::mutex>& lock);

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::function<void()>> m_work;
    std::multimap<Clock::time_point, std::pair<TimerId, std::function<void()>>> m_timers;
    TimerId m_nextId = 1;
};

}  // namespace veltro::headless
