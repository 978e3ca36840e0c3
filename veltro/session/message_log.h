#pragma once

#include <string>
#include <string_view>

#include "veltro/ports/messages.h"
#include "veltro/ports/prompts.h"

namespace veltro {

// The message window's list box as the composer sees it.
class MessageLines {
  public:
    virtual ~MessageLines() = default;
    // Adds the line at the end and selects it; false when the list refuses it.
    virtual bool addLine(const std::string& line) = 0;
};

// Composes the message window's lines: context prefix, line prefix, kind
// prefix and up to three texts, within the window's line limits.
class MessageLog final : public Messages {
  public:
    static constexpr std::size_t kPrefixLimit = 512;
    static constexpr std::size_t kLineLimit = 544;
    static constexpr std::size_t kContextNameLimit = 1021;

    MessageLog(MessageLines& lines, Prompts& prompts) : m_lines(lines), m_prompts(prompts) {}

    void message(int kind, std::string_view a, std::string_view b = {},
                 std::string_view c = {}) override;
    void setContextPrefix(std::string_view name) override;
    void setLinePrefix(int number) override;

    // The line that message() would add, without adding it.
    std::string compose(int kind, std::string_view a, std::string_view b,
                        std::string_view c) const;

    const std::string& contextPrefix() const { return m_context; }
    const std::string& linePrefix() const { return m_linePrefix; }

  private:
    MessageLines& m_lines;
    Prompts& m_prompts;
    std::string m_context;
    std::string m_linePrefix;
    int m_lineNumber = 0;
};

}  // namespace veltro
