#include "veltro/session/open_command.h"

#include "common/format.h"
#include "veltro/definitions/path_join.h"
#include "veltro/screens/screen_loader.h"

namespace veltro {
namespace {

constexpr std::string_view kPathTooLong = ": Pad naar debug bestand is te lang: ";
constexpr const char* kMaximumReached = "Het maximum aantal van %d vensters is bereikt.";

bool isWordSeparator(char c) {
    return c == ' ' || c == ',' || c == '\t' || c == '\n';
}

}  // namespace

std::string openDialogTitle(int windowNumber) {
    return common::format("Selecteer debug bestand van Tiral %3.3d", windowNumber);
}

std::vector<std::string> splitOpenResult(std::string_view result) {
    std::vector<std::string> words;
    std::size_t pos = 0;
    while (pos < result.size()) {
        while (pos < result.size() && isWordSeparator(result[pos])) {
            ++pos;
        }
        const std::size_t start = pos;
        while (pos < result.size() && !isWordSeparator(result[pos])) {
            ++pos;
        }
        if (pos > start) {
            words.emplace_back(result.substr(start, pos - start));
        }
    }
    return words;
}

int openDebugFiles(const std::vector<std::string>& words, const DefinitionTable& definitions,
                   Messages& messages, DebugWindowList& windows, WindowSwitchPorts& ports) {
    if (words.empty()) {
        return 0;
    }
    const bool inDirectory = words.size() > 1;
    const std::string& directory = words.front();
    int added = 0;
    for (std::size_t i = inDirectory ? 1 : 0; i < words.size(); ++i) {
        if (windows.windowCount() >= kMaxDebugWindows) {
            break;
        }
        std::optional<std::string> path = words[i];
        if (inDirectory) {
            path = joinPath(directory, words[i]);
        }
        if (!path) {
            messages.message(message_kind::kError, words[i], kPathTooLong, directory);
            continue;
        }
        if (std::optional<DebugScreen> screen =
                loadDebugWindowFile(*path, definitions, messages)) {
            windows.addWindow(std::move(*screen));
            ++added;
        }
    }
    if (windows.windowCount() >= kMaxDebugWindows) {
        messages.message(message_kind::kWarning,
                         common::format(kMaximumReached, windows.windowCount()));
    }
    if (added > 0) {
        windows.show(windows.lastAdded(), ports);
    }
    return added;
}

}  // namespace veltro
