#include "veltro/definitions/line_reader.h"

namespace veltro {

LineReader::LineReader(std::string_view bytes, std::string_view fileName, Messages& messages)
    : m_bytes(bytes), m_messages(messages) {
    m_messages.setContextPrefix(fileName);
    m_messages.setLinePrefix(0);
}

LineReader::~LineReader() {
    m_messages.setContextPrefix({});
    m_messages.setLinePrefix(0);
}

std::optional<std::string_view> LineReader::next() {
    if (m_pos >= m_bytes.size())
        return std::nullopt;
    std::string_view rest = m_bytes.substr(m_pos);
    std::size_t feed = rest.find('\n');
    std::size_t length = feed == std::string_view::npos ? rest.size() : feed;
    std::size_t contentLength = length;
    // A text-mode read turns CR LF into LF before the length is counted.
    if (feed != std::string_view::npos && length > 0 && rest[length - 1] == '\r')
        --contentLength;
    if (feed == std::string_view::npos || contentLength + 1 > kMaxLine) {
        // A message about the refused line must name that line, not the one before.
        m_messages.setLinePrefix(++m_lineNumber);
        m_pos = m_bytes.size();
        return std::nullopt;
    }
    m_pos += feed + 1;
    m_messages.setLinePrefix(++m_lineNumber);
    return rest.substr(0, contentLength);
}

}  // namespace veltro
