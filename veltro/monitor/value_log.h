#pragma once

#include <cstdint>
#include <fstream>
#include <optional>
#include <ostream>
#include <string>
#include <unordered_map>
#include <vector>

#include "veltro/monitor/logged_item.h"
#include "veltro/monitor/time_text.h"

namespace veltro::monitor {

// The value log: one CSV line per reported value of a logged item, with its
// time (ISO 8601, milliseconds), window, item label, macro, element and
// value, below a title line. What was written reaches its stream at most a
// second later, so a crash loses at most a second. It writes to a file of
// its own (the Extra menu's log) or to any stream (the headless watch).
// One thread only.
class ValueLog {
  public:
    static constexpr std::int64_t kFlushIntervalMs = 1000;
    static constexpr const char* kTitleLine = "tijd,venster,item,macro,element,waarde";

    ~ValueLog() { close(); }

    // Starts a new file with its title line; the error text on failure.
    std::optional<std::string> open(const std::string& path, std::int64_t nowMs);
    // Writes to `out` from now on, called `name` in error texts; the title
    // line first unless `title` is false (adding to a log that has one).
    // The caller keeps `out` until close().
    void start(std::ostream& out, const std::string& name, std::int64_t nowMs, bool title = true);
    bool isOpen() const { return m_out != nullptr; }
    const std::string& path() const { return m_path; }

    // The items recorded from now on (replacing the earlier ones).
    void setItems(std::vector<LoggedItem> items);
    const std::vector<LoggedItem>& items() const { return m_items; }
    // Whether a report of `record` would become a line.
    bool logs(const ControllerRecord& record) const;

    // A frame as the monitor took it; a reported value of a logged item
    // becomes a line.
    void take(const FrameEntry& entry);
    // A value the controller reported at `timeMs`; a line when its item is
    // logged.
    void record(const ControllerRecord& record, std::int64_t timeMs);
    // Writes what is buffered when a second has passed since the last time.
    void tick(std::int64_t nowMs);
    // Ends the log (closing its own file); the error text when it could not
    // be written completely.
    std::optional<std::string> close();

    std::uint64_t lines() const { return m_lines; }
    // The first write error, or empty; the log stops writing after it.
    const std::string& error() const { return m_error; }

  private:
    void write(const LoggedItem& item, std::int64_t timeMs, std::int32_t value);
    void flush(std::int64_t nowMs);

    std::ofstream m_file;
    std::ostream* m_out = nullptr;  // m_file or the caller's stream
    std::string m_path;
    std::vector<LoggedItem> m_items;
    std::unordered_map<std::int32_t, std::size_t> m_byKey;
    std::string m_line;
    LocalOffset m_offset;
    std::int64_t m_lastFlush = 0;
    bool m_pending = false;
    std::uint64_t m_lines = 0;
    std::string m_error;
};

// A CSV field, quoted when it holds a comma, a quote or a line break.
std::string csvField(const std::string& text);

}  // namespace veltro::monitor
