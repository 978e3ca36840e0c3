#include "veltro/capture/replay_line.h"

#include "veltro/capture/capture_texts.h"

namespace veltro::capture {

bool ReplayLine::isWrite(std::span<const std::uint8_t> bytes) {
    // A header byte has bit 7 and its mode in bits 5 and 6. Bytes that do
    // not start with one are the dump's letters, no request either.
    constexpr std::uint8_t kModeBits = 0x60;
    constexpr std::uint8_t kWriteMode = 0x20;
    if (!bytes.empty() && (bytes[0] & 0x80) == 0)
        return true;
    for (std::uint8_t byte : bytes) {
        if ((byte & 0x80) != 0 && (byte & kModeBits) == kWriteMode)
            return true;
    }
    return false;
}

LineOutput::Result ReplayLine::writeSome(std::span<const std::uint8_t> bytes,
                                         std::chrono::milliseconds) {
    if (isWrite(bytes)) {
        const std::int64_t now = m_clock.nowMs();
        if (now - m_lastToldMs >= kQuietMs) {
            m_lastToldMs = now;
            m_dispatcher.post(
                [this] { m_messages.message(message_kind::kWarning, texts::kWriteRefused); });
        }
    }
    return {bytes.size(), false};
}

bool ReplayWriteGate::writesPossible() const {
    m_messages.message(message_kind::kWarning, texts::kWriteRefused);
    return false;
}

}  // namespace veltro::capture
