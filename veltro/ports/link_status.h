#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

namespace veltro {

// Whether the line under the link is there. Lost: it went away and nothing
// is being done about it; Reconnecting: it went away and is being opened
// again with growing pauses.
enum class LinkState { Connected, Lost, Reconnecting };

// One look at the link for its status line: taken on any thread, consistent
// enough for a display (each counter is read on its own).
struct LinkStatus {
    std::string label;  // "COM1 9600" or "127.0.0.1:7000"; empty before a line is attached
    LinkState state = LinkState::Lost;
    std::uint64_t framesIn = 0;
    std::uint64_t bytesIn = 0;
    std::uint64_t framesOut = 0;
    std::uint64_t bytesOut = 0;
    // Since the last frame was decoded; nothing before the first one.
    std::optional<std::chrono::milliseconds> lastFrameAge;
};

// Where a status line asks for the link's state; it asks again on a timer.
class LinkStatusSource {
  public:
    virtual ~LinkStatusSource() = default;
    virtual LinkStatus linkStatus() const = 0;
};

}  // namespace veltro
