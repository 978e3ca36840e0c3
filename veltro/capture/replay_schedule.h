#pragma once

#include <cstdint>
#include <limits>

namespace veltro::capture {

// Where in the recording a replay stands at a moment of the replay clock:
// the recording's time runs from an anchor at a speed (1, 4, 16, or 0 for as
// fast as possible), and stands still while paused.
class ReplaySchedule {
  public:
    static constexpr int kFastest = 0;
    static constexpr std::int64_t kNever = std::numeric_limits<std::int64_t>::max();

    void start(std::int64_t offsetMs, std::int64_t nowMs) { anchor(offsetMs, nowMs); }
    void setSpeed(int speed, std::int64_t nowMs);
    void setPaused(bool paused, std::int64_t nowMs);
    void jump(std::int64_t offsetMs, std::int64_t nowMs) { anchor(offsetMs, nowMs); }

    int speed() const { return m_speed; }
    bool paused() const { return m_paused; }
    // The recording's time reached at `nowMs` (kNever: all of it).
    std::int64_t position(std::int64_t nowMs) const;
    // When a line recorded at `offsetMs` is due (kNever while paused).
    std::int64_t dueAt(std::int64_t offsetMs) const;

  private:
    void anchor(std::int64_t offsetMs, std::int64_t nowMs) {
        m_anchorOffset = offsetMs;
        m_anchorNow = nowMs;
    }

    std::int64_t m_anchorOffset = 0;
    std::int64_t m_anchorNow = 0;
    int m_speed = 1;
    bool m_paused = false;
};

}  // namespace veltro::capture
