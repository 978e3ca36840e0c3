#include "veltro/screens/directory_scan.h"

#include "common/file_lookup.h"
#include "common/format.h"
#include "veltro/definitions/path_join.h"
#include "veltro/screens/screen_loader.h"

namespace veltro {
namespace {

constexpr std::string_view kPathTooLong = ": Pad naar debug bestand is te lang: ";
constexpr std::string_view kReading = ": Inlezen van de debug venster bestanden...";
constexpr std::string_view kNoneFound =
    "Er zijn geen debug venster bestanden die voldoen aan dit pad.";
constexpr const char* kMaximumReached = "Het maximum aantal van %d vensters is bereikt.";

}  // namespace

int scanDebugFiles(const std::string& directory, std::string_view pattern,
                   const DefinitionTable& definitions, Messages& messages,
                   ScreenCollector& windows) {
    const std::optional<std::string> joinedPattern = joinPath(directory, pattern);
    if (!joinedPattern) {
        messages.message(message_kind::kError, kPathTooLong, directory);
        return 0;
    }
    messages.message(message_kind::kInformation, *joinedPattern, kReading);
    int found = 0;
    const std::string listed = directory.empty() ? std::string(".") : directory;
    for (const std::string& name : common::listMatchingFiles(listed, pattern)) {
        if (windows.windowCount() >= kMaxDebugWindows) {
            // A match without room is still found: it is not reported as absent.
            ++found;
            break;
        }
        const std::optional<std::string> path = joinPath(directory, name);
        if (!path) {
            messages.message(message_kind::kInformation, name, kPathTooLong, directory);
            continue;
        }
        ++found;
        if (std::optional<DebugScreen> screen =
                loadDebugWindowFile(*path, definitions, messages)) {
            windows.addWindow(std::move(*screen));
        }
        if (windows.windowCount() >= kMaxDebugWindows) {
            break;  // after the match that filled the list
        }
    }
    if (found == 0) {
        messages.message(message_kind::kInformation, kNoneFound);
    }
    if (windows.windowCount() >= kMaxDebugWindows) {
        messages.message(message_kind::kWarning,
                         common::format(kMaximumReached, windows.windowCount()));
    }
    return found;
}

int loadDebugDirectory(const std::string& directory, const DefinitionTable& definitions,
                       Messages& messages, ScreenCollector& windows) {
    return scanDebugFiles(directory, kDebugPattern, definitions, messages, windows) +
           scanDebugFiles(directory, kDesignerPattern, definitions, messages, windows);
}

}  // namespace veltro
