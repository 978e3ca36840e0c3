#include "veltro/link/reconnector.h"

#include <algorithm>

namespace veltro::link {

Reconnector::Reconnector(LineReopen& line, SteadyClock& clock, Restored restored)
    : m_line(line), m_clock(clock), m_restored(std::move(restored)) {}

Reconnector::~Reconnector() {
    stop();
}

void Reconnector::request() {
    std::lock_guard lock(m_mutex);
    if (m_stopped)
        return;
    if (m_running) {
        m_pending = true;
        return;
    }
    if (m_thread.joinable())
        m_thread.join();  // a finished run: it no longer needs the lock
    m_running = true;
    m_thread = std::jthread([this](std::stop_token stop) { run(stop); });
}

void Reconnector::stop() {
    {
        std::lock_guard lock(m_mutex);
        m_stopped = true;
    }
    m_thread.request_stop();
    if (m_thread.joinable())
        m_thread.join();
}

bool Reconnector::running() const {
    std::lock_guard lock(m_mutex);
    return m_running;
}

void Reconnector::run(std::stop_token stop) {
    for (;;) {
        attemptUntilBack(stop);
        std::lock_guard lock(m_mutex);
        if (m_stopped || !m_pending || stop.stop_requested()) {
            m_running = false;
            return;
        }
        m_pending = false;
    }
}

bool Reconnector::attemptUntilBack(const std::stop_token& stop) {
    m_policy.reset();
    while (pause(m_policy.nextPause(), stop)) {
        m_attempts.fetch_add(1);
        if (m_line.reopen(stop) && m_restored())
            return true;
    }
    return false;
}

// False when stopped during the pause.
bool Reconnector::pause(std::chrono::milliseconds length, const std::stop_token& stop) {
    const SteadyClock::Time deadline = m_clock.now() + length;
    while (!stop.stop_requested()) {
        const SteadyClock::Time now = m_clock.now();
        if (now >= deadline)
            return true;
        m_clock.waitUntil(std::min(deadline, now + kWaitSlice));
    }
    return false;
}

}  // namespace veltro::link
