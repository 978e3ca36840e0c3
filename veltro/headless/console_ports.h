#pragma once

#include <atomic>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "veltro/headless/console.h"
#include "veltro/ports/ip_error_handler.h"
#include "veltro/ports/messages.h"
#include "veltro/ports/prompts.h"
#include "veltro/session/message_log.h"

namespace veltro::headless {

// Which message window lines a command prints: all of them (--check), or
// only what needs attention: warnings, errors and system messages.
enum class Shown { Everything, Faults };

// Message boxes as lines on the console, a line break inside written as
// " / ". A question is printed and answered No; a text question is
// cancelled: nobody is there to answer.
class ConsolePrompts final : public Prompts {
  public:
    ConsolePrompts(Console& console, Stream stream) : m_console(console), m_stream(stream) {}
    void messageBox(std::string_view caption, std::string_view text, PromptIcon icon) override;
    bool askYesNo(std::string_view caption, std::string_view text, PromptIcon icon) override;
    std::optional<std::string> askText(std::string_view caption, std::string_view prompt,
                                       std::string_view initial) override;

  private:
    Console& m_console;
    Stream m_stream;
};

// The message window's lines on the console, composed exactly as the window
// composes them (file and line prefixes, "fout : " and the other kinds).
// Any thread.
class ConsoleMessages final : public Messages {
  public:
    ConsoleMessages(Console& console, Stream stream, Shown shown);

    void message(int kind, std::string_view a, std::string_view b = {},
                 std::string_view c = {}) override;
    void setContextPrefix(std::string_view name) override;
    void setLinePrefix(int number) override;

    // Warnings, errors and system messages printed so far.
    int faults() const;

  private:
    class Lines final : public MessageLines {
      public:
        Lines(Console& console, Stream stream) : m_console(console), m_stream(stream) {}
        bool addLine(const std::string& line) override;

      private:
        Console& m_console;
        Stream m_stream;
    };

    mutable std::mutex m_mutex;
    Shown m_shown;
    Lines m_lines;
    ConsolePrompts m_refused;
    MessageLog m_log;
    int m_faults = 0;
};

// A socket error of the link: its report on the error stream, and the
// command ends (failed() is read by the run on another thread).
class ConsoleLinkErrors final : public IpErrorHandler {
  public:
    explicit ConsoleLinkErrors(Console& console) : m_console(console) {}
    void ipError(const IpError& error) override;
    bool failed() const { return m_failed.load(); }

  private:
    Console& m_console;
    std::atomic<bool> m_failed{false};
};

// What a command without windows reports through: the message window's
// warnings, errors and system messages, and its boxes, on standard error.
struct CommandConsole {
    CommandConsole(std::ostream& out, std::ostream& err)
        : console(out, err),
          messages(console, Stream::Err, Shown::Faults),
          boxes(console, Stream::Err) {}
    Console console;
    ConsoleMessages messages;
    ConsolePrompts boxes;
};

}  // namespace veltro::headless
