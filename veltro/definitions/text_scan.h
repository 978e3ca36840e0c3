#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

// Small scanners shared by the readers of the application sources. They work
// on views of the bytes read, never on NUL-terminated buffers.
namespace veltro::scan {

inline bool isBlankOrTab(char c) {
    return c == ' ' || c == '\t';
}

// Printable and not a blank, in the 7-bit character set.
inline bool isWordChar(char c) {
    return c > ' ' && c < 0x7f;
}

inline bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

inline bool contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

std::string_view skipBlanksAndTabs(std::string_view text);

// The leading run of isWordChar characters.
std::string_view leadingWord(std::string_view text);

// A line "#define NAME VALUE" that starts in its first column.
struct DefineLine {
    std::string_view name;
    std::string_view value;        // may be empty
    std::string_view throughName;  // the line from its start to the end of NAME
};
std::optional<DefineLine> parseDefineLine(std::string_view line);

// The value of a definition: its leading decimal digits (at most 16) in 32-bit
// arithmetic; 0 without digits. Nothing when there are more than 16 digits or
// the result is negative as a signed 32-bit number.
std::optional<std::int32_t> definitionValue(std::string_view value);

// A decimal integer as a "%d" field reads it: blanks, an optional sign and
// digits. Nothing when there are no digits or the number does not fit.
std::optional<std::int32_t> decimalInt(std::string_view text);

// A decimal floating-point number at the start of the text (optional sign,
// digits, fraction, exponent); 0 when the text does not start with one.
double decimalDouble(std::string_view text);

// Splits at any of `separators`; empty fields do not count.
std::vector<std::string_view> splitFields(std::string_view text, std::string_view separators);

// Fields of the whitespace-separated kind ("%s %s %d").
std::vector<std::string_view> blankFields(std::string_view text);

// The lines of a text, each without its line feed and without a carriage
// return right before it. A last line without a line feed is included.
class Lines {
  public:
    explicit Lines(std::string_view bytes) : m_bytes(bytes) {}
    std::optional<std::string_view> next();
    void rewind() { m_pos = 0; }
    // Whether the line last returned ended in a line feed.
    bool hadLineFeed() const { return m_hadLineFeed; }

  private:
    std::string_view m_bytes;
    std::size_t m_pos = 0;
    bool m_hadLineFeed = false;
};

}  // namespace veltro::scan
