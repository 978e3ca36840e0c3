#pragma once

#include <vector>

#include "pendrel/generator/page.h"
#include "pendrel/project/project_data.h"

namespace pendrel {

// Categories of one row per signal group with a value column per macro.
// Each writer returns the pages of its category (numbered in the comment), at least one.
std::vector<Page> writeSignalGroupStates(const ProjectData& data);   // 1
std::vector<Page> writeRealisation(const ProjectData& data);         // 3
std::vector<Page> writeSignalGroupOptions(const ProjectData& data);  // 4
std::vector<Page> writeTimeSettings(const ProjectData& data);        // 5
std::vector<Page> writeRunningTimes(const ProjectData& data);        // 6
std::vector<Page> writeMaxGreen(const ProjectData& data);            // 7
std::vector<Page> writeExtraMaxGreen(const ProjectData& data);       // 8
std::vector<Page> writeOptionVariables(const ProjectData& data);     // 20
std::vector<Page> writeOtherOptions(const ProjectData& data);        // 23

}  // namespace pendrel
