#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "veltro/capture/capture_reader.h"
#include "veltro/capture/replay_clock.h"
#include "veltro/capture/replay_schedule.h"

namespace veltro::capture {

// Where a replay's lines go: received bytes to the link's receive path (the
// real decoder and routing), sent ones to the monitor only.
class ReplayTarget {
  public:
    virtual ~ReplayTarget() = default;
    // `timeMs`: when the line was recorded, in milliseconds since the epoch.
    virtual void received(std::span<const std::uint8_t> bytes, std::int64_t timeMs) = 0;
    virtual void sent(std::span<const std::uint8_t> bytes, std::int64_t timeMs) = 0;
    virtual void lost(std::uint64_t frames, std::int64_t timeMs) = 0;
};

// Feeds a capture's lines to a target at their recorded pace on the replay
// clock. The caller calls advance() when the next line is due (a timer);
// advance() feeds what is due, a bounded number of lines per call so that
// the calling thread stays responsive, and says when to call again.
class ReplayPlayer {
  public:
    struct Step {
        std::size_t fed = 0;
        std::int64_t nextDueMs = ReplaySchedule::kNever;  // on the replay clock
        bool finished = false;                            // the end or the damage reached
    };

    ReplayPlayer(CaptureReader& reader, ReplayTarget& target, const ReplayClock& clock);

    // The first line is due at once.
    void start();
    Step advance(std::size_t budget = 4096);

    void setSpeed(int speed);
    void setPaused(bool paused);
    // Goes on at the first line at or after `offsetMs` of the recording.
    void jump(std::int64_t offsetMs);

    int speed() const { return m_schedule.speed(); }
    bool paused() const { return m_schedule.paused(); }
    bool finished() const { return m_finished; }
    bool damaged() const { return m_finished && !m_reader.error().empty(); }
    // The recording's time of the last line fed.
    std::int64_t positionMs() const { return m_positionMs; }
    std::uint64_t linesFed() const { return m_linesFed; }

  private:
    // The schedule follows the lines fed when it ran as fast as possible.
    void anchorAtPosition();
    void feed(const CaptureLine& line);

    CaptureReader& m_reader;
    ReplayTarget& m_target;
    const ReplayClock& m_clock;
    ReplaySchedule m_schedule;
    CaptureLine m_line;
    bool m_hasLine = false;  // m_line read and not yet fed
    bool m_finished = false;
    std::int64_t m_positionMs = 0;
    std::uint64_t m_linesFed = 0;
};

}  // namespace veltro::capture
