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

std::optional<ToolAction> actionOf(const std::string& word) {
    if (word == "--verschillen")
        return ToolAction::Difference;
    if (word == "--aanpassen")
        return ToolAction::Adjustment;
    if (word == "--bewaar")
        return ToolAction::Backup;
    if (word == "--terugzetten")
        return ToolAction::Restore;
    if (word == "--afname")
        return ToolAction::Acceptance;
    return std::nullopt;
}

// The options that only some commands take; false when `word` is none of
// them for this command.
bool readOwnOption(const std::string& word, headless::CommandWords& words, ToolCommand& cmd) {
    if (word == "--no-verify" && cmd.action == ToolAction::Adjustment) {
        cmd.settings.verify = false;
    } else if (word == "--csv" && cmd.action == ToolAction::Difference) {
        cmd.csvFile = words.valueOf(word, "F, the file of compared parameters").value_or("");
    } else if (word == "--start" && cmd.action == ToolAction::Acceptance) {
        const auto value = words.valueOf(word, "N, the first test value");
        int start = 0;
        if (value) {
            const auto [end, ec] =
                std::from_chars(value->data(), value->data() + value->size(), start);
            if (ec != std::errc() || end != value->data() + value->size())
                words.fail("--start: '" + *value + "' is not a whole number");
        }
        cmd.settings.startValue = start;
    } else if ((word == "--schakelaars-aan" || word == "--schakelaars-uit") &&
               cmd.action == ToolAction::Acceptance) {
        (word == "--schakelaars-aan" ? cmd.settings.switchesOn : cmd.settings.switchesOff) = true;
    } else if (word == "--overwrite" &&
               (cmd.action == ToolAction::Backup || cmd.action == ToolAction::Difference)) {
        cmd.overwrite = true;
    } else {
        return false;
    }
    return true;
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
        } else if (word == "--file" && cmd.action != ToolAction::Restore) {
            cmd.settings.fileName = words.valueOf(word, "F, the file to write").value_or("");
            cmd.settings.saveToFile = !cmd.settings.fileName.empty();
        } else if (readOwnOption(word, words, cmd)) {
            continue;
        } else if (const auto c = categoryWord(word); c && cmd.action != ToolAction::Restore) {
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
    if (args.empty() || !actionOf(args[0]))
        return {std::nullopt, "unknown command '" + (args.empty() ? "" : args[0]) + "'"};
    headless::CommandWords words(args);
    ToolCommand cmd;
    cmd.action = *actionOf(args[0]);
    cmd.tool = cmd.action == ToolAction::Adjustment   ? Tool::Adjustment
               : cmd.action == ToolAction::Acceptance ? Tool::Acceptance
                                                      : Tool::Difference;
    cmd.directory = words.argument("DIR", "the project directory").value_or("");
    if (cmd.action == ToolAction::Restore)
        cmd.backupFile = words.argument("F", "the backup to put back").value_or("");
    cmd.settings.speed = kDefaultHeadlessSpeed;
    cmd.settings.saveToFile = false;
    cmd.settings.separateFiles = false;
    std::vector<std::string> link;
    readOptions(words, cmd, link);
    cmd.link = words.linkOptions(link);
    if (cmd.action == ToolAction::Acceptance) {
        // The originals are what the journal keeps; no listing.
        cmd.settings.rememberOriginals = true;
        cmd.settings.restartPerCategory = false;
        // Switches are all switched on or off: only when asked by name.
        cmd.settings.selected[static_cast<std::size_t>(categoryNumber(Category::Schakelaars))] =
            false;
        if (cmd.settings.switchesOn && cmd.settings.switchesOff && !words.failed())
            words.fail("--schakelaars-aan and --schakelaars-uit exclude each other");
        cmd.settings.saveToFile = false;
    }
    if (cmd.action == ToolAction::Backup) {
        cmd.backupFile = cmd.settings.fileName;
        cmd.settings.saveToFile = false;
        if (cmd.backupFile.empty() && !words.failed())
            words.fail("--file F, the backup file to write, is missing");
    }
    if (cmd.overwrite && cmd.action == ToolAction::Difference && cmd.csvFile.empty() &&
        !words.failed())
        words.fail("--overwrite goes with --csv F");
    if (words.failed())
        return {std::nullopt, words.error()};
    return {cmd, {}};
}

}  // namespace veltro::tools
