#pragma once

#include <string>
#include <string_view>

#include "veltro/definitions/definition_table.h"
#include "veltro/definitions/element_tables.h"
#include "veltro/ports/messages.h"

namespace veltro {

// The loading steps of a main window's definitions, in the order of the
// start-up: first loadMacroDefinitions, then loadApplicationDefinitions.
// Messages go to the message window as they happen; a fatal fault comes back
// with the message box that the caller shows (exclamation icon) before it
// destroys the main window.
struct DefinitionsOutcome {
    enum class Status {
        Loaded,       // go on with the debug window files
        PathTooLong,  // go on without definitions from ZXAPDEF.H and without debug windows
        Fatal,        // show the box, destroy the main window: the start-up fails
    };
    Status status = Status::Loaded;
    std::string boxCaption;  // for Fatal
    std::string boxText;     // for Fatal ("\n" is a line break)
    std::string path;        // the joined ZXAPDEF.H path, when it could be joined

    bool fatal() const { return status == Status::Fatal; }
};

inline constexpr std::string_view kDefinitionHeaderName = "ZXAPDEF.H";
inline constexpr std::string_view kParameterTableName = "ZXAPTAB.C";

// The built-in macro definitions into `table`, then the information line
// "macrodef.plo : Inlezen van het macro definitie bestand.".
DefinitionsOutcome loadMacroDefinitions(DefinitionTable& table, Messages& messages);

// ZXAPDEF.H of `directory` (its name found without regard to case): the
// information line, pass 1 into `table`, pass 2 into `elements`, then
// ZXAPTAB.C of the same directory into `elements`.
DefinitionsOutcome loadApplicationDefinitions(std::string_view directory, DefinitionTable& table,
                                              ElementTables& elements, Messages& messages);

// Both steps for the project `directory`, as every program that reads a
// project does: the macro definitions, then ZXAPDEF.H with ZXAPTAB.C unless
// the macros were already fatal.
DefinitionsOutcome loadProjectDefinitions(std::string_view directory, DefinitionTable& table,
                                          ElementTables& elements, Messages& messages);

}  // namespace veltro
