#include "veltro/tools/headless/tool_command_line.h"

#include <charconv>

#include "common/ignore_case.h"
#include "veltro/headless/command_words.h"

namespace veltro::tools {

namespace {

std::optional<int> positive(const std::string& text) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < 1)
        return std::nullopt;
    return value;
}

std::optional<Category> categoryWord(const std::string& word) {
    for (Category c : kAllCategories) {
        if (common::equalsIgnoreCase(categoryTexts(c).word, word))
            return c;
    }
    return std::nullopt;
}

std::optional<Tool> toolOf(const std::string& word) {
    if (word == "--verschillen")
        return Tool::Difference;
    if (word == "--aanpassen")
        return Tool::Adjustment;
    return std::nullopt;
}

// The words after DIR: categories, options and link words.
void readOptions(headless::CommandWords& words, ToolCommand& cmd, std::vector<std::string>& link) {
    bool anyCategory = false;
    while (!words.failed() && !words.atEnd()) {
        const std::string word = words.next();
        if (word == "--speed") {
            if (const auto value = words.valueOf(word, "MS, the pause between commands")) {
                const auto speed = positive(*value);
                if (!speed)
                    words.fail("--speed: '" + *value + "' is not a number of milliseconds");
                cmd.settings.speed = speed.value_or(kDefaultHeadlessSpeed);
            }
        } else if (word == "--file") {
            cmd.settings.fileName = words.valueOf(word, "F, the file to write").value_or("");
            cmd.settings.saveToFile = !cmd.settings.fileName.empty();
        } else if (word == "--no-verify" && cmd.tool == Tool::Adjustment) {
            cmd.settings.verify = false;
        } else if (const auto c = categoryWord(word)) {
            cmd.settings.selected[static_cast<std::size_t>(categoryNumber(*c))] = true;
            anyCategory = true;
        } else if (word.starts_with("--")) {
            words.fail("unknown option '" + word + "'");
        } else {
            link.push_back(word);
        }
    }
    if (!anyCategory)
        cmd.settings.selected.fill(true);
}

}  // namespace

ParsedToolCommand parseToolCommand(const std::vector<std::string>& args) {
    if (args.empty() || !toolOf(args[0]))
        return {std::nullopt, "unknown command '" + (args.empty() ? "" : args[0]) + "'"};
    headless::CommandWords words(args);
    ToolCommand cmd;
    cmd.tool = *toolOf(args[0]);
    cmd.directory = words.argument("DIR", "the project directory").value_or("");
    cmd.settings.speed = kDefaultHeadlessSpeed;
    cmd.settings.saveToFile = false;
    cmd.settings.separateFiles = false;
    std::vector<std::string> link;
    readOptions(words, cmd, link);
    cmd.link = words.linkOptions(link);
    if (words.failed())
        return {std::nullopt, words.error()};
    return {cmd, {}};
}

}  // namespace veltro::tools
