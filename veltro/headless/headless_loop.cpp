#include "veltro/headless/headless_loop.h"

#include <algorithm>

namespace veltro::headless {

void HeadlessLoop::post(std::function<void()> work) {
    {
        std::lock_guard lock(m_mutex);
        m_work.push_back(std::move(work));
    }
    m_wake.notify_one();
}

OneShotTimers::TimerId HeadlessLoop::start(std::chrono::milliseconds delay,
                                           std::function<void()> callback) {
    std::lock_guard lock(m_mutex);
    const TimerId id = m_nextId++;
    m_timers.emplace(Clock::now() + delay, std::make_pair(id, std::move(callback)));
    m_wake.notify_one();
    return id;
}

void HeadlessLoop::cancel(TimerId id) {
    std::lock_guard lock(m_mutex);
    for (auto it = m_timers.begin(); it != m_timers.end(); ++it) {
        if (it->second.first == id) {
            m_timers.erase(it);
            return;
        }
    }
}

// One piece of work or one due timer, run without the lock; false when
// there was nothing to run.
bool HeadlessLoop::runOne(std::unique_lock<std::mutex>& lock) {
    std::function<void()> next;
    if (!m_work.empty()) {
        next = std::move(m_work.front());
        m_work.pop_front();
    } else if (!m_timers.empty() && m_timers.begin()->first <= Clock::now()) {
        next = std::move(m_timers.begin()->second.second);
        m_timers.erase(m_timers.begin());
    } else {
        return false;
    }
    lock.unlock();
    next();
    lock.lock();
    return true;
}

void HeadlessLoop::run(const std::function<bool()>& done, Clock::time_point until) {
    std::unique_lock lock(m_mutex);
    for (;;) {
        while (runOne(lock)) {
            lock.unlock();
            const bool finished = done();
            lock.lock();
            if (finished)
                return;
        }
        lock.unlock();
        if (done() || Clock::now() >= until)
            return;
        lock.lock();
        Clock::time_point wake = std::min(until, Clock::now() + kLongestSleep);
        if (!m_timers.empty())
            wake = std::min(wake, m_timers.begin()->first);
        m_wake.wait_until(lock, wake, [this] { return !m_work.empty(); });
    }
}

void HeadlessLoop::drain() {
    std::unique_lock lock(m_mutex);
    while (!m_work.empty())
        runOne(lock);
}

}  // namespace veltro::headless
