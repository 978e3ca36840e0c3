#pragma once

#include <algorithm>
#include <chrono>

namespace veltro::link {

// The pauses between attempts to open a lost line again: half a second
// first, doubling to at most five seconds, so a controller that restarts is
// found quickly and one that stays away is not hammered.
class ReconnectPolicy {
  public:
    static constexpr std::chrono::milliseconds kFirstPause{500};
    static constexpr std::chrono::milliseconds kLongestPause{5000};

    // The pause before the next attempt.
    std::chrono::milliseconds nextPause() {
        const std::chrono::milliseconds pause = m_next;
        m_next = std::min(m_next * 2, kLongestPause);
        return pause;
    }
    void reset() { m_next = kFirstPause; }

  private:
    std::chrono::milliseconds m_next = kFirstPause;
};

}  // namespace veltro::link
