#pragma once

#include <string_view>

#include "veltro/definitions/definition_table.h"
#include "veltro/definitions/element_tables.h"
#include "veltro/ports/messages.h"

namespace veltro {

// The two passes over the bytes of a ZXAPDEF.H. `fileName` is what messages
// name as the context prefix while a line is read.

// Pass 1: every "#define NAME VALUE" that starts in column 1 enters the
// definition table. It ends silently at the first line that has no line feed
// within 255 characters. False (with a system message) on an invalid value or
// a full table.
bool readDefinitionPass1(std::string_view bytes, std::string_view fileName, DefinitionTable& table,
                         Messages& messages);

// Pass 2: the array number sections of the seven element kinds fill names,
// array numbers and counts of the element tables. Signal groups and detectors
// are reset first; kinds whose section or count line is missing keep their
// count. Reports nothing.
void readDefinitionSections(std::string_view bytes, ElementTables& elements);

}  // namespace veltro
