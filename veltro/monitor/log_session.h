#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "veltro/monitor/frame_names.h"
#include "veltro/monitor/logged_item.h"
#include "veltro/monitor/value_log.h"
#include "veltro/ports/messages.h"
#include "veltro/screens/debug_screen.h"

namespace veltro::monitor {

// What a value log records: the items of one window, and whether the log
// follows the shown window (a log of the whole window does, a log of chosen
// items does not).
struct LogPlan {
    std::vector<LoggedItem> items;
    std::uint64_t window = 0;  // the window list's identity of the window logged
    bool followsShown = false;
};

// The value log as the engineer starts and stops it: which items it records,
// that a log of the whole window follows the shown window, and that a write
// error ends it. Start, end and failures are told in the message window.
// User-interface thread only.
class LogSession {
  public:
    LogSession(ValueLog& log, const FrameNames& names, Messages& messages)
        : m_log(log), m_names(names), m_messages(messages) {}

    bool active() const { return m_active; }

    // False while a log runs, and when no window is shown (said so).
    bool canStart(const DebugScreen* shown);
    // The log of `shown`'s items `chosen`, or of all its items (following the
    // shown window) when `chosen` is empty. Nothing when it has none (said so).
    // `shownId` is the window list's identity of `shown`.
    std::optional<LogPlan> plan(const DebugScreen& shown, std::uint64_t shownId,
                                const std::vector<int>& chosen);
    // Starts the plan's log in `path`, with ".csv" added when the name has no
    // extension. A file the save dialog did not name is never replaced: with
    // the extension added, an existing file is refused. False when nothing
    // started (said why).
    bool start(LogPlan plan, const std::string& path, std::int64_t nowMs);
    // Ends the log: the values written are told.
    void stop();

    // Before new frames are taken: a log that follows the shown window goes
    // on with the items of the window shown now (`shownId` in the list).
    void follow(const DebugScreen* shown, std::uint64_t shownId);
    // After frames were taken: a write error (a full disk, a vanished
    // directory) ends the log, told once. True when it ended.
    bool endOnWriteError();

  private:
    ValueLog& m_log;
    const FrameNames& m_names;
    Messages& m_messages;
    bool m_active = false;
    LogPlan m_plan;
};

// The path a value log is written to: `path`, with ".csv" when its file name
// has no extension.
std::string csvLogPath(const std::string& path);

}  // namespace veltro::monitor
