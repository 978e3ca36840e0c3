#include "veltro/screens/directory_scan.h"

#include "common/file_lookup.h"
#include "common/format.h"
#include "veltro/definitions/path_join.h"
#include "veltro/screens/screen_loader.h"

namespace veltro {
namespace {

constexpr std::string_view PathTooLong = ": Pad naar debug bestand is te lang: ";
constexpr std::string_view Reading = ": Inlezen van de debug venster bestanden...";
constexpr std::string_view NoneFound =
    "Er zijn geen debug venster bestanden die voldoen aan dit pad.";
constexpr const char* MaximumReached = "Het maximum aantal van %d vensters is bereikt.";

}  // namespace

int scanDebugFiles(const std::string& directory, std::string_view pattern,
                   const DefinitionTable& definitions, Messages& messages,
                   ScreenCollector& windows) {
    const std::optional<std::string> joinedPattern = joinPath(directory, pattern);
    if (!joinedPattern) {
        messages.message(message_kind::Error, PathTooLong, directory);
        return 0;
    }
    messages.message(message_kind::Information, *joinedPattern, Reading);
    int found = 0;
    const std::string listed = directory.empty() ? std::string(".") : directory;
    for (const std::string& name : common::listMatchingFiles(listed, pattern)) {
        if (windows.windowCount() >= MaxDebugWindows) {
            // A match without room is still found: it is not reported as absent.
            ++found;
            break;
        }
        const std::optional<std::string> path = joinPath(directory, name);
        if (!path) {
            messages.message(message_kind::Information, name, PathTooLong, directory);
            continue;
        }
        ++found;
        if (std::optional<DebugScreen> screen =
                loadDebugWindowFile(*path, definitions, messages)) {
            windows.addWindow(std::move(*screen));
        }
        if (windows.windowCount() >= MaxDebugWindows) {
            break;  // after the match that filled the list
        }
    }
    if (found == 0) {
        messages.message(message_kind::Information, NoneFound);
    }
    if (windows.windowCount() >= MaxDebugWindows) {
        messages.message(message_kind::Warning,
                         common::format(MaximumReached, windows.windowCount()));
    }
    return found;
}

int loadDebugDirectory(const std::string& directory, const DefinitionTable& definitions,
                       Messages& messages, ScreenCollector& windows) {
    return scanDebugFiles(directory, DebugPattern, definitions, messages, windows) +
           scanDebugFiles(directory, DesignerPattern, definitions, messages, windows);
}

}  // namespace veltro
