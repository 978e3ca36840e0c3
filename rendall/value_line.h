#pragma once

#include <cstdint>
#include <string_view>

namespace rendall {

// Reads the fields of one value line as formatted input would: blanks
// (any white space) separate them. A field that is missing or unreadable
// ends the line: the fields from there on are not read and keep the
// caller's defaults, so the calls can simply follow each other.
class ValueLine {
  public:
    explicit ValueLine(std::string_view line) : m_rest(line) {}

    bool word(std::string_view& out);
    bool character(char& out);
    bool number(std::int32_t& out);

  private:
    void skipBlanks();
    bool fail() {
        m_failed = true;
        return false;
    }

    std::string_view m_rest;
    bool m_failed = false;
};

}  // namespace rendall
