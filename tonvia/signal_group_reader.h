#pragma once

#include <cstdint>
#include <vector>

#include "tonvia/directory.h"
#include "tonvia/run_context.h"

namespace tonvia {

// The signal group numbers of ZXAPDEF.H: the "#define SGnn" lines after the
// NUMBK line, checked against NUMSG. False when the run stops.
bool readSignalGroups(Directory& directory, RunContext& context,
                      std::vector<std::int32_t>& signalGroups);

}  // namespace tonvia
