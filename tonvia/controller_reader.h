#pragma once

#include <cstdint>

#include "tonvia/directory.h"
#include "tonvia/run_context.h"

namespace tonvia {

// The controller number of ZXAPTAB.C: the first number that starts a line
// after the "struct REGELINGSTRUCT " line. False when the run stops.
bool readControllerNumber(Directory& directory, RunContext& context,
                          std::int32_t& controllerNumber);

}  // namespace tonvia
