#include "veltro/headless/command_words.h"

#include <ostream>

#include "common/ignore_case.h"
#include "veltro/headless/console.h"
#include "veltro/headless/exit_codes.h"
#include "veltro/session/command_line.h"

namespace veltro::headless {
namespace {

bool isOption(std::string_view word) {
    return !word.empty() && word.front() == '-';
}

bool takesValue(std::string_view word) {
    for (std::string_view keyword : {"-C", "-B", "-IP", "-IPP"}) {
        if (common::equalsIgnoreCase(word, keyword))
            return true;
    }
    return false;
}

// Collects the boxes of the debugger's parser instead of showing them.
class CollectingPrompts final : public Prompts {
  public:
    void messageBox(std::string_view, std::string_view text, PromptIcon) override {
        if (first.empty())
            first = oneLine(text);
    }
    bool askYesNo(std::string_view, std::string_view, PromptIcon) override { return false; }
    std::optional<std::string> askText(std::string_view, std::string_view,
                                       std::string_view) override {
        return std::nullopt;
    }
    std::string first;
};

std::string joined(const std::vector<std::string>& words, std::size_t from, std::size_t to) {
    std::string text;
    for (std::size_t i = from; i < to; ++i)
        text += (text.empty() ? "" : " ") + words[i];
    return text;
}

// The words one at a time (a value word with its value), so that a box
// names the word that caused it.
std::string firstProblem(const std::vector<std::string>& words) {
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (words[i].empty() || words[i].find(' ') != std::string::npos)
            return "'" + words[i] + "' is no link word";
        std::size_t end = i + 1;
        if (takesValue(words[i])) {
            if (i + 1 >= words.size() || words[i + 1].starts_with("--"))
                return "'" + words[i] + "' needs a value";
            end = i + 2;
        }
        const std::string group = joined(words, i, end);
        CollectingPrompts prompts;
        const SessionOptions options = parseCommandLine(group, prompts);
        if (!prompts.first.empty())
            return "'" + group + "': " + prompts.first;
        if (!startCommand(options).empty())
            return "'" + group + "' opens a dialog of the debugger; it has no place here";
        i = end - 1;
    }
    return {};
}

}  // namespace

std::optional<std::string> CommandWords::argument(std::string_view name,
                                                  std::string_view meaning) {
    if (!atEnd() && !isOption(m_args[m_next]) && !m_args[m_next].empty())
        return next();
    std::string text = std::string(name) + " is missing (" + std::string(meaning) + ")";
    if (!atEnd())
        text += "; '" + m_args[m_next] + "' stands in its place";
    fail(std::move(text));
    return std::nullopt;
}

std::optional<std::string> CommandWords::valueOf(std::string_view option, std::string_view name) {
    if (!atEnd() && !m_args[m_next].starts_with("--") && !m_args[m_next].empty())
        return next();
    fail(std::string(option) + " needs a value: " + std::string(name));
    return std::nullopt;
}

SessionOptions CommandWords::linkOptions(const std::vector<std::string>& words) {
    if (failed())
        return {};
    LinkWords parsed = parseLinkWords(words);
    if (!parsed.options)
        fail(std::move(parsed.error));
    return parsed.options.value_or(SessionOptions{});
}

void CommandWords::fail(std::string text) {
    if (m_error.empty())
        m_error = std::move(text);
}

LinkWords parseLinkWords(const std::vector<std::string>& words) {
    if (std::string problem = firstProblem(words); !problem.empty())
        return {std::nullopt, std::move(problem)};
    CollectingPrompts prompts;
    SessionOptions options = parseCommandLine(joined(words, 0, words.size()), prompts);
    if (!prompts.first.empty())
        return {std::nullopt, prompts.first};
    return {options, {}};
}

int wrongCommandLine(std::ostream& err, std::string_view error, std::string_view usage) {
    err << "veltro: " << error << "\nusage:\n" << usage;
    return exit_code::kWrongCommandLine;
}

}  // namespace veltro::headless
