#pragma once

#include <memory>
#include <string_view>

#include "veltro/definitions/definition_table.h"
#include "veltro/definitions/element_tables.h"
#include "veltro/ports/messages.h"
#include "veltro/ports/prompts.h"

namespace veltro::headless {

// The definitions of the project a command works on.
struct Project {
    DefinitionTable table;
    std::unique_ptr<ElementTables> elements = std::make_unique<ElementTables>();
};

// Loads the macro definitions, ZXAPDEF.H and ZXAPTAB.C of `directory` as the
// debugger's start-up does, reporting to `messages`. False when there is
// nothing to work with: the fatal fault's box went to `boxes`, or (a path too
// long to hold ZXAPDEF.H) a line saying so.
bool loadProject(std::string_view directory, Project& project, Messages& messages, Prompts& boxes);

}  // namespace veltro::headless
