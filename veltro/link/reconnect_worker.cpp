#include "veltro/link/reconnect_worker.h"

namespace veltro::link {

ReconnectWorker::ReconnectWorker(LineReopen& line, SteadyClock& clock, Taken taken)
    : m_line(line),
      m_clock(clock),
      m_taken(std::move(taken)),
      m_thread([this](std::stop_token stop) { run(stop); }) {}

ReconnectWorker::~ReconnectWorker() {
    stop();
}

void ReconnectWorker::request() {
    {
        std::lock_guard lock(m_mutex);
        m_asked = true;
    }
    m_wake.notify_one();
}

void ReconnectWorker::stop() {
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    m_thread.request_stop();  // wakes the clock's wait
    if (m_thread.joinable())
        m_thread.join();
}

void ReconnectWorker::run(const std::stop_token& stop) {
    while (waitForWork())
        attemptUntilTaken(stop);
}

bool ReconnectWorker::waitForWork() {
    std::unique_lock lock(m_mutex);
    m_wake.wait(lock, [this] { return m_asked || m_stopping; });
    if (m_stopping)
        return false;
    m_asked = false;
    return true;
}

void ReconnectWorker::attemptUntilTaken(const std::stop_token& stop) {
    m_policy.reset();
    while (m_clock.waitUntilOrStop(m_clock.now() + m_policy.nextPause(), stop)) {
        m_attempts.fetch_add(1);
        if (m_line.reopen(stop) && m_taken())
            return;
    }
}

}  // namespace veltro::link
