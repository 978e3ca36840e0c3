#pragma once

#include <vector>

#include "pendrel/generator/page.h"
#include "pendrel/project/project_data.h"

namespace pendrel {

// Categories that list names in one or two halves, one value per name.
// Each writer returns the pages of its category (numbered in the comment), at least one.
std::vector<Page> writeSwitches(const ProjectData& data);                // 10
std::vector<Page> writeExtraParameters(const ProjectData& data);         // 12
std::vector<Page> writeAuxiliaryFunctions(const ProjectData& data);      // 13
std::vector<Page> writeCounters(const ProjectData& data);                // 14
std::vector<Page> writeCouplings(const ProjectData& data);               // 18
std::vector<Page> writeExtraIntegerParameters(const ProjectData& data);  // 25
std::vector<Page> writeOtherInputs(const ProjectData& data);             // 27
std::vector<Page> writeOtherOutputs(const ProjectData& data);            // 28

}  // namespace pendrel
