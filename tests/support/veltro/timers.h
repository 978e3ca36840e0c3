#pragma once

#include <chrono>
#include <functional>
#include <map>

#include "veltro/ports/one_shot_timers.h"
#include "veltro/ports/reply_timer.h"

namespace test_support {

// One-shot timers that fire only when the test says so.
class FakeTimers final : public veltro::OneShotTimers {
  public:
    TimerId start(std::chrono::milliseconds delay, std::function<void()> callback) override {
        if (failStarts)
            return kNoTimer;
        lastDelay = delay;
        pending[next] = std::move(callback);
        return next++;
    }
    void cancel(TimerId id) override { pending.erase(id); }

    // Fires every timer pending now (not the ones they start), oldest first.
    void fireAll() {
        auto due = std::move(pending);
        pending.clear();
        for (auto& [id, callback] : due)
            callback();
    }
    // Fires the oldest pending timer; false when none is pending.
    bool fireOldest() {
        if (pending.empty())
            return false;
        auto callback = std::move(pending.begin()->second);
        pending.erase(pending.begin());
        callback();
        return true;
    }

    std::map<TimerId, std::function<void()>> pending;
    TimerId next = 1;
    bool failStarts = false;
    std::chrono::milliseconds lastDelay{0};
};

// The dump dialog's reply timer: counts what the logic asks of it.
class FakeReplyTimer final : public veltro::ReplyTimer {
  public:
    void restart() override {
        ++restarts;
        running = true;
    }
    void cancel() override {
        ++cancels;
        running = false;
    }
    int restarts = 0;
    int cancels = 0;
    bool running = false;
};

}  // namespace test_support
