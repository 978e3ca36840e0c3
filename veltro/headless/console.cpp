#include "veltro/headless/console.h"

#include <ostream>

namespace veltro::headless {

void Console::line(Stream stream, std::string_view text) {
    std::lock_guard lock(m_mutex);
    std::ostream& to = stream == Stream::Out ? m_out : m_err;
    to << text << '\n' << std::flush;
}

void Console::errWith(const std::function<void(std::ostream&)>& writer) {
    std::lock_guard lock(m_mutex);
    writer(m_err);
    m_err.flush();
}

std::string oneLine(std::string_view text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.remove_suffix(1);
    std::string line;
    for (char c : text) {
        if (c != '\n') {
            line += c;
            continue;
        }
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        line += " / ";
    }
    return line;
}

}  // namespace veltro::headless
