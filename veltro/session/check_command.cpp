#include "veltro/session/check_command.h"

#include <memory>
#include <ostream>

#include "veltro/session/message_log.h"
#include "veltro/session/startup.h"

namespace veltro {
namespace {

class StreamLines final : public MessageLines {
  public:
    explicit StreamLines(std::ostream& out) : m_out(out) {}
    bool addLine(const std::string& line) override {
        m_out << line << '\n';
        return static_cast<bool>(m_out);
    }

  private:
    std::ostream& m_out;
};

// Nothing is asked during the loading steps; boxes go to standard error.
class StreamPrompts final : public Prompts {
  public:
    explicit StreamPrompts(std::ostream& err) : m_err(err) {}
    void messageBox(std::string_view, std::string_view text, PromptIcon) override {
        m_err << text;
        if (text.empty() || text.back() != '\n') {
            m_err << '\n';
        }
    }
    bool askYesNo(std::string_view, std::string_view, PromptIcon) override { return false; }
    std::optional<std::string> askText(std::string_view, std::string_view,
                                       std::string_view) override {
        return std::nullopt;
    }

  private:
    std::ostream& m_err;
};

// Holds the windows only as long as the check needs to count them.
class CountingCollector final : public ScreenCollector {
  public:
    int windowCount() const override { return m_count; }
    void addWindow(DebugScreen) override { ++m_count; }

  private:
    int m_count = 0;
};

}  // namespace

int runCheck(const std::string& startDirectory, std::ostream& out, std::ostream& err) {
    StreamLines lines(out);
    StreamPrompts prompts(err);
    MessageLog log(lines, prompts);
    DefinitionTable definitions;
    auto elements = std::make_unique<ElementTables>();
    CountingCollector windows;
    const StartupOutcome outcome =
        loadStartDirectory(startDirectory, definitions, *elements, log, windows);
    out.flush();
    if (outcome.failed) {
        prompts.messageBox(outcome.boxCaption, outcome.boxText, outcome.boxIcon);
        return 1;
    }
    return 0;
}

}  // namespace veltro
