#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "veltro/ports/messages.h"

namespace veltro {

// Reads a text line by line as the framework's line reader does: a line ends
// at its line feed, which must come within kMaxLine characters (counted with
// the line feed); a carriage return right before the line feed is dropped.
// While it lives, the message window's prefixes name the file and the number
// of the line last read, so that every message points at its place.
class LineReader {
  public:
    static constexpr std::size_t kMaxLine = 255;

    LineReader(std::string_view bytes, std::string_view fileName, Messages& messages);
    ~LineReader();  // clears both prefixes
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // The next line without its line feed, or nothing at the end of the text
    // and at the first line without a line feed within kMaxLine characters
    // (after which it stays at the end; the line prefix then names that line).
    std::optional<std::string_view> next();

    int lineNumber() const { return m_lineNumber; }

  private:
    std::string_view m_bytes;
    std::size_t m_pos = 0;
    int m_lineNumber = 0;
    Messages& m_messages;
};

}  // namespace veltro
