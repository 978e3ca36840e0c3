#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "veltro/ports/messages.h"

namespace test_support {

// One message as the logic gave it, with the prefixes in force at the time.
struct MessageLine {
    int kind = 0;
    std::string context;
    int line = 0;      // 0: no line prefix
    std::string text;  // the texts a, b and c together

    friend bool operator==(const MessageLine&, const MessageLine&) = default;
    friend std::ostream& operator<<(std::ostream& out, const MessageLine& m) {
        return out << "{" << m.kind << ", \"" << m.context << "\", " << m.line << ", \"" << m.text
                   << "\"}";
    }
};

// Keeps every message with its kind and prefixes; the line prefix counts as
// the message window's does (a negative number advances it). Messages come on
// the user-interface thread only, so there is no lock.
class RecordingMessages final : public veltro::Messages {
  public:
    void message(int kind, std::string_view a, std::string_view b, std::string_view c) override {
        m_lines.push_back(MessageLine{kind, m_context, m_line,
                                      std::string(a) + std::string(b) + std::string(c)});
    }
    void setContextPrefix(std::string_view name) override { m_context = std::string(name); }
    void setLinePrefix(int number) override {
        const long long next = number < 0 ? static_cast<long long>(m_line) - number : number;
        m_line = next > 0 && next <= 0x7FFFFFFF ? static_cast<int>(next) : 0;
    }

    std::vector<MessageLine> lines() const { return m_lines; }
    // The texts alone, for tests that do not look at kinds and prefixes.
    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const MessageLine& m : lines())
            out.push_back(m.text);
        return out;
    }
    void clear() { m_lines.clear(); }
    bool prefixesCleared() const { return m_context.empty() && m_line == 0; }

  private:
    std::vector<MessageLine> m_lines;
    std::string m_context;
    int m_line = 0;
};

}  // namespace test_support
