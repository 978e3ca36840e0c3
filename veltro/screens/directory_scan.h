#pragma once

#include <string>

#include "veltro/definitions/definition_table.h"
#include "veltro/ports/messages.h"
#include "veltro/screens/debug_screen.h"

namespace veltro {

// The main window's list of debug windows as the directory scan fills it.
class ScreenCollector {
  public:
    virtual ~ScreenCollector() = default;
    virtual int windowCount() const = 0;
    virtual void addWindow(DebugScreen screen) = 0;
};

inline constexpr int kMaxDebugWindows = 200;
inline constexpr std::string_view kDebugPattern = "DEBUG_???.*";
inline constexpr std::string_view kDesignerPattern = "?????_???.DBG";

// Loads every debug window file of `directory` that matches `pattern` (case
// ignored) into `windows`, with the scan's messages; returns the number of
// files found.
int scanDebugFiles(const std::string& directory, std::string_view pattern,
                   const DefinitionTable& definitions, Messages& messages,
                   ScreenCollector& windows);

// Both scans of the start-up: "DEBUG_???.*", then "?????_???.DBG".
int loadDebugDirectory(const std::string& directory, const DefinitionTable& definitions,
                       Messages& messages, ScreenCollector& windows);

}  // namespace veltro
