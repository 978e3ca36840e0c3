#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace veltro::monitor {

enum class FrameDirection : std::uint8_t { In, Out };

// What the monitor saw: a whole frame, or bytes that are not one.
enum class FrameKind : std::uint8_t {
    Frame,     // a complete frame
    Cut,       // received: a frame cut short by a malformed byte (included)
    Stray,     // received: bytes outside any frame
    Unframed,  // sent: bytes that are no frame (the dump commands)
};

// One line of the monitor, fixed in size so that it can travel through a
// lock-free queue and sit in the ring without allocations.
struct FrameEntry {
    static constexpr std::size_t kMaxBytes = 65;  // the longest frame

    std::int64_t timeMs = 0;  // milliseconds since the epoch
    FrameDirection direction = FrameDirection::In;
    FrameKind kind = FrameKind::Frame;
    std::uint8_t length = 0;
    std::array<std::uint8_t, kMaxBytes> bytes{};

    std::span<const std::uint8_t> data() const { return {bytes.data(), length}; }
};

}  // namespace veltro::monitor
