#pragma once

#include <string_view>

#include "veltro/definitions/definition_table.h"
#include "veltro/definitions/element_tables.h"

namespace veltro {

// Reads the source settings of a ZXAPTAB.C into the element tables (and the
// conflict table, whose count starts at 0). Elements are matched by name among
// the first `count` entries of their kind; array numbers that are still unset
// are looked up in `definitions`. Reports nothing: what the text does not set
// stays as it was.
void readParameterTable(std::string_view bytes, const DefinitionTable& definitions,
                        ElementTables& elements);

// The same for the file ZXAPTAB.C (any case) in the directory of the
// definition header `definitionHeaderPath`. A file that cannot be read leaves
// everything as it was, except that the conflict count becomes 0.
void readParameterTableFile(std::string_view definitionHeaderPath,
                            const DefinitionTable& definitions, ElementTables& elements);

}  // namespace veltro
