#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "tonvia/directory.h"

namespace tonvia {

// One line of a source as the readers see it: comments removed, letters a-z in
// upper case, never empty or blank.
struct SourceLine {
    std::string text;
    std::size_t first = 0;  // first non-blank character
    std::size_t last = 0;   // last non-blank character
    int number = 0;         // line number in the file, counted from 1

    std::string_view withoutTrailingBlanks() const {
        return std::string_view(text).substr(0, last + 1);
    }
};

enum class LineStatus { Line, End, ReadError, TooLong, Binary };

// Reads a source file as records of at most 256 characters per line. A longer
// line or a NUL byte is reported rather than cut or split: either would change
// what the later lines mean (a lost "*/" swallows the rest of the file).
class LineReader {
  public:
    static constexpr std::size_t kMaxLineLength = 256;

    explicit LineReader(InputSource& input) : m_input(input) {}

    // The next line that is not empty once its comments are gone. After any
    // status other than Line, the reader stays at that status.
    LineStatus next(SourceLine& line);

    // The line being read when next() returned; for the messages.
    int lineNumber() const { return m_lineNumber; }

  private:
    LineStatus readRecord(std::string& record);
    bool nextByte(char& byte);
    void removeComments(std::string& text);

    InputSource& m_input;
    std::array<char, 4096> m_buffer{};
    std::size_t m_position = 0;
    std::size_t m_size = 0;
    LineStatus m_final = LineStatus::Line;
    bool m_inComment = false;
    int m_lineNumber = 0;
};

bool isBlank(char c);

}  // namespace tonvia
