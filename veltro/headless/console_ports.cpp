#include "veltro/headless/console_ports.h"

namespace veltro::headless {
namespace {

bool isFault(int kind) {
    return kind != message_kind::kInformation && kind != message_kind::kDebug;
}

}  // namespace

void ConsolePrompts::messageBox(std::string_view, std::string_view text, PromptIcon) {
    m_console.line(m_stream, oneLine(text));
}

bool ConsolePrompts::askYesNo(std::string_view caption, std::string_view text, PromptIcon icon) {
    messageBox(caption, text, icon);
    return false;
}

std::optional<std::string> ConsolePrompts::askText(std::string_view, std::string_view,
                                                   std::string_view) {
    return std::nullopt;
}

bool ConsoleMessages::Lines::addLine(const std::string& line) {
    m_console.line(m_stream, line);
    return true;
}

ConsoleMessages::ConsoleMessages(Console& console, Stream stream, Shown shown)
    : m_shown(shown),
      m_lines(console, stream),
      m_refused(console, Stream::Err),
      m_log(m_lines, m_refused) {}

void ConsoleMessages::message(int kind, std::string_view a, std::string_view b,
                              std::string_view c) {
    std::lock_guard lock(m_mutex);
    if (m_shown == Shown::Faults && !isFault(kind))
        return;
    if (isFault(kind))
        ++m_faults;
    m_log.message(kind, a, b, c);
}

void ConsoleMessages::setContextPrefix(std::string_view name) {
    std::lock_guard lock(m_mutex);
    m_log.setContextPrefix(name);
}

void ConsoleMessages::setLinePrefix(int number) {
    std::lock_guard lock(m_mutex);
    m_log.setLinePrefix(number);
}

int ConsoleMessages::faults() const {
    std::lock_guard lock(m_mutex);
    return m_faults;
}

void ConsoleLinkErrors::ipError(const IpError& error) {
    m_console.errWith([&](std::ostream& err) { error.report(err); });
    m_failed.store(true);
}

}  // namespace veltro::headless
