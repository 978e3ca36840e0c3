#pragma once

#include <vector>

#include "tonvia/configuration.h"
#include "tonvia/directory.h"
#include "tonvia/run_context.h"

namespace tonvia {

// The detectors of the SG_DETECTIE table of ZXAPTAB.C, up to its STOP line.
// False when the run stops.
bool readDetectors(Directory& directory, RunContext& context, std::vector<Detector>& detectors);

// The code of a detector type letter (the letter behind the D), 0 if unknown.
int detectorTypeCode(char letter);

}  // namespace tonvia
