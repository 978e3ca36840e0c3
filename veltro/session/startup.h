#pragma once

#include <string>

#include "veltro/definitions/definition_table.h"
#include "veltro/definitions/element_tables.h"
#include "veltro/ports/messages.h"
#include "veltro/ports/prompts.h"
#include "veltro/screens/directory_scan.h"

namespace veltro {

// The result of the loading steps of the start-up; on failure, the message
// box that the start-up shows before it ends.
struct StartupOutcome {
    bool failed = false;
    std::string boxCaption;
    std::string boxText;
    PromptIcon boxIcon = PromptIcon::Exclamation;
    int debugFilesFound = 0;
};

// Loads what a new main window needs, in the start-up's order: the built-in
// macro definitions, ZXAPDEF.H (with ZXAPTAB.C) and the debug window files of
// `startDirectory`. A ZXAPDEF.H path that is too long leaves the window empty
// but counts as success.
StartupOutcome loadStartDirectory(const std::string& startDirectory, DefinitionTable& definitions,
                                  ElementTables& elements, Messages& messages,
                                  ScreenCollector& windows);

}  // namespace veltro
