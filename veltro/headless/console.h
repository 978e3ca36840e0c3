#pragma once

#include <functional>
#include <iosfwd>
#include <mutex>
#include <string>
#include <string_view>

namespace veltro::headless {

enum class Stream { Out, Err };

// The standard output and standard error of a command without windows,
// shared by its threads (the run, the link's reader, the timers): each line
// is written whole and flushed at once, so lines never mix.
class Console {
  public:
    Console(std::ostream& out, std::ostream& err) : m_out(out), m_err(err) {}

    void line(Stream stream, std::string_view text);
    void out(std::string_view text) { line(Stream::Out, text); }
    void err(std::string_view text) { line(Stream::Err, text); }
    // Several lines at once on the error stream (a socket error's report).
    void errWith(const std::function<void(std::ostream&)>& writer);

    // The output stream itself, for a command that writes its own records
    // there from one thread only (the watch's CSV lines).
    std::ostream& outStream() { return m_out; }

  private:
    std::mutex m_mutex;
    std::ostream& m_out;
    std::ostream& m_err;
};

// A message box's text as one line: each line break becomes " / " (blanks
// before it dropped); a break at the end is dropped.
std::string oneLine(std::string_view text);

}  // namespace veltro::headless
