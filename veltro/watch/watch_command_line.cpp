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

std::optional<int> replaySpeed(const std::string& text) {
    if (text == "max")
        return 0;
    for (int speed : {1, 4, 16}) {
        if (text == std::to_string(speed))
            return speed;
    }
    return std::nullopt;
}

// The options after DIR and FILE; other words are link words.
void readOptions(headless::CommandWords& words, WatchCommand& cmd,
                 std::vector<std::string>& link) {
    bool overwrite = false;
    bool append = false;
    bool speedGiven = false;
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
        } else if (word == "--record") {
            cmd.recordPath = words.valueOf(word, "CAPTURE, the file to record into").value_or("");
        } else if (word == "--replay") {
            cmd.replayPath = words.valueOf(word, "CAPTURE, the recording to replay").value_or("");
        } else if (word == "--replay-speed") {
            if (const auto value = words.valueOf(word, "1, 4, 16 or max")) {
                const auto speed = replaySpeed(*value);
                if (!speed)
                    words.fail("--replay-speed: '" + *value + "' is not 1, 4, 16 or max");
                cmd.replaySpeed = speed.value_or(1);
                speedGiven = true;
            }
        } else if (word == "--overwrite" || word == "--append") {
            (word == "--append" ? append : overwrite) = true;
        } else if (word.starts_with("--")) {
            words.fail("unknown option '" + word + "'");
        } else {
            link.push_back(word);
        }
    }
    if (!cmd.replayPath.empty() && !link.empty())
        words.fail("--replay takes the place of the link words ('" + link.front() + "')");
    else if (!cmd.replayPath.empty() && !cmd.recordPath.empty())
        words.fail("--record and --replay exclude each other");
    else if (speedGiven && cmd.replayPath.empty())
        words.fail("--replay-speed goes with --replay CAPTURE");
    else if (overwrite && append)
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
