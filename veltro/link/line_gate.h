#pragma once

#include <atomic>

#include "veltro/link/link_counters.h"
#include "veltro/ports/byte_writer.h"
#include "veltro/ports/link_status.h"

namespace veltro::link {

// Between the senders and the write queue: refuses frames while the line is
// being opened again (they would only pile up for a line that is not there)
// and counts what the queue took.
class LineGate final : public ByteWriter {
  public:
    LineGate(const std::atomic<LinkState>& state, LinkCounters& counters)
        : m_state(state), m_counters(counters) {}

    bool writeBytes(std::span<const std::uint8_t> bytes) override {
        if (target == nullptr || m_state.load() == LinkState::Reconnecting)
            return false;
        if (!target->writeBytes(bytes))
            return false;
        m_counters.sent(bytes.size());
        return true;
    }

    ByteWriter* target = nullptr;

  private:
    const std::atomic<LinkState>& m_state;
    LinkCounters& m_counters;
};

}  // namespace veltro::link
