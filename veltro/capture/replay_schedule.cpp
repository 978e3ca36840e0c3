#include "veltro/capture/replay_schedule.h"

#include <algorithm>

namespace veltro::capture {

std::int64_t ReplaySchedule::position(std::int64_t nowMs) const {
    if (m_paused)
        return m_anchorOffset;
    if (m_speed == kFastest)
        return kNever;
    return m_anchorOffset + std::max<std::int64_t>(0, nowMs - m_anchorNow) * m_speed;
}

std::int64_t ReplaySchedule::dueAt(std::int64_t offsetMs) const {
    if (m_paused)
        return kNever;
    if (m_speed == kFastest || offsetMs <= m_anchorOffset)
        return m_anchorNow;
    // Rounded up: a line is never fed before its time.
    return m_anchorNow + (offsetMs - m_anchorOffset + m_speed - 1) / m_speed;
}

void ReplaySchedule::setSpeed(int speed, std::int64_t nowMs) {
    if (speed == m_speed)
        return;
    // The recording's time reached so far stays; only its pace changes.
    if (!m_paused && m_speed != kFastest)
        anchor(position(nowMs), nowMs);
    else
        m_anchorNow = nowMs;
    m_speed = speed;
}

void ReplaySchedule::setPaused(bool paused, std::int64_t nowMs) {
    if (paused == m_paused)
        return;
    if (paused && m_speed != kFastest)
        anchor(position(nowMs), nowMs);
    else
        m_anchorNow = nowMs;
    m_paused = paused;
}

}  // namespace veltro::capture
