#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "veltro/definitions/definition_table.h"
#include "veltro/ports/messages.h"
#include "veltro/screens/debug_screen.h"

namespace veltro {

// Reads the bytes of one debug window file into a debug window titled
// `title` (the file's full path). Messages about its lines carry the file
// name and the line number. Nothing when a fault rejects the whole file.
std::optional<DebugScreen> parseDebugWindow(std::string title, std::string_view bytes,
                                            const DefinitionTable& definitions,
                                            Messages& messages);

// Loads one debug window file: names it in the message window, reads it and
// parses it.
std::optional<DebugScreen> loadDebugWindowFile(const std::string& path,
                                               const DefinitionTable& definitions,
                                               Messages& messages);

}  // namespace veltro
