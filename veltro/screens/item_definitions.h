#pragma once

#include <string_view>

#include "veltro/definitions/definition_table.h"
#include "veltro/definitions/line_reader.h"
#include "veltro/ports/messages.h"
#include "veltro/screens/debug_screen.h"

namespace veltro {

// Reads the definition list behind the picture: for every line "NN FUNCTION
// FIRST SECOND" the first item numbered NN gets its controller object.
// Faulty lines are reported and skipped; false, after its error, when the
// whole file is rejected (no definition lines at all, a missing block).
bool readItemDefinitions(LineReader& reader, const DefinitionTable& definitions,
                         DebugScreen& screen, Messages& messages);

// The last step of a load: controls for the defined items and the item index,
// with their warnings.
void finishItems(DebugScreen& screen, Messages& messages);

}  // namespace veltro
