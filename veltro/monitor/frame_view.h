#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "veltro/monitor/frame_history.h"
#include "veltro/monitor/frame_names.h"

namespace veltro::monitor {

// Which frames the monitor shows: by direction and by macro. A macro filter
// shows whole frames of those function codes only; one that names no known
// macro shows nothing.
struct FrameFilter {
    bool in = true;
    bool out = true;
    std::optional<std::vector<std::int32_t>> codes;  // none: every frame and malformed bytes

    bool matches(const FrameEntry& entry) const;
};

// Reads a macro filter as the engineer types it: macro names (case counts)
// or function codes, separated by blanks or commas. No codes without a word;
// the words that name no macro are kept apart, in order.
struct MacroFilterResult {
    std::optional<std::vector<std::int32_t>> codes;
    std::vector<std::string> unknown;
};
MacroFilterResult parseMacroFilter(std::string_view text, const FrameNames& names);

// The rows the monitor shows: the frames of the history that pass the
// filter, oldest first. It follows the history as it grows and as its
// oldest frames are overwritten. User-interface thread only.
class FrameView {
  public:
    struct Change {
        std::size_t removedFront = 0;  // rows gone from the top
        std::size_t appended = 0;      // rows added at the bottom
    };

    const FrameFilter& filter() const { return m_filter; }
    // Rebuilds the rows for a new filter.
    void setFilter(FrameFilter filter, const FrameHistory& history);
    // Takes what the history gained and lost since the last call.
    Change update(const FrameHistory& history);
    void clear(const FrameHistory& history);

    std::size_t size() const { return m_rows.size(); }
    const FrameEntry& at(const FrameHistory& history, std::size_t row) const;
    // The row's frame as the history counts it: the same frame, the same
    // number, as long as the monitor runs.
    std::uint64_t sequence(std::size_t row) const { return m_rows.at(row); }

  private:
    FrameFilter m_filter;
    std::deque<std::uint64_t> m_rows;  // sequence numbers in the history
    std::uint64_t m_seen = 0;          // history total taken so far
};

}  // namespace veltro::monitor
