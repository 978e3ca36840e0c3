#include "veltro/screens/screen_loader.h"

#include "common/text_file.h"
#include "veltro/definitions/line_reader.h"
#include "veltro/screens/item_definitions.h"
#include "veltro/screens/screen_picture.h"

namespace veltro {
namespace {

constexpr std::string_view kCannotOpen = "Dit bestand kon niet worden geopend.";

}  // namespace

std::optional<DebugScreen> parseDebugWindow(std::string title, std::string_view bytes,
                                            const DefinitionTable& definitions,
                                            Messages& messages) {
    // Messages name the file by its full path, as those about ZXAPDEF.H do.
    const std::string fileName = title;
    DebugScreen screen(std::move(title));
    {
        LineReader reader(bytes, fileName, messages);
        if (!readScreenPicture(reader, screen, messages)) {
            return std::nullopt;
        }
        if (screen.items().empty()) {
            return screen;
        }
        if (!readItemDefinitions(reader, definitions, screen, messages)) {
            return std::nullopt;
        }
    }
    // What follows is about the file as a whole, not about one of its lines.
    messages.setContextPrefix(fileName);
    finishItems(screen, messages);
    messages.setContextPrefix({});
    return screen;
}

std::optional<DebugScreen> loadDebugWindowFile(const std::string& path,
                                               const DefinitionTable& definitions,
                                               Messages& messages) {
    messages.message(message_kind::kInformation, path);
    const std::optional<std::string> bytes = common::readFileBytes(path);
    if (!bytes) {
        messages.setContextPrefix(path);
        messages.message(message_kind::kError, kCannotOpen);
        messages.setContextPrefix({});
        return std::nullopt;
    }
    return parseDebugWindow(path, *bytes, definitions, messages);
}

}  // namespace veltro
