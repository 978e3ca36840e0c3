#include "veltro/watch/watch_command_line.h"

#include <charconv>
#include <cmath>

#include "veltro/headless/command_words.h"

namespace veltro::watch {
namespace {

// Seconds, a positive number with an optional fraction ("2", "0.5").
std::optional<std::chrono::milliseconds> seconds(const std::string& text) {
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || !(value > 0) ||
        value > 365.0 * 24 * 3600) {
        return std::nullopt;
    }
    return std::chrono::milliseconds(static_cast<long long>(std::llround(value * 1000)));
}

// The options after DIR and FILE; other words are link words.
void readOptions(headless::CommandWords& words, WatchCommand& cmd,
                 std::vector<std::string>& link) {
    bool overwrite = false;
    bool append = false;
    while (!words.failed() && !words.atEnd()) {
        const std::string word = words.next();
        if (word == "--duration") {
            if (const auto value = words.valueOf(word, "S, the seconds to watch")) {
                cmd.duration = seconds(*value);
                if (!cmd.duration)
                    words.fail("--duration: '" + *value + "' is not a number of seconds above 0");
            }
        } else if (word == "--csv") {
            cmd.csvPath = words.valueOf(word, "OUT, the file for the values").value_or("");
        } else if (word == "--overwrite" || word == "--append") {
            (word == "--append" ? append : overwrite) = true;
        } else if (word.starts_with("--")) {
            words.fail("unknown option '" + word + "'");
        } else {
            link.push_back(word);
        }
    }
    if (overwrite && append)
        words.fail("--overwrite and --append exclude each other");
    else if ((overwrite || append) && cmd.csvPath.empty())
        words.fail(std::string(overwrite ? "--overwrite" : "--append") + " goes with --csv OUT");
    cmd.csvRule = overwrite
                      ? headless::ExistingFile::Overwrite
                      : (append ? headless::ExistingFile::Append : headless::ExistingFile::Refuse);
}

}  // namespace

ParsedWatchCommand parseWatchCommand(const std::vector<std::string>& args) {
    headless::CommandWords words(args);
    WatchCommand cmd;
    cmd.directory = words.argument("DIR", "the project directory").value_or("");
    if (!words.failed())
        cmd.file = words.argument("FILE", "the debug window file to watch").value_or("");
    std::vector<std::string> link;
    readOptions(words, cmd, link);
    cmd.link = words.linkOptions(link);
    if (words.failed())
        return {std::nullopt, words.error()};
    return {std::move(cmd), {}};
}

}  // namespace veltro::watch
