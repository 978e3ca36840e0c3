#pragma once

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "veltro/session/session_options.h"

namespace veltro::headless {

// The words of a command line without windows, read in order. The first
// problem is kept, and it names the argument it is about.
class CommandWords {
  public:
    // `args`: the words after the program name, the command word first.
    explicit CommandWords(std::vector<std::string> args) : m_args(std::move(args)) {}

    const std::string& command() const { return m_args.front(); }
    bool atEnd() const { return m_next >= m_args.size(); }
    const std::string& next() { return m_args[m_next++]; }

    // The next word as the argument `name` ("FILE"), which `meaning`
    // explains: absent, or an option standing in its place, is a problem.
    std::optional<std::string> argument(std::string_view name, std::string_view meaning);
    // The value after the option just taken, called `name` ("OUT").
    std::optional<std::string> valueOf(std::string_view option, std::string_view name);

    // The link words gathered from the command line (parseLinkWords); the
    // default options after a problem.
    SessionOptions linkOptions(const std::vector<std::string>& words);

    void fail(std::string text);  // the first problem counts
    bool failed() const { return !m_error.empty(); }
    // The problem, after the command word ("--watch: FILE is missing ...").
    std::string error() const { return command() + ": " + m_error; }

  private:
    std::vector<std::string> m_args;
    std::size_t m_next = 1;
    std::string m_error;
};

// The debugger's link words (COM1..COM4, -C N, -B BAUD, a bare baud rate,
// -IP ADDRESS, -IPP PORT, -NORECONNECT) read by the debugger's own parser.
// A word it would only warn about in a message box makes the command line
// wrong here, and the error names that word; so do a value word without its
// value and the start words, which open dialogs.
struct LinkWords {
    std::optional<SessionOptions> options;  // nothing: `error` says why
    std::string error;
};
LinkWords parseLinkWords(const std::vector<std::string>& words);

// Tells a wrong command line on `err`, with the command's usage; returns the
// exit code.
int wrongCommandLine(std::ostream& err, std::string_view error, std::string_view usage);

}  // namespace veltro::headless
