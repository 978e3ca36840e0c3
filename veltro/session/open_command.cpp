#include "veltro/session/open_command.h"

#include "common/format.h"
#include "veltro/definitions/path_join.h"
#include "veltro/screens/screen_loader.h"
#include "veltro/session/start_directory.h"

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

std::vector<std::string> openCommandWords(const std::vector<std::string>& paths) {
    if (paths.size() < 2) {
        return paths;
    }
    // The directory keeps its separator only where it is all there is of it
    // ("/", "C:/"): joining a name to it then gives the path back.
    const std::string& first = paths.front();
    const std::size_t last = first.find_last_of("/\\");
    std::string directory = ".";
    if (last != std::string::npos) {
        const bool root = last == 0 || first[last - 1] == ':';
        directory = first.substr(0, root ? last + 1 : last);
    }
    std::vector<std::string> words{directory};
    for (const std::string& path : paths) {
        words.push_back(fileNamePart(path));
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
