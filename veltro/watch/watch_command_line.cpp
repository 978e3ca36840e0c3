#include "veltro/watch/watch_command_line.h"

#include <charconv>
#include <cmath>

#include "veltro/session/collecting_prompts.h"
#include "veltro/session/command_line.h"

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

ParsedWatchCommand failure(std::string text) {
    return {std::nullopt, std::move(text)};
}

}  // namespace

ParsedWatchCommand parseWatchCommand(const std::vector<std::string>& args) {
    if (args.size() < 3 || args[0] != "--watch")
        return failure("--watch needs a directory and a debug window file");
    WatchCommand cmd;
    cmd.directory = args[1];
    cmd.file = args[2];
    std::string linkWords;
    for (std::size_t i = 3; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (word == "--duration" || word == "--csv") {
            if (i + 1 >= args.size())
                return failure(word + " needs a value");
            const std::string& value = args[++i];
            if (word == "--csv") {
                cmd.csvPath = value;
            } else if (const auto d = seconds(value)) {
                cmd.duration = d;
            } else {
                return failure("invalid duration '" + value + "' (seconds)");
            }
            continue;
        }
        if (word.starts_with("--"))
            return failure("unknown option '" + word + "'");
        if (word.find(' ') != std::string::npos)
            return failure("invalid link word '" + word + "'");
        linkWords += ' ';
        linkWords += word;
    }
    CollectingPrompts prompts;
    cmd.link = parseCommandLine(linkWords, prompts);
    if (!prompts.error.empty())
        return failure(prompts.error);
    return {std::move(cmd), {}};
}

}  // namespace veltro::watch
