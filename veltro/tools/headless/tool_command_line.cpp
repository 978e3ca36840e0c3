#include "veltro/tools/headless/tool_command_line.h"

#include <charconv>

#include "common/ignore_case.h"
#include "veltro/session/collecting_prompts.h"
#include "veltro/session/command_line.h"

namespace veltro::tools {

namespace {

std::optional<int> positive(const std::string& text) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < 1)
        return std::nullopt;
    return value;
}

bool categoryWord(const std::string& word, Category& out) {
    for (Category c : kAllCategories) {
        if (common::equalsIgnoreCase(categoryTexts(c).word, word)) {
            out = c;
            return true;
        }
    }
    return false;
}

ParsedToolCommand failure(std::string text) {
    return {std::nullopt, std::move(text)};
}

}  // namespace

ParsedToolCommand parseToolCommand(const std::vector<std::string>& args) {
    if (args.empty())
        return failure("no command");
    ToolCommand cmd;
    if (args[0] == "--verschillen")
        cmd.tool = Tool::Difference;
    else if (args[0] == "--aanpassen")
        cmd.tool = Tool::Adjustment;
    else
        return failure("unknown command '" + args[0] + "'");
    if (args.size() < 2 || args[1].empty() || args[1][0] == '-')
        return failure(args[0] + " needs a directory");
    cmd.directory = args[1];
    cmd.settings.speed = kDefaultHeadlessSpeed;
    cmd.settings.saveToFile = false;
    cmd.settings.separateFiles = false;
    bool anyCategory = false;
    std::string linkWords;
    for (std::size_t i = 2; i < args.size(); ++i) {
        const std::string& a = args[i];
        Category c{};
        const bool takesValue = a == "--speed" || a == "--file";
        if (takesValue && i + 1 >= args.size())
            return failure(a + " needs a value");
        if (a == "--speed") {
            const auto speed = positive(args[++i]);
            if (!speed)
                return failure("invalid speed '" + args[i] + "'");
            cmd.settings.speed = *speed;
        } else if (a == "--file") {
            cmd.settings.fileName = args[++i];
            cmd.settings.saveToFile = !cmd.settings.fileName.empty();
        } else if (a == "--no-verify" && cmd.tool == Tool::Adjustment) {
            cmd.settings.verify = false;
        } else if (categoryWord(a, c)) {
            cmd.settings.selected[static_cast<std::size_t>(categoryNumber(c))] = true;
            anyCategory = true;
        } else if (a.rfind("--", 0) == 0) {
            return failure("unknown option '" + a + "'");
        } else {
            linkWords += (linkWords.empty() ? "" : " ") + a;
        }
    }
    if (!anyCategory)
        cmd.settings.selected.fill(true);
    CollectingPrompts prompts;
    if (!linkWords.empty())
        cmd.link = parseCommandLine(linkWords, prompts);
    if (!prompts.error.empty())
        return failure(prompts.error);
    if (cmd.link.startDpcom || cmd.link.startAfname || cmd.link.startParameters ||
        cmd.link.startVerschillen)
        return failure("start flags do not belong to " + args[0]);
    return {cmd, {}};
}

}  // namespace veltro::tools
