#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "veltro/ports/messages.h"

namespace veltro::test {

// Keeps every message with the prefixes in force when it was given.
class RecordingMessages : public Messages {
  public:
    struct Line {
        int kind;
        std::string context;
        int line;
        std::string text;  // a, b and c together
    };

    void message(int kind, std::string_view a, std::string_view b, std::string_view c) override {
        lines.push_back(
            Line{kind, m_context, m_line, std::string(a) + std::string(b) + std::string(c)});
    }
    void setContextPrefix(std::string_view name) override { m_context = std::string(name); }
    void setLinePrefix(int number) override {
        m_line = number < 0 ? m_line - number : number;
        if (m_line < 0)
            m_line = 0;
    }

    bool prefixesCleared() const { return m_context.empty() && m_line == 0; }

    std::vector<Line> lines;

  private:
    std::string m_context;
    int m_line = 0;
};

}  // namespace veltro::test
