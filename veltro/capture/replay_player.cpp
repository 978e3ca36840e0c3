#include "veltro/capture/replay_player.h"

namespace veltro::capture {

ReplayPlayer::ReplayPlayer(CaptureReader& reader, ReplayTarget& target, const ReplayClock& clock)
    : m_reader(reader), m_target(target), m_clock(clock) {}

void ReplayPlayer::start() {
    m_schedule.start(0, m_clock.nowMs());
}

void ReplayPlayer::feed(const CaptureLine& line) {
    const std::int64_t time = m_reader.header().beginMs + line.offsetMs;
    m_positionMs = line.offsetMs;
    ++m_linesFed;
    if (line.kind == LineKind::Gap) {
        m_target.lost(line.lost, time);
        return;
    }
    if (line.entry.direction == monitor::FrameDirection::In)
        m_target.received(line.entry.data(), time);
    else
        m_target.sent(line.entry.data(), time);
}

ReplayPlayer::Step ReplayPlayer::advance(std::size_t budget) {
    Step step;
    const std::int64_t now = m_clock.nowMs();
    while (!m_finished) {
        if (!m_hasLine) {
            if (m_reader.next(m_line) != CaptureReader::Status::Line) {
                m_finished = true;
                break;
            }
            m_hasLine = true;
        }
        const std::int64_t due = m_schedule.dueAt(m_line.offsetMs);
        if (due > now || step.fed == budget) {
            step.nextDueMs = step.fed == budget ? now : due;
            break;
        }
        feed(m_line);
        m_hasLine = false;
        ++step.fed;
    }
    step.finished = m_finished;
    return step;
}

void ReplayPlayer::anchorAtPosition() {
    if (m_schedule.speed() == ReplaySchedule::kFastest)
        m_schedule.jump(m_positionMs, m_clock.nowMs());
}

void ReplayPlayer::setSpeed(int speed) {
    anchorAtPosition();
    m_schedule.setSpeed(speed, m_clock.nowMs());
}

void ReplayPlayer::setPaused(bool paused) {
    anchorAtPosition();
    m_schedule.setPaused(paused, m_clock.nowMs());
}

void ReplayPlayer::jump(std::int64_t offsetMs) {
    // The reader keeps the line it stopped at for next(); the end or the
    // damage, when the jump reached it, is found by the next advance().
    m_reader.seek(offsetMs);
    m_hasLine = false;
    m_finished = false;
    m_positionMs = offsetMs;
    m_schedule.jump(offsetMs, m_clock.nowMs());
}

}  // namespace veltro::capture
