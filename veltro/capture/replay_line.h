#pragma once

#include <chrono>

#include "veltro/capture/replay_clock.h"
#include "veltro/ports/line_output.h"
#include "veltro/ports/messages.h"
#include "veltro/ports/ui_dispatcher.h"
#include "veltro/ports/write_gate.h"

namespace veltro::capture {

// The line under the link during a replay: there is no controller, so
// nothing is written. The poll cycle's requests (READ, CONTINUOUS, STOP)
// vanish quietly; a WRITE or the dump's commands are refused with a message
// in the message window (at most one a second, so that a tool's run does
// not flood it). Called on the write queue's thread; the message is posted
// to the user-interface thread.
class ReplayLine final : public LineOutput {
  public:
    static constexpr std::int64_t kQuietMs = 1000;

    ReplayLine(UiDispatcher& dispatcher, Messages& messages, const ReplayClock& clock)
        : m_dispatcher(dispatcher), m_messages(messages), m_clock(clock) {}

    Result writeSome(std::span<const std::uint8_t> bytes, std::chrono::milliseconds) override;
    void lineBlocked() override {}

    // True when `bytes` hold more than the poll cycle's requests.
    static bool isWrite(std::span<const std::uint8_t> bytes);

  private:
    UiDispatcher& m_dispatcher;
    Messages& m_messages;
    const ReplayClock& m_clock;
    std::int64_t m_lastToldMs = -kQuietMs;  // the queue's thread only
};

}  // namespace veltro::capture

namespace veltro::capture {

// During a replay a debug window asks this before it writes: never possible,
// and the engineer is told why at that moment (the window then shows the
// recorded value again, as for a lost link).
class ReplayWriteGate final : public WriteGate {
  public:
    explicit ReplayWriteGate(Messages& messages) : m_messages(messages) {}
    bool writesPossible() const override;

  private:
    Messages& m_messages;
};

}  // namespace veltro::capture
